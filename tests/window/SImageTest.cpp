// SImage as a value: state, pixel formats, creation and the copies.
#include "tests/window/SImageTesting.h"

#include <limits>

#include "core/SString.h"
#include "files/SFileMem.h"

namespace {

using ImageValue = ImageTest;

TEST(ClampToUnit, HoldsValuesBetweenZeroAndOne) {
  struct Case {
    float in, out;
  } cases[] = {
      {-5.0f, 0.0f}, {-0.0f, 0.0f}, {0.0f, 0.0f}, {0.25f, 0.25f}, {1.0f, 1.0f}, {1.5f, 1.0f},
      {-std::numeric_limits<float>::infinity(), 0.0f}, {std::numeric_limits<float>::infinity(), 1.0f},
      {std::numeric_limits<float>::quiet_NaN(), 0.0f},
  };
  for (const Case& c : cases) EXPECT_EQ(c.out, ClampToUnit(c.in)) << c.in;
}

TEST(PixelFormat, BitsAndFormatsTable) {
  struct Case {
    Gdiplus::PixelFormat format;
    int bits;
  } formats[] = {
      {PixelFormat1bppIndexed, 1},     {PixelFormat4bppIndexed, 4},    {PixelFormat8bppIndexed, 8},
      {PixelFormat16bppRGB555, 16},    {PixelFormat16bppRGB565, 16},   {PixelFormat16bppARGB1555, 16},
      {PixelFormat16bppGrayScale, 16}, {PixelFormat24bppRGB, 24},      {PixelFormat32bppRGB, 32},
      {PixelFormat32bppARGB, 32},      {PixelFormat32bppPARGB, 32},    {PixelFormat48bppRGB, 48},
      {PixelFormat64bppARGB, 64},      {PixelFormat64bppPARGB, 64},    {PixelFormatUndefined, 0},
      {PixelFormatIndexed, 0},         {0x12345, 0},
  };
  for (const Case& c : formats) EXPECT_EQ(c.bits, PixelFormatBits(c.format)) << std::hex << c.format;

  struct Back {
    int bits;
    Gdiplus::PixelFormat format;
  } backs[] = {
      {1, PixelFormat1bppIndexed}, {4, PixelFormat4bppIndexed}, {8, PixelFormat8bppIndexed},
      {16, PixelFormat16bppRGB565}, {24, PixelFormat24bppRGB},  {32, PixelFormat32bppARGB},
      {48, PixelFormat48bppRGB},   {64, PixelFormat64bppARGB},  {2, 0}, {0, 0}, {12, 0}, {-32, 0},
  };
  for (const Back& b : backs) EXPECT_EQ(b.format, PixelFormatFromBits(b.bits)) << b.bits;
}

TEST_F(ImageValue, NewImagesAndTheirSettings) {
  SImage empty;
  EXPECT_FALSE(empty.IsLoaded());
  EXPECT_EQ(nullptr, empty.GetBitmap());
  EXPECT_EQ(0, empty.GetWidth());
  EXPECT_EQ(0, empty.GetHeight());
  EXPECT_EQ(0, empty.GetPixelFormat());
  EXPECT_EQ(0, empty.GetBitsPerPixel());
  EXPECT_EQ(kNoImageColor, empty.GetBackColor());
  EXPECT_EQ(kNoImageColor, empty.GetTransparentColor());
  EXPECT_EQ(DRAW_TOPLEFT, empty.GetDrawMode());
  EXPECT_STREQ("", empty.GetName().GetText());
  EXPECT_EQ(0u, empty.GetUserValue());

  SImage sized(7, 5);
  ASSERT_TRUE(sized.IsLoaded());
  EXPECT_EQ(7, sized.GetWidth());
  EXPECT_EQ(5, sized.GetHeight());
  EXPECT_EQ(PixelFormat32bppARGB, sized.GetPixelFormat());
  EXPECT_EQ(32, sized.GetBitsPerPixel());
  EXPECT_EQ(0u, PixelAt(sized, 6, 4));  // blank: transparent black

  sized.SetBackColor(0x00123456);
  sized.SetTransparentColor(0x00FF00FF);
  EXPECT_EQ(0x00123456u, sized.GetBackColor());
  EXPECT_EQ(0x00FF00FFu, sized.GetTransparentColor());
  sized.Clear();
  EXPECT_FALSE(sized.IsLoaded());
  EXPECT_EQ(0x00123456u, sized.GetBackColor());  // settings outlive the bitmap
}

TEST_F(ImageValue, CreateInEveryFormatAndRefusedSizesLeaveItEmpty) {
  SImage image;
  for (int bits : {1, 4, 8, 16, 24, 32, 48, 64}) {
    Gdiplus::PixelFormat format = PixelFormatFromBits(bits);
    ASSERT_TRUE(image.Create(3, 2, format)) << bits;
    EXPECT_EQ(format, image.GetPixelFormat());
    EXPECT_EQ(bits, image.GetBitsPerPixel());
    EXPECT_EQ(3, image.GetWidth());
  }
  // GDI+ refuses these; the image must not look loaded with a 0 x 0 bitmap.
  for (auto size : {std::pair{0, 0}, std::pair{-1, 4}, std::pair{4, 0}, std::pair{100000, 100000}}) {
    ASSERT_TRUE(image.Create(2, 2, PixelFormat32bppARGB));
    EXPECT_FALSE(image.Create(size.first, size.second, PixelFormat32bppARGB)) << size.first;
    EXPECT_FALSE(image.IsLoaded());
    EXPECT_EQ(nullptr, image.GetBitmap());
  }
  EXPECT_FALSE(SImage(0, 3).IsLoaded());
}

TEST_F(ImageValue, PixelsReadAndWriteInArgb) {
  SImage image(4, 3);
  EXPECT_EQ(Gdiplus::Ok, image.SetPixel(3, 2, 0x80112233));
  EXPECT_EQ(0x80112233u, PixelAt(image, 3, 2));
  Gdiplus::ARGB colour = 0x5A5A5A5A;
  EXPECT_FALSE(image.GetPixel(4, 0, colour));
  EXPECT_FALSE(image.GetPixel(0, -1, colour));
  EXPECT_EQ(0x5A5A5A5Au, colour);
  EXPECT_NE(Gdiplus::Ok, image.SetPixel(-1, 0, 0xFF000000));
}

// Everything that reads or changes the picture answers "no" on an empty
// image, and changes nothing.
TEST_F(ImageValue, EmptyImageAnswersNoEverywhere) {
  SImage empty;
  Gdiplus::ARGB colour;
  EXPECT_FALSE(empty.GetPixel(0, 0, colour));
  EXPECT_NE(Gdiplus::Ok, empty.SetPixel(0, 0, 0xFFFFFFFF));
  EXPECT_EQ(nullptr, empty.CloneWithFormat(PixelFormat24bppRGB));
  SFileMem stream;
  EXPECT_FALSE(empty.SaveToStream(&stream, kImagePng, 0));
  EXPECT_FALSE(empty.EmbedData(&stream));
  EXPECT_FALSE(empty.ExtractData(&stream));
  EXPECT_EQ(0, stream.GetSize());
  EXPECT_EQ(nullptr, empty.GetBitmapHandle());
  EXPECT_EQ(nullptr, empty.GetBitmapHandle16());
  EXPECT_EQ(nullptr, empty.GetBitmapHandle32());
  EXPECT_EQ(nullptr, empty.CreateMaskBitmap());
  EXPECT_EQ(nullptr, empty.CreateIcon());
  EXPECT_EQ(nullptr, empty.CreateRegion(0xFF000000));
  EXPECT_FALSE(empty.IsLoaded());
}

TEST_F(ImageValue, AssignBitmapCopiesOnlyThePicture) {
  SImage source;
  FillPattern(source, 5, 4, PixelFormat24bppRGB);
  source.SetName("source.png");
  source.SetBackColor(0x000000FF);

  SImage target;
  target.SetName("target");
  target.SetTransparentColor(0x0000FF00);
  target.AssignBitmap(source);
  EXPECT_EQ(PixelFormat24bppRGB, target.GetPixelFormat());
  ExpectPattern(target, 5, 4);
  EXPECT_NE(source.GetBitmap(), target.GetBitmap());
  EXPECT_STREQ("target", target.GetName().GetText());
  EXPECT_EQ(0x0000FF00u, target.GetTransparentColor());
  EXPECT_EQ(kNoImageColor, target.GetBackColor());

  // The copy is independent, and copying itself keeps the picture.
  ASSERT_EQ(Gdiplus::Ok, source.SetPixel(0, 0, 0xFFFFFFFF));
  EXPECT_EQ(PatternPixel(0, 0), PixelAt(target, 0, 0));
  target.AssignBitmap(target);
  ExpectPattern(target, 5, 4);

  SImage empty;
  target.AssignBitmap(empty);
  EXPECT_FALSE(target.IsLoaded());
}

TEST_F(ImageValue, CopyFromTakesARectangle) {
  SImage source;
  FillPattern(source, 6, 5);

  SImage part;
  ASSERT_TRUE(part.CopyFrom(&source, 2, 1, 3, 2));
  ASSERT_EQ(3, part.GetWidth());
  ASSERT_EQ(2, part.GetHeight());
  EXPECT_EQ(PixelFormat32bppARGB, part.GetPixelFormat());
  for (int y = 0; y < 2; y++)
    for (int x = 0; x < 3; x++) EXPECT_EQ(PatternPixel(x + 2, y + 1), PixelAt(part, x, y));

  // Negative sizes take the source's own; the size-first order is the same.
  SImage whole;
  ASSERT_TRUE(whole.CopyFrom(0, 0, -1, -1, &source));
  ExpectPattern(whole, 6, 5);

  // A missing or empty source leaves the target as it was; a rectangle that
  // does not fit leaves it empty.
  SImage empty;
  EXPECT_FALSE(whole.CopyFrom(nullptr, 0, 0, 1, 1));
  EXPECT_FALSE(whole.CopyFrom(&empty, 0, 0, 1, 1));
  ExpectPattern(whole, 6, 5);
  EXPECT_FALSE(whole.CopyFrom(&source, 4, 4, 3, 3));
  EXPECT_FALSE(whole.IsLoaded());

  // An image may copy a part of itself.
  ASSERT_TRUE(source.CopyFrom(&source, 1, 1, 2, 2));
  EXPECT_EQ(PatternPixel(2, 2), PixelAt(source, 1, 1));
}

TEST_F(ImageValue, CloneWithFormatConverts) {
  SImage image;
  FillPattern(image, 4, 4);
  for (Gdiplus::PixelFormat format : {PixelFormat24bppRGB, PixelFormat16bppRGB565, PixelFormat8bppIndexed,
                                      PixelFormat1bppIndexed, PixelFormat64bppARGB}) {
    Gdiplus::Bitmap* clone = image.CloneWithFormat(format);
    ASSERT_NE(nullptr, clone) << std::hex << format;
    EXPECT_EQ(format, clone->GetPixelFormat());
    EXPECT_EQ(4u, clone->GetWidth());
    delete clone;
  }
  SImage copy;
  Gdiplus::Bitmap* rgb = image.CloneWithFormat(PixelFormat24bppRGB);
  ASSERT_NE(nullptr, rgb);
  Gdiplus::Color c;
  rgb->GetPixel(3, 2, &c);
  EXPECT_EQ(PatternPixel(3, 2), c.GetValue());
  delete rgb;
}

TEST_F(ImageValue, FromPixelsFillsRowByRowAndCentres) {
  const Gdiplus::ARGB pixels[] = {0xFF000001, 0x80000002, 0x00000003, 0xFF102030, 0xFFFFFFFF, 0x7F7F7F7F};
  SImage image;
  image.SetBackColor(0x00ABCDEF);
  ASSERT_TRUE(image.FromPixels(3, 2, pixels));
  EXPECT_EQ(PixelFormat32bppARGB, image.GetPixelFormat());
  EXPECT_EQ(DRAW_CENTER, image.GetDrawMode());
  EXPECT_EQ(kNoImageColor, image.GetBackColor());
  for (int i = 0; i < 6; i++) EXPECT_EQ(pixels[i], PixelAt(image, i % 3, i / 3)) << i;

  EXPECT_FALSE(image.FromPixels(3, 2, nullptr));
  EXPECT_FALSE(image.FromPixels(0, 2, pixels));
  EXPECT_FALSE(image.IsLoaded());
}

}  // namespace

