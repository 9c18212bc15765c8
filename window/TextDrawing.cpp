// GDI+ text with alignment and shadow, and two-colour gradients.
#include "window/TextDrawing.h"

#include <memory>

#include "core/SUniString.h"

using Gdiplus::RectF;
using Gdiplus::StringFormat;

// ---- Text ----------------------------------------------------------------------------

void DrawStringGdiPlus(Gdiplus::Rect* measured, const Gdiplus::Rect& layout, Gdiplus::Graphics* graphics,
                       const char* text, const Gdiplus::Font* font, const StringFormat* format,
                       const Gdiplus::Brush* brush, const Gdiplus::Brush* shadow) {
  if (!graphics) return;
  SUniString wide(text);
  auto* units = reinterpret_cast<const WCHAR*>(wide.GetText());
  RectF box(static_cast<float>(layout.X), static_cast<float>(layout.Y), static_cast<float>(layout.Width),
            static_cast<float>(layout.Height));
  if (measured) {
    RectF bounds;
    StringFormat measuring;
    if (graphics->MeasureString(units, -1, font, box, &measuring, &bounds) == Gdiplus::Ok)
      *measured = Gdiplus::Rect(static_cast<INT>(bounds.X), static_cast<INT>(bounds.Y),
                                static_cast<INT>(bounds.Width), static_cast<INT>(bounds.Height));
  }
  std::unique_ptr<StringFormat> ownFormat;
  if (!format) format = (ownFormat = std::make_unique<StringFormat>()).get();
  std::unique_ptr<Gdiplus::SolidBrush> ownBrush;
  if (!brush) brush = (ownBrush = std::make_unique<Gdiplus::SolidBrush>(Gdiplus::Color(255, 0, 0, 0))).get();
  if (shadow) {
    RectF moved(box.X + 1, box.Y + 1, box.Width, box.Height);
    graphics->DrawString(units, -1, font, moved, format, shadow);
  }
  graphics->DrawString(units, -1, font, box, format, brush);
}

void SetStringFormatAlign(int align, StringFormat* format, bool wrap) {
  if (!format) return;
  format->SetFormatFlags(wrap ? Gdiplus::StringFormatFlagsMeasureTrailingSpaces
                              : Gdiplus::StringFormatFlagsMeasureTrailingSpaces | Gdiplus::StringFormatFlagsNoWrap);
  auto alignment = [](int bits) {
    return bits == 1 ? Gdiplus::StringAlignmentCenter : bits == 2 ? Gdiplus::StringAlignmentFar
                                                                   : Gdiplus::StringAlignmentNear;
  };
  format->SetAlignment(alignment(align & 0xF));
  format->SetLineAlignment(alignment((align >> 4) & 0xF));
}

// ---- Gradients ----------------------------------------------------------------------------

namespace {

// A vertex colour channel: the 8-bit value in the high byte, 0xFF below.
COLOR16 Channel16(BYTE c) { return static_cast<COLOR16>(c * 255 + 255); }

TRIVERTEX Vertex(LONG x, LONG y, BYTE red, BYTE green, BYTE blue) {
  TRIVERTEX v;
  v.x = x;
  v.y = y;
  v.Red = Channel16(red);
  v.Green = Channel16(green);
  v.Blue = Channel16(blue);
  v.Alpha = 0;
  return v;
}

bool FillTwoVertices(HDC dc, TRIVERTEX (&vertices)[2], bool vertical) {
  GRADIENT_RECT rect = {0, 1};
  return GradientFill(dc, vertices, 2, &rect, 1, vertical ? GRADIENT_FILL_RECT_V : GRADIENT_FILL_RECT_H) != FALSE;
}

}  // namespace

bool FillGradient(COLORREF first, const RECT& rect, HDC dc, COLORREF second, bool vertical) {
  TRIVERTEX vertices[2] = {
      Vertex(rect.left, rect.top, GetRValue(first), GetGValue(first), GetBValue(first)),
      Vertex(rect.right, rect.bottom, GetRValue(second), GetGValue(second), GetBValue(second)),
  };
  return FillTwoVertices(dc, vertices, vertical);
}

bool FillGradientGdiPlus(const Gdiplus::Color& first, const Gdiplus::Color& second, const Gdiplus::Rect& rect,
                         Gdiplus::Graphics* graphics) {
  if (!graphics) return false;
  TRIVERTEX vertices[2] = {
      Vertex(rect.X, rect.Y, first.GetR(), first.GetG(), first.GetB()),
      Vertex(rect.X + rect.Width, rect.Y + rect.Height, second.GetR(), second.GetG(), second.GetB()),
  };
  HDC dc = graphics->GetHDC();
  if (!dc) return false;
  bool done = FillTwoVertices(dc, vertices, false);
  graphics->ReleaseHDC(dc);
  return done;
}
