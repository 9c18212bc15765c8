// GDI+ text with alignment and a shadow, and two-colour gradients: shared by
// the labels, the owner-drawn controls and the printer pages.
#pragma once

#include <windows.h>

#include <gdiplus.h>

// Alignment bits: low 4 bits 1 centre, 2 far (right), anything else near;
// bits 4-7 0x10 middle, 0x20 far (bottom), anything else top.
enum TextAlign : int {
  kAlignCenter = 0x1,
  kAlignRight = 0x2,
  kAlignMiddle = 0x10,
  kAlignBottom = 0x20,
};

// Draws the ANSI text in the layout rectangle. With measured, the text's
// bounding box there (default format) is stored first. A null format or
// brush means the default format and solid black; with a shadow brush the
// text is drawn with it one pixel down and right first.
void DrawStringGdiPlus(Gdiplus::Rect* measured, const Gdiplus::Rect& layout, Gdiplus::Graphics* graphics,
                       const char* text, const Gdiplus::Font* font, const Gdiplus::StringFormat* format,
                       const Gdiplus::Brush* brush, const Gdiplus::Brush* shadow);

// Sets the format's alignments from the bits; trailing spaces are always
// measured, and the lines wrap only with wrap. Nothing without a format.
void SetStringFormatAlign(int align, Gdiplus::StringFormat* format, bool wrap);

// Fills the rectangle from the first colour at its left (top when vertical)
// to the second at its right (bottom).
bool FillGradient(COLORREF first, const RECT& rect, HDC dc, COLORREF second, bool vertical);
// The same, always from left to right, into the graphics' device.
bool FillGradientGdiPlus(const Gdiplus::Color& first, const Gdiplus::Color& second, const Gdiplus::Rect& rect,
                         Gdiplus::Graphics* graphics);