// One drawing into the bitmap is told before the bitmap goes (replaced,
// cleared, or with the image), and only once; an operation that keeps the
// bitmap, or a user that left, tells nothing.
TEST_F(ImageValue, BitmapUsersAreToldBeforeTheBitmapGoes) {
  struct Counter : SImageBitmapUser {
    int told = 0;
    Gdiplus::Bitmap* seen = nullptr;
    void OnBitmapGoing(SImage* image) override {
      told++;
      seen = image->GetBitmap();  // still there while the user is told
    }
  };
  Counter first, second;
  {
    SImage image(4, 4);
    Gdiplus::Bitmap* bitmap = image.GetBitmap();
    image.AddBitmapUser(&first);
    image.AddBitmapUser(&second);
    image.AddBitmapUser(&first);  // once only
    image.FillRect(0xFF00FF00, nullptr);
    EXPECT_FALSE(image.Resize(4, 4));
    EXPECT_EQ(first.told + second.told, 0);
    EXPECT_TRUE(image.Resize(6, 6));
    EXPECT_EQ(first.told, 1);
    EXPECT_EQ(second.told, 1);
    EXPECT_EQ(first.seen, bitmap);
    image.Clear();
    EXPECT_EQ(first.told, 1);  // forgotten once told

    image.Create(2, 2, PixelFormat32bppARGB);
    image.AddBitmapUser(&first);
    image.AddBitmapUser(&second);
    image.RemoveBitmapUser(&second);
  }
  EXPECT_EQ(first.told, 2);  // the image's end
  EXPECT_EQ(second.told, 1);
}
