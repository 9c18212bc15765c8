// The pixel loops: grey, brightness/contrast and alpha, on padded 24-bit
// rows and on sub-rectangles, with the pixels outside left as they were.
#include "tests/window/SImageTesting.h"
#include "window/ColorFunctions.h"

namespace {

using ImagePixelOps = ImageTest;

// The pixel as a COLORREF, red low.
COLORREF AsColorRef(Gdiplus::ARGB p) { return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF); }
Gdiplus::ARGB FromColorRef(Gdiplus::ARGB alpha, COLORREF c) {
  return alpha << 24 | GetRValue(c) << 16 | GetGValue(c) << 8 | GetBValue(c);
}

// Every pixel inside the area is changed(original), every other one the
// pattern as it was.
template <class Changed>
void ExpectChangedInside(const SImage& image, int width, int height, const Gdiplus::Rect& area, Changed changed) {
  int wrong = 0;
  for (int y = 0; y < height; y++)
    for (int x = 0; x < width; x++) {
      Gdiplus::ARGB was = PatternPixel(x, y), want = area.Contains(x, y) ? changed(x, y, was) : was;
      Gdiplus::ARGB is = PixelAt(image, x, y);
      if (is != want && ++wrong <= 3) ADD_FAILURE() << x << "," << y << ": " << std::hex << is << " not " << want;
    }
  EXPECT_EQ(0, wrong);
}

Gdiplus::ARGB Grey(Gdiplus::ARGB p) { return FromColorRef(p >> 24, ColorToGrey(AsColorRef(p))); }

TEST_F(ImagePixelOps, DesaturateOnPaddedRowsAndSubRectangles) {
  // 7 pixels of 3 bytes: 21 bytes a row, padded to 24.
  for (Gdiplus::PixelFormat format : {PixelFormat24bppRGB, PixelFormat32bppARGB}) {
    SCOPED_TRACE(testing::Message() << std::hex << format);
    SImage whole;
    FillPattern(whole, 7, 5, format);
    ASSERT_TRUE(whole.Desaturate(nullptr, kNoImageColor));
    ExpectChangedInside(whole, 7, 5, Gdiplus::Rect(0, 0, 7, 5), [](int, int, Gdiplus::ARGB p) { return Grey(p); });

    SImage part;
    FillPattern(part, 7, 5, format);
    Gdiplus::Rect area(2, 1, 3, 3);
    ASSERT_TRUE(part.Desaturate(&area, kNoImageColor));
    ExpectChangedInside(part, 7, 5, area, [](int, int, Gdiplus::ARGB p) { return Grey(p); });
  }
}

TEST_F(ImagePixelOps, TheKeyIsAColorRefAndItsPixelsStay) {
  SImage image;
  FillPattern(image, 7, 5, PixelFormat24bppRGB);
  Gdiplus::ARGB kept = PatternPixel(3, 2);  // red 60, green 60, blue 105
  COLORREF key = AsColorRef(kept);
  ASSERT_TRUE(image.Desaturate(nullptr, key));
  ExpectChangedInside(image, 7, 5, Gdiplus::Rect(0, 0, 7, 5),
                      [kept](int, int, Gdiplus::ARGB p) { return p == kept ? p : Grey(p); });

  // A red pixel is grey by red's weight, not blue's.
  SImage red(1, 1);
  red.FillRect(0xFFFF0000, nullptr);
  ASSERT_TRUE(red.Desaturate(nullptr, kNoImageColor));
  EXPECT_EQ(0xFF4B4B4Bu, PixelAt(red, 0, 0));
}

TEST_F(ImagePixelOps, AdjustColorsOnPaddedRowsWithAKey) {
  SImage image;
  FillPattern(image, 7, 5, PixelFormat24bppRGB);
  Gdiplus::Rect area(1, 2, 5, 3);
  Gdiplus::ARGB kept = PatternPixel(4, 3);
  COLORREF key = AsColorRef(kept);
  ASSERT_TRUE(image.AdjustColors(0.2, 1.3, key, &area));
  ExpectChangedInside(image, 7, 5, area, [kept](int, int, Gdiplus::ARGB p) {
    return p == kept ? p : FromColorRef(p >> 24, AdjustColor(AsColorRef(p), 0.2, 1.3));
  });
}

TEST_F(ImagePixelOps, SetAlphaOnlyLowerAndOnlyOn32Bits) {
  SImage image;
  FillPattern(image, 6, 4);
  ASSERT_EQ(Gdiplus::Ok, image.SetPixel(2, 1, 0x40112233));  // already below
  Gdiplus::Rect area(1, 1, 3, 2);
  ASSERT_TRUE(image.SetAlpha(&area, 128, true));
  for (int y = 0; y < 4; y++)
    for (int x = 0; x < 6; x++) {
      Gdiplus::ARGB is = PixelAt(image, x, y);
      if (x == 2 && y == 1)
        EXPECT_EQ(0x40112233u, is);
      else
        EXPECT_EQ(area.Contains(x, y) ? (PatternPixel(x, y) & 0xFFFFFF) | 0x80000000 : PatternPixel(x, y), is)
            << x << "," << y;
    }
  ASSERT_TRUE(image.SetAlpha(nullptr, 200, false));
  EXPECT_EQ(0xC8112233u, PixelAt(image, 2, 1));
  EXPECT_EQ(0xC8000000u, PixelAt(image, 0, 0) & 0xFF000000);

  SImage rgb;
  FillPattern(rgb, 3, 3, PixelFormat24bppRGB);
  EXPECT_FALSE(rgb.SetAlpha(nullptr, 10, false));
}

TEST_F(ImagePixelOps, OtherDepthsEmptyImagesAndAreasOutsideAnswerFalse) {
  SImage indexed;
  ASSERT_TRUE(indexed.Create(4, 4, PixelFormat8bppIndexed));
  EXPECT_FALSE(indexed.Desaturate(nullptr, kNoImageColor));
  EXPECT_FALSE(indexed.AdjustColors(0.1, 1, kNoImageColor, nullptr));
  SImage empty;
  EXPECT_FALSE(empty.Desaturate(nullptr, kNoImageColor));
  EXPECT_FALSE(empty.SetAlpha(nullptr, 1, false));

  SImage image;
  FillPattern(image, 4, 4);
  Gdiplus::Rect beyond(2, 2, 5, 5), none(1, 1, 0, 3);
  EXPECT_FALSE(image.Desaturate(&beyond, kNoImageColor));
  EXPECT_FALSE(image.SetAlpha(&none, 1, false));
  ExpectPattern(image, 4, 4);
}

}  // namespace
