// Point-size fonts, their style bits, and text measurement.
#include "window/FontFunctions.h"

#include <cmath>
#include <cstring>

namespace {

// LOGPIXELSY of the device, or of the screen.
int PixelsPerInchY(HDC dc) {
  if (dc) return GetDeviceCaps(dc, LOGPIXELSY);
  HDC screen = GetDC(nullptr);
  int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return dpi;
}

}  // namespace

// ---- Heights and points ----------------------------------------------------------------

int PointsToHeight(double points, HDC dc) { return PointsToHeightAtDpi(points, PixelsPerInchY(dc)); }

int PointsToHeightAtDpi(double points, int dpi) {
  double x = dpi * points / -72;
  double below = std::floor(x);
  return static_cast<int>(x - below >= 0.5 ? std::ceil(x) : below);
}

double HeightToPoints(HDC dc, int height) { return height * -72.0 / PixelsPerInchY(dc); }

// ---- Logical fonts ---------------------------------------------------------------------

void FillLogFont(const char* face, double points, int style, LOGFONTA& font) {
  std::memset(&font, 0, sizeof font);
  if (face) std::strncpy(font.lfFaceName, face, LF_FACESIZE - 1);
  font.lfHeight = PointsToHeight(points, nullptr);
  font.lfWeight = IsBoldStyle(style) ? FW_BOLD : 0;
  font.lfItalic = IsItalicStyle(style);
  font.lfUnderline = IsUnderlineStyle(style);
  font.lfStrikeOut = IsStrikeOutStyle(style);
}

int LogFontStyle(const LOGFONTA& font) {
  int style = 0;
  if (font.lfWeight == FW_BOLD) style |= kFontBold;
  if (font.lfItalic) style |= kFontItalic;
  if (font.lfUnderline) style |= kFontUnderline;
  if (font.lfStrikeOut) style |= kFontStrikeOut;
  return style;
}

// ---- Font handles ----------------------------------------------------------------------

HFONT CreateStyledFont(int style, const char* face, int height) {
  return CreateFontA(height, 0, 0, 0, IsBoldStyle(style) ? FW_BOLD : 0, IsItalicStyle(style),
                     IsUnderlineStyle(style), IsStrikeOutStyle(style), 0, 0, 0, 0, 0, face);
}

HFONT CreatePointFont(const char* face, double points, int style, int* height, HDC dc) {
  int h = PointsToHeight(points, dc);
  if (height) *height = h;
  return CreateStyledFont(style, face, h);
}

// ---- Measurement -----------------------------------------------------------------------

SIZE GetFontCharSize(HFONT font) {
  SIZE size = {0, 0};
  HDC screen = GetDC(nullptr);
  HGDIOBJ old = SelectObject(screen, font);
  TEXTMETRICA metrics;
  if (GetTextMetricsA(screen, &metrics)) size = {metrics.tmAveCharWidth, metrics.tmHeight};
  SelectObject(screen, old);
  ReleaseDC(nullptr, screen);
  return size;
}

SIZE GetTextExtent(HFONT font, const char* text, int length) {
  SIZE size = {0, 0};
  HDC dc = CreateCompatibleDC(nullptr);
  if (!dc) return size;
  HGDIOBJ old = SelectObject(dc, font);
  RECT r = {0, 0, 0, 0};
  DrawTextA(dc, text, length, &r, DT_CALCRECT | DT_NOPREFIX);
  SelectObject(dc, old);
  DeleteDC(dc);
  size = {r.right, r.bottom};
  return size;
}
