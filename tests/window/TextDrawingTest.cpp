// GDI+ text with alignment and shadow, and two-colour gradients, read back
// by pixels.
#include "window/TextDrawing.h"

#include "tests/window/SImageTesting.h"

namespace {

using TextDrawing = ImageTest;

const Gdiplus::ARGB kWhite = 0xFFFFFFFF;

// The bounding box of the pixels of one colour; empty when there are none.
Gdiplus::Rect BoxOf(const SImage& image, Gdiplus::ARGB colour) {
  int left = INT_MAX, top = INT_MAX, right = -1, bottom = -1;
  for (int y = 0; y < image.GetHeight(); y++)
    for (int x = 0; x < image.GetWidth(); x++)
      if (PixelAt(image, x, y) == colour) {
        left = std::min(left, x), top = std::min(top, y);
        right = std::max(right, x), bottom = std::max(bottom, y);
      }
  return right < 0 ? Gdiplus::Rect() : Gdiplus::Rect(left, top, right - left + 1, bottom - top + 1);
}

TEST_F(TextDrawing, StringAlignmentBitsTable) {
  const struct {
    int bits;
    Gdiplus::StringAlignment horizontal, vertical;
  } cases[] = {
      {0x00, Gdiplus::StringAlignmentNear, Gdiplus::StringAlignmentNear},
      {0x01, Gdiplus::StringAlignmentCenter, Gdiplus::StringAlignmentNear},
      {0x02, Gdiplus::StringAlignmentFar, Gdiplus::StringAlignmentNear},
      {0x03, Gdiplus::StringAlignmentNear, Gdiplus::StringAlignmentNear},
      {0x10, Gdiplus::StringAlignmentNear, Gdiplus::StringAlignmentCenter},
      {0x21, Gdiplus::StringAlignmentCenter, Gdiplus::StringAlignmentFar},
      {0x32, Gdiplus::StringAlignmentFar, Gdiplus::StringAlignmentNear},
  };
  for (const auto& c : cases) {
    Gdiplus::StringFormat format;
    SetStringFormatAlign(c.bits, &format, c.bits & 1);
    EXPECT_EQ(c.horizontal, format.GetAlignment()) << c.bits;
    EXPECT_EQ(c.vertical, format.GetLineAlignment()) << c.bits;
    EXPECT_EQ(c.bits & 1 ? 0x800 : 0x1800, format.GetFormatFlags()) << c.bits;
  }
  SetStringFormatAlign(0x11, nullptr, true);  // nothing to set
}

TEST_F(TextDrawing, TextWithShadowInsideTheLayoutAndMeasured) {
  SImage canvas(200, 60);
  canvas.FillRect(kWhite, nullptr);
  // Wine's GDI+ does not find its own Tahoma; it finds the host's DejaVu.
  Gdiplus::FontFamily family(L"DejaVu Sans");
  Gdiplus::Font font(&family, 16, Gdiplus::FontStyleRegular, Gdiplus::UnitPixel);
  ASSERT_EQ(Gdiplus::Ok, font.GetLastStatus());
  Gdiplus::SolidBrush shadow(Gdiplus::Color(255, 255, 0, 0));
  Gdiplus::Rect layout(20, 10, 170, 40), measured(-1, -1, -1, -1);
  {
    Gdiplus::Graphics graphics(canvas.GetBitmap());
    graphics.SetTextRenderingHint(Gdiplus::TextRenderingHintSingleBitPerPixelGridFit);  // pure colours
    DrawStringGdiPlus(&measured, layout, &graphics, "Shadow text", &font, nullptr, nullptr, &shadow);
  }
  Gdiplus::Rect black = BoxOf(canvas, 0xFF000000), red = BoxOf(canvas, 0xFFFF0000);
  ASSERT_FALSE(black.IsEmptyArea());
  ASSERT_FALSE(red.IsEmptyArea());
  EXPECT_GE(black.X, layout.X);
  EXPECT_GE(black.Y, layout.Y);
  EXPECT_LE(black.GetRight(), layout.GetRight());
  // The shadow lies one pixel down and right of the text.
  EXPECT_EQ(black.GetRight() + 1, red.GetRight());
  EXPECT_EQ(black.GetBottom() + 1, red.GetBottom());
  // The measured box holds the text's pixels.
  EXPECT_EQ(layout.X, measured.X);
  EXPECT_EQ(layout.Y, measured.Y);
  EXPECT_GE(measured.GetRight() + 1, black.GetRight());
  EXPECT_GE(measured.GetBottom() + 1, black.GetBottom());

  // Centred at the bottom, in a brush of its own, no shadow, nothing measured.
  SImage aligned(200, 60);
  aligned.FillRect(kWhite, nullptr);
  Gdiplus::StringFormat format;
  SetStringFormatAlign(kAlignCenter | kAlignBottom, &format, false);
  Gdiplus::SolidBrush blue(Gdiplus::Color(255, 0, 0, 255));
  {
    Gdiplus::Graphics graphics(aligned.GetBitmap());
    graphics.SetTextRenderingHint(Gdiplus::TextRenderingHintSingleBitPerPixelGridFit);
    DrawStringGdiPlus(nullptr, Gdiplus::Rect(0, 0, 200, 60), &graphics, "Shadow text", &font, &format, &blue,
                      nullptr);
  }
  Gdiplus::Rect text = BoxOf(aligned, 0xFF0000FF);
  ASSERT_FALSE(text.IsEmptyArea());
  EXPECT_TRUE(BoxOf(aligned, 0xFF000000).IsEmptyArea());
  EXPECT_NEAR(100, text.X + text.Width / 2, 3);
  EXPECT_GT(text.Y, 30);
}

TEST_F(TextDrawing, GradientsRunFromTheFirstColourToTheSecond) {
  BITMAPINFO info = {};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), 256, -16, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP dib = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  ASSERT_NE(nullptr, dib);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, dib);
  auto pixel = [&](int x, int y) { return static_cast<uint32_t*>(bits)[y * 256 + x] & 0xFFFFFF; };

  RECT all = {0, 0, 256, 16};
  ASSERT_TRUE(FillGradient(RGB(0, 0, 0), all, dc, RGB(255, 0, 255), false));
  GdiFlush();
  EXPECT_EQ(0x000000u, pixel(0, 5));
  EXPECT_NEAR(0xFF, int(pixel(255, 5) & 0xFF), 2);      // blue, as the DIB holds it
  EXPECT_NEAR(0x80, int(pixel(128, 5) & 0xFF), 2);      // half way
  EXPECT_EQ(pixel(128, 0), pixel(128, 15));             // horizontal: columns are one colour

  ASSERT_TRUE(FillGradient(RGB(255, 255, 255), all, dc, RGB(0, 0, 0), true));
  GdiFlush();
  EXPECT_EQ(0xFFFFFFu, pixel(200, 0));
  EXPECT_EQ(pixel(0, 8), pixel(255, 8));  // vertical: rows are one colour
  EXPECT_LT(pixel(0, 15) & 0xFF, 0x20u);
  SelectObject(dc, old);
  DeleteDC(dc);
  DeleteObject(dib);

  SImage canvas(100, 10);
  canvas.FillRect(0xFF00FF00, nullptr);
  {
    Gdiplus::Graphics graphics(canvas.GetBitmap());
    ASSERT_TRUE(FillGradientGdiPlus(Gdiplus::Color(255, 255, 0, 0), Gdiplus::Color(255, 0, 0, 255),
                                    Gdiplus::Rect(10, 2, 80, 6), &graphics));
  }
  EXPECT_EQ(0xFF00FF00u, PixelAt(canvas, 5, 5));  // outside the rectangle
  EXPECT_EQ(0xFF00FF00u, PixelAt(canvas, 50, 0));
  EXPECT_LE(ChannelDistance(0xFFFF0000, PixelAt(canvas, 10, 4)), 4);
  EXPECT_LE(ChannelDistance(0xFF0000FF, PixelAt(canvas, 89, 4)), 4);
  EXPECT_FALSE(FillGradientGdiPlus(Gdiplus::Color(), Gdiplus::Color(), Gdiplus::Rect(0, 0, 1, 1), nullptr));
}

}  // namespace
