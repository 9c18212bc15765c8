// Point-size fonts, style bits and text measurement.
#include "window/FontFunctions.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

int ScreenDpi() {
  HDC screen = GetDC(nullptr);
  int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return dpi;
}

// Deletes the font when it goes out of scope.
struct Font {
  HFONT handle;
  explicit Font(HFONT h) : handle(h) {}
  ~Font() {
    if (handle) DeleteObject(handle);
  }
  LOGFONTA Logical() const {
    LOGFONTA f = {};
    EXPECT_EQ(int(sizeof f), GetObjectA(handle, sizeof f, &f));
    return f;
  }
};

TEST(FontFunctions, PointsAndHeights) {
  const struct {
    double points;
    int dpi, height;
  } cases[] = {
      {8, 96, -11},     // -10.67: the fraction below one half goes down
      {8, 120, -13},    // -13.33
      {10.5, 72, -10},  // -10.5: halves go up
      {9, 96, -12},
      {0, 96, 0},
      {-8, 96, 11},     // 10.67
  };
  for (const auto& c : cases) EXPECT_EQ(c.height, PointsToHeightAtDpi(c.points, c.dpi)) << c.points << " " << c.dpi;

  int dpi = ScreenDpi();
  EXPECT_EQ(PointsToHeightAtDpi(8, dpi), PointsToHeight(8, nullptr));
  HDC screen = GetDC(nullptr);
  EXPECT_EQ(PointsToHeightAtDpi(12, dpi), PointsToHeight(12, screen));
  EXPECT_DOUBLE_EQ(-11 * -72.0 / dpi, HeightToPoints(screen, -11));
  ReleaseDC(nullptr, screen);
  EXPECT_DOUBLE_EQ(-16 * -72.0 / dpi, HeightToPoints(nullptr, -16));
}

TEST(FontFunctions, LogFontAndStyleBits) {
  LOGFONTA font;
  std::memset(&font, 0x5A, sizeof font);
  std::string face(40, 'F');
  FillLogFont(face.c_str(), 8, kFontBold | kFontUnderline, font);
  EXPECT_EQ(std::string(31, 'F'), font.lfFaceName);
  EXPECT_EQ(PointsToHeight(8, nullptr), font.lfHeight);
  EXPECT_EQ(FW_BOLD, font.lfWeight);
  EXPECT_EQ(0, font.lfItalic);
  EXPECT_EQ(1, font.lfUnderline);
  EXPECT_EQ(0, font.lfStrikeOut);
  EXPECT_EQ(0, font.lfWidth);
  EXPECT_EQ(0, font.lfCharSet);
  EXPECT_EQ(kFontBold | kFontUnderline, LogFontStyle(font));

  FillLogFont("Tahoma", 10, kFontItalic | kFontStrikeOut, font);
  EXPECT_STREQ("Tahoma", font.lfFaceName);
  EXPECT_EQ(0, font.lfWeight);
  EXPECT_EQ(kFontItalic | kFontStrikeOut, LogFontStyle(font));
  font.lfWeight = 600;  // semi-bold is not bold
  EXPECT_EQ(kFontItalic | kFontStrikeOut, LogFontStyle(font));

  EXPECT_TRUE(IsBoldStyle(0xF) && IsItalicStyle(0xF) && IsUnderlineStyle(0xF) && IsStrikeOutStyle(0xF));
  EXPECT_FALSE(IsBoldStyle(0xE) || IsItalicStyle(0xD) || IsUnderlineStyle(0xB) || IsStrikeOutStyle(0x7));
}

TEST(FontFunctions, CreatedFontsCarryHeightAndStyle) {
  int height = 0;
  Font font(CreatePointFont("Tahoma", 8, kFontBold | kFontItalic, &height, nullptr));
  ASSERT_NE(nullptr, font.handle);
  EXPECT_EQ(PointsToHeight(8, nullptr), height);
  LOGFONTA logical = font.Logical();
  EXPECT_EQ(height, logical.lfHeight);
  EXPECT_EQ(FW_BOLD, logical.lfWeight);
  EXPECT_EQ(kFontBold | kFontItalic, LogFontStyle(logical));
  EXPECT_STREQ("Tahoma", logical.lfFaceName);

  Font styled(CreateStyledFont(kFontUnderline | kFontStrikeOut, "Tahoma", -20));
  logical = styled.Logical();
  EXPECT_EQ(-20, logical.lfHeight);
  EXPECT_EQ(0, logical.lfWeight);
  EXPECT_EQ(kFontUnderline | kFontStrikeOut, LogFontStyle(logical));
  Font noHeightOut(CreatePointFont("Tahoma", 8, 0, nullptr, nullptr));
  EXPECT_NE(nullptr, noHeightOut.handle);
}

TEST(FontFunctions, CharacterSizeAndTextExtent) {
  Font font(CreateStyledFont(0, "Tahoma", -20));
  HDC screen = GetDC(nullptr);
  HGDIOBJ old = SelectObject(screen, font.handle);
  TEXTMETRICA metrics;
  ASSERT_TRUE(GetTextMetricsA(screen, &metrics));
  SIZE hello;
  ASSERT_TRUE(GetTextExtentPoint32A(screen, "Hello", 5, &hello));
  SelectObject(screen, old);
  ReleaseDC(nullptr, screen);

  SIZE average = GetFontCharSize(font.handle);
  EXPECT_EQ(metrics.tmAveCharWidth, average.cx);
  EXPECT_EQ(metrics.tmHeight, average.cy);

  SIZE extent = GetTextExtent(font.handle, "Hello", 5);
  EXPECT_EQ(hello.cx, extent.cx);
  EXPECT_EQ(metrics.tmHeight, extent.cy);
  // Only the length given counts; a line break makes a second line; '&'
  // is a character, not a prefix.
  EXPECT_LT(GetTextExtent(font.handle, "Hello", 2).cx, extent.cx);
  EXPECT_EQ(2 * metrics.tmHeight, GetTextExtent(font.handle, "He\nllo", 6).cy);
  EXPECT_GT(GetTextExtent(font.handle, "&x", 2).cx, GetTextExtent(font.handle, "x", 1).cx);
  SIZE none = GetTextExtent(font.handle, "", 0);
  EXPECT_EQ(0, none.cx);
}

}  // namespace
