// Decoding and encoding SImages through memory streams and files. The files
// written to TAVRIN_IMAGE_OUT are checked afterwards with ImageMagick, a
// reader that owes nothing to GDI+ (tools/check-images).
#include "tests/window/SImageTesting.h"

#include <cstring>
#include <string>

#include "core/SString.h"
#include "files/SFileMem.h"
#include "files/SFilePath.h"

namespace {

using ImageStream = ImageTest;

std::string OutPath(const char* name) { return std::string(TAVRIN_IMAGE_OUT) + "/" + name; }

std::string Head(SFileMem& stream, int at, int n) {
  return std::string(reinterpret_cast<const char*>(stream.GetData()) + at, size_t(n));
}

struct Format {
  int type;
  const char* magic;
  const char* file;
  int tolerance;  // JPEG loses a little
};
const Format kFormats[] = {
    {kImageBmp, "BM", "image-roundtrip.bmp", 0},
    {kImagePng, "\x89PNG", "image-roundtrip.png", 0},
    {kImageJpeg, "\xFF\xD8\xFF", "image-roundtrip.jpg", 24},
};

// Saved behind bytes already in the stream, read back with an exact count
// while more bytes follow: each side touches only its own bytes.
TEST_F(ImageStream, RoundTripsThroughMemoryStreams) {
  SImage picture;
  FillPattern(picture, 12, 8);
  for (const Format& f : kFormats) {
    SCOPED_TRACE(f.file);
    SFileMem stream;
    stream.WriteString("prefix", -1);
    ASSERT_TRUE(picture.SaveToStream(&stream, f.type, 0));
    int length = stream.GetSize() - 6;
    EXPECT_EQ(stream.GetSize(), stream.GetPosition());
    EXPECT_EQ(f.magic, Head(stream, 6, int(std::strlen(f.magic))));
    stream.WriteString("suffix", -1);

    stream.Seek(6);
    SImage back;
    ASSERT_TRUE(back.LoadFromStream(&stream, length));
    EXPECT_EQ(6 + length, stream.GetPosition());
    ExpectPattern(back, 12, 8, f.tolerance);
  }
}

TEST_F(ImageStream, RoundTripsThroughFiles) {
  SImage picture;
  FillPattern(picture, 12, 8);
  for (const Format& f : kFormats) {
    SCOPED_TRACE(f.file);
    std::string path = OutPath(f.file);
    {
      SFilePath file(path.c_str(), true, true, false);
      ASSERT_TRUE(file.IsOpen());
      ASSERT_TRUE(picture.SaveToStream(&file, f.type, 0));
    }
    SFilePath file(path.c_str(), false, false, true);
    ASSERT_TRUE(file.IsOpen());
    SImage back;
    ASSERT_TRUE(back.LoadFromStream(&file, -1));
    EXPECT_TRUE(file.IsEnd());
    ExpectPattern(back, 12, 8, f.tolerance);
  }
}

TEST_F(ImageStream, PngKeepsAlpha) {
  const Gdiplus::ARGB pixels[] = {0xFF102030, 0x80FF0000, 0x01000000, 0x00000000};
  SImage picture;
  ASSERT_TRUE(picture.FromPixels(2, 2, pixels));
  SFileMem stream;
  ASSERT_TRUE(picture.SaveToStream(&stream, kImagePng, 0));
  stream.Rewind();
  SImage back;
  ASSERT_TRUE(back.LoadFromStream(&stream, -1));
  EXPECT_EQ(32, back.GetBitsPerPixel());
  for (int i = 0; i < 4; i++) EXPECT_EQ(pixels[i], PixelAt(back, i % 2, i / 2)) << i;

  // Written to a file too, for the outside check of a picture with alpha.
  SFilePath file(OutPath("image-alpha.png").c_str(), true, true, false);
  EXPECT_TRUE(picture.SaveToStream(&file, kImagePng, 0));
}

TEST_F(ImageStream, UnknownTypesWriteBmpAndColourDepthIsPassedOn) {
  SImage picture;
  FillPattern(picture, 3, 3, PixelFormat24bppRGB);
  for (int type : {7, -1, 0}) {
    SFileMem stream;
    ASSERT_TRUE(picture.SaveToStream(&stream, type, 0)) << type;
    EXPECT_EQ("BM", Head(stream, 0, 2));
  }
  // GDI+ may honour the depth or not (Wine's encoders ignore it); either way
  // the picture must come out whole.
  for (int depth : {16, 24, 32}) {
    SFileMem stream;
    ASSERT_TRUE(picture.SaveToStream(&stream, kImagePng, depth)) << depth;
    stream.Rewind();
    SImage back;
    ASSERT_TRUE(back.LoadFromStream(&stream, -1));
    ExpectPattern(back, 3, 3, depth == 16 ? 8 : 0);
  }
  SFileMem stream;
  EXPECT_FALSE(picture.SaveToStream(nullptr, kImagePng, 0));
}

// GIF pictures are paletted, and a paletted picture is what GIF encoders
// take: the 8-bit picture decoded from ImageMagick's GIF goes back out as a
// GIF with the same pixels.
TEST_F(ImageStream, GifRoundTripsAPalettedPicture) {
  SFilePath gif(DataPath("image-sample.gif").c_str(), false, false, true);
  SImage picture;
  ASSERT_TRUE(picture.LoadFromStream(&gif, -1));
  ASSERT_EQ(PixelFormat8bppIndexed, picture.GetPixelFormat());

  SFileMem stream;
  ASSERT_TRUE(picture.SaveToStream(&stream, kImageGif, 0));
  EXPECT_EQ("GIF8", Head(stream, 0, 4));
  stream.Rewind();
  SImage back;
  ASSERT_TRUE(back.LoadFromStream(&stream, -1));
  ASSERT_EQ(4, back.GetWidth());
  ASSERT_EQ(3, back.GetHeight());
  for (int y = 0; y < 3; y++)
    for (int x = 0; x < 4; x++) EXPECT_EQ(PixelAt(picture, x, y), PixelAt(back, x, y)) << x << "," << y;

  SFilePath file(OutPath("image-roundtrip.gif").c_str(), true, true, false);
  EXPECT_TRUE(picture.SaveToStream(&file, kImageGif, 0));
}

// Pictures written by ImageMagick decode to the pixels it was given.
TEST_F(ImageStream, DecodesPicturesOfAnotherWriter) {
  const Gdiplus::ARGB expected[3][4] = {
      {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF},
      {0xFF000000, 0xFF123456, 0x80C86432, 0x000A141E},
      {0xFF010203, 0xFFFAF0E6, 0xFF808080, 0xFF402010},
  };
  SFilePath png(DataPath("image-sample.png").c_str(), false, false, true);
  SImage image;
  ASSERT_TRUE(image.LoadFromStream(&png, -1));
  ASSERT_EQ(4, image.GetWidth());
  ASSERT_EQ(3, image.GetHeight());
  for (int y = 0; y < 3; y++)
    for (int x = 0; x < 4; x++) EXPECT_EQ(expected[y][x], PixelAt(image, x, y)) << x << "," << y;

  // The GIF holds the same colours without alpha.
  SFilePath gif(DataPath("image-sample.gif").c_str(), false, false, true);
  ASSERT_TRUE(image.LoadFromStream(&gif, -1));
  EXPECT_EQ(8, image.GetBitsPerPixel());
  EXPECT_EQ(0xFF123456u, PixelAt(image, 1, 1));
  EXPECT_EQ(0xFF402010u, PixelAt(image, 3, 2));
}

TEST_F(ImageStream, CountsAreCutToWhatRemains) {
  SImage picture;
  FillPattern(picture, 4, 4);
  SFileMem stream;
  ASSERT_TRUE(picture.SaveToStream(&stream, kImagePng, 0));
  int size = stream.GetSize();

  stream.Rewind();
  Gdiplus::Bitmap* bitmap = BitmapFromStream(&stream, size + 1000);
  ASSERT_NE(nullptr, bitmap);
  EXPECT_EQ(4u, bitmap->GetWidth());
  EXPECT_EQ(size, stream.GetPosition());
  delete bitmap;

  // Nothing left: no picture, and the stream stays where it is.
  EXPECT_EQ(nullptr, BitmapFromStream(&stream, -1));
  EXPECT_EQ(size, stream.GetPosition());
  stream.Rewind();
  EXPECT_EQ(nullptr, BitmapFromStream(&stream, 0));
  EXPECT_EQ(0, stream.GetPosition());
  EXPECT_EQ(nullptr, BitmapFromStream(nullptr, -1));

  // Too few bytes are no picture.
  EXPECT_EQ(nullptr, BitmapFromStream(&stream, size / 2));
}

// Whatever is wrong with the bytes, loading answers false and leaves the
// image empty; a missing stream leaves it as it was.
TEST_F(ImageStream, MalformedPicturesFailCleanly) {
  for (const char* name : {"image-truncated.png", "image-garbage.bmp"}) {
    SImage image;
    FillPattern(image, 2, 2);
    SFilePath file(DataPath(name).c_str(), false, false, true);
    ASSERT_TRUE(file.IsOpen()) << name;
    EXPECT_FALSE(image.LoadFromStream(&file, -1)) << name;
    EXPECT_FALSE(image.IsLoaded()) << name;
  }
  SFileMem text;
  text.WriteString("this is not a picture at all", -1);
  text.Rewind();
  SImage image;
  FillPattern(image, 2, 2);
  EXPECT_FALSE(image.LoadFromStream(&text, -1));
  EXPECT_FALSE(image.IsLoaded());

  FillPattern(image, 2, 2);
  EXPECT_FALSE(image.LoadFromStream(nullptr, -1));
  ExpectPattern(image, 2, 2);
}

}  // namespace
