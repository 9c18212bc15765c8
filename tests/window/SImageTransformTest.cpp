// Changing an SImage's size, depth and orientation, and filling it.
#include <vector>

#include "tests/window/SImageTesting.h"

namespace {

using ImageTransform = ImageTest;

TEST_F(ImageTransform, ResizeScalesAndRefusesWhatItCannotDo) {
  SImage image;
  FillPattern(image, 8, 6, PixelFormat24bppRGB);
  Gdiplus::Bitmap* before = image.GetBitmap();
  EXPECT_FALSE(image.Resize(8, 6));  // the present size
  EXPECT_FALSE(image.Resize(0, 6));  // GDI+ makes no such bitmap: the picture stays
  EXPECT_FALSE(image.Resize(-3, -1));
  EXPECT_EQ(before, image.GetBitmap());
  ExpectPattern(image, 8, 6);

  ASSERT_TRUE(image.Resize(16, 3));
  EXPECT_EQ(16, image.GetWidth());
  EXPECT_EQ(3, image.GetHeight());
  EXPECT_EQ(PixelFormat24bppRGB, image.GetPixelFormat());
  // A one-colour picture scales to the same colour everywhere.
  SImage plain(4, 4);
  plain.FillRect(0xFF336699, nullptr);
  ASSERT_TRUE(plain.Resize(9, 7));
  EXPECT_EQ(0xFF336699u, PixelAt(plain, 4, 3));
  EXPECT_EQ(DRAW_TOPLEFT, plain.GetDrawMode());

  // Indexed pictures cannot be drawn into: false, and nothing changes.
  SImage indexed;
  ASSERT_TRUE(indexed.Create(4, 4, PixelFormat8bppIndexed));
  before = indexed.GetBitmap();
  EXPECT_FALSE(indexed.Resize(8, 8));
  EXPECT_FALSE(indexed.ResizeCanvas(8, 8));
  EXPECT_EQ(before, indexed.GetBitmap());
  EXPECT_EQ(4, indexed.GetWidth());

  SImage empty;
  EXPECT_FALSE(empty.Resize(4, 4));
  EXPECT_FALSE(empty.ResizeCanvas(4, 4));
}

TEST_F(ImageTransform, ResizeCanvasCentresTheUnscaledPicture) {
  SImage image;
  FillPattern(image, 4, 4);
  image.SetDrawMode(DRAW_STRETCH);
  ASSERT_TRUE(image.ResizeCanvas(8, 6));  // at (2, 1), blank around
  EXPECT_EQ(DRAW_STRETCH, image.GetDrawMode());
  for (int y = 0; y < 6; y++)
    for (int x = 0; x < 8; x++) {
      bool inside = x >= 2 && x < 6 && y >= 1 && y < 5;
      EXPECT_EQ(inside ? PatternPixel(x - 2, y - 1) : 0u, PixelAt(image, x, y)) << x << "," << y;
    }

  SImage backed;
  FillPattern(backed, 4, 4);
  backed.SetBackColor(RGB(0x11, 0x22, 0x33));
  ASSERT_TRUE(backed.ResizeCanvas(6, 4));
  EXPECT_EQ(0xFF112233u, PixelAt(backed, 0, 0));
  EXPECT_EQ(0xFF112233u, PixelAt(backed, 5, 3));
  EXPECT_EQ(PatternPixel(0, 0), PixelAt(backed, 1, 0));

  SImage cropped;
  FillPattern(cropped, 4, 4);
  ASSERT_TRUE(cropped.ResizeCanvas(2, 2));  // the middle of the picture
  EXPECT_EQ(PatternPixel(1, 1), PixelAt(cropped, 0, 0));
  EXPECT_EQ(PatternPixel(2, 2), PixelAt(cropped, 1, 1));
}

TEST_F(ImageTransform, ConvertBits) {
  SImage image;
  FillPattern(image, 5, 3, PixelFormat24bppRGB);
  EXPECT_FALSE(image.ConvertBits(24));  // already
  EXPECT_FALSE(image.ConvertBits(2));   // no such format
  EXPECT_FALSE(image.ConvertBits(48));  // not offered
  ASSERT_TRUE(image.ConvertBits(32));
  EXPECT_EQ(PixelFormat32bppARGB, image.GetPixelFormat());
  ExpectPattern(image, 5, 3);
  ASSERT_TRUE(image.ConvertBits(16));
  EXPECT_EQ(PixelFormat16bppRGB565, image.GetPixelFormat());
  ExpectPattern(image, 5, 3, 8);  // 5 and 6 bits a channel
  ASSERT_TRUE(image.ConvertBits(24));
  EXPECT_EQ(PixelFormat24bppRGB, image.GetPixelFormat());

  // Indexed targets (Wine's GDI+ converts to them too); white stays white
  // in every palette.
  for (int bits : {8, 4, 1}) {
    SImage source(5, 3);
    source.FillRect(0xFFFFFFFF, nullptr);
    ASSERT_TRUE(source.ConvertBits(bits)) << bits;
    EXPECT_EQ(bits, source.GetBitsPerPixel());
    EXPECT_EQ(0xFFFFFFFFu, PixelAt(source, 4, 2)) << bits;
    EXPECT_FALSE(source.ConvertBits(bits));
  }
  SImage empty;
  EXPECT_FALSE(empty.ConvertBits(32));
}

TEST_F(ImageTransform, RotateAndFlip) {
  const int w = 3, h = 2;
  const struct {
    int turns, width;
    int fromX[6], fromY[6];  // the source of each new pixel, row by row
  } cases[] = {
      {0, 3, {0, 1, 2, 0, 1, 2}, {0, 0, 0, 1, 1, 1}},
      {1, 2, {0, 0, 1, 1, 2, 2}, {1, 0, 1, 0, 1, 0}},  // clockwise: the left column becomes the top row
      {5, 2, {0, 0, 1, 1, 2, 2}, {1, 0, 1, 0, 1, 0}},
      {2, 3, {2, 1, 0, 2, 1, 0}, {1, 1, 1, 0, 0, 0}},
      {3, 2, {2, 2, 1, 1, 0, 0}, {0, 1, 0, 1, 0, 1}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.turns);
    SImage image;
    FillPattern(image, w, h);
    ASSERT_TRUE(image.Rotate(c.turns));
    ASSERT_EQ(c.width, image.GetWidth());
    for (int i = 0; i < 6; i++)
      EXPECT_EQ(PatternPixel(c.fromX[i], c.fromY[i]), PixelAt(image, i % c.width, i / c.width)) << i;
  }
  SImage image;
  FillPattern(image, w, h);
  EXPECT_FALSE(image.Rotate(-1));
  ExpectPattern(image, w, h);

  image.Flip(true, false);
  EXPECT_EQ(PatternPixel(2, 0), PixelAt(image, 0, 0));
  image.Flip(true, false);
  image.Flip(false, true);
  EXPECT_EQ(PatternPixel(0, 1), PixelAt(image, 0, 0));
  image.Flip(false, true);
  image.Flip(true, true);
  EXPECT_EQ(PatternPixel(2, 1), PixelAt(image, 0, 0));
  image.Flip(true, true);
  image.Flip(false, false);
  ExpectPattern(image, w, h);

  SImage empty;
  EXPECT_FALSE(empty.Rotate(1));
}

TEST_F(ImageTransform, PaletteAlpha) {
  SImage image;
  ASSERT_TRUE(image.Create(4, 4, PixelFormat8bppIndexed));
  ASSERT_TRUE(image.SetPaletteAlpha(0x40));
  int size = image.GetBitmap()->GetPaletteSize();
  ASSERT_GT(size, int(sizeof(Gdiplus::ColorPalette)));
  std::vector<BYTE> buffer(size);
  auto* palette = reinterpret_cast<Gdiplus::ColorPalette*>(buffer.data());
  ASSERT_EQ(Gdiplus::Ok, image.GetBitmap()->GetPalette(palette, size));
  EXPECT_TRUE(palette->Flags & Gdiplus::PaletteFlagsHasAlpha);
  ASSERT_GT(palette->Count, 1u);
  EXPECT_EQ(0x40u, palette->Entries[1] >> 24);
  EXPECT_EQ(0x40u, palette->Entries[palette->Count - 1] >> 24);

  SImage empty;
  EXPECT_FALSE(empty.SetPaletteAlpha(0x40));
}

TEST_F(ImageTransform, FillAndFillRect) {
  SImage image(5, 4);
  image.Fill(RGB(0x10, 0x20, 0x30));  // a COLORREF, made opaque
  EXPECT_EQ(0xFF102030u, PixelAt(image, 4, 3));
  Gdiplus::Rect area(1, 1, 2, 2);
  image.FillRect(0xFFAA5500, &area);
  for (int y = 0; y < 4; y++)
    for (int x = 0; x < 5; x++)
      EXPECT_EQ(area.Contains(x, y) ? 0xFFAA5500u : 0xFF102030u, PixelAt(image, x, y)) << x << "," << y;
  image.FillRect(0x80FFFFFF, nullptr);  // cleared, alpha and all
  EXPECT_EQ(0x80FFFFFFu, PixelAt(image, 2, 2));
}

}  // namespace
