#include "window/controls/SMediaCtrl.h"

#include <algorithm>

#include "window/ControlNotify.h"
#include "window/Framework.h"
#include "window/FrameworkMessage.h"
#include "window/PixelCanvas.h"
#include "window/controls/ControlWindow.h"

namespace {

const UINT kMediaMouse = ControlNotifyMessage(kControlClassMedia, 0);
const UINT kTextFormat = DT_NOPREFIX | DT_SINGLELINE;

// One channel of a premultiplied pixel: the text's colour over what lies
// under it, by the glyph's coverage (0..255).
uint32_t Over(uint32_t text, uint32_t under, uint32_t coverage) {
  return (text * coverage + under * (255 - coverage) + 127) / 255;
}

}  // namespace

SMediaCtrl::SMediaCtrl()
    : m_textColor(GetSysColor(COLOR_BTNTEXT)), m_alignment(kLabelLeft | kLabelTop), m_margins{0, 0, 0, 0},
      m_textRect{0, 0, 0, 0} {
  m_windowType = kWindowMedia;
}

bool SMediaCtrl::Create(const char* text, DWORD style, DWORD exStyle, const RECT* rect, HWND parent, int id,
                        void* creationData) {
  if (!(style & WS_POPUP)) style |= WS_CHILD;
  return SWnd::Create(style | WS_VISIBLE, text, exStyle, rect, parent,
                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), creationData, GetInstanceHandle(), false);
}

void SMediaCtrl::SetTextColor(COLORREF color) {
  if (color == m_textColor) return;
  m_textColor = color;
  Repaint();
}

void SMediaCtrl::SetBackColor(uint32_t color) {
  if (color == GetBackColor()) return;
  SWnd::SetBackColor(color);
  Repaint();
}

void SMediaCtrl::SetAlignment(int32_t alignment, int left, int top, int right, int bottom) {
  m_alignment = alignment;
  m_margins = {left, top, right, bottom};
  Layout();
  Repaint();
}

void SMediaCtrl::Repaint() {
  if (m_hwnd) Redraw(RDW_INVALIDATE | RDW_ERASE, nullptr, nullptr);
}

void SMediaCtrl::Layout() {
  RECT area;
  if (!m_hwnd || !::GetClientRect(m_hwnd, &area)) return;
  area.left += m_margins.left;
  area.top += m_margins.top;
  area.right -= m_margins.right;
  area.bottom -= m_margins.bottom;
  SString text = GetText();
  RECT extent = {0, 0, 0, 0};
  HDC dc = ::GetDC(m_hwnd);
  HFONT font = GetFont();
  HGDIOBJ old = font ? SelectObject(dc, font) : nullptr;
  // An empty text still has a line's height.
  DrawTextA(dc, text.GetLength() ? text.GetText() : " ", -1, &extent, kTextFormat | DT_CALCRECT);
  if (old) SelectObject(dc, old);
  ::ReleaseDC(m_hwnd, dc);
  int width = text.GetLength() ? extent.right : 0, height = extent.bottom;
  int x = area.left, y = area.top;
  switch (m_alignment & 3) {
    case kLabelCenter: x += (area.right - area.left - width) / 2; break;
    case kLabelRight: x = area.right - width; break;
  }
  if (m_alignment & kLabelBottom)
    y = area.bottom - height;
  else if (m_alignment & kLabelMiddle)
    y += (area.bottom - area.top - height) / 2;
  m_textRect = {x, y, x + width, y + height};
}

void SMediaCtrl::DrawTextIn(HDC dc, COLORREF color, int dx, int dy) {
  SString text = GetText();
  if (text.GetLength() == 0) return;
  RECT place = m_textRect;
  OffsetRect(&place, dx, dy);
  HFONT font = GetFont();
  int mode = SetBkMode(dc, TRANSPARENT);
  COLORREF oldColor = ::SetTextColor(dc, color);
  HGDIOBJ oldFont = font ? SelectObject(dc, font) : nullptr;
  DrawTextA(dc, text.GetText(), text.GetLength(), &place, kTextFormat | DT_NOCLIP);
  if (oldFont) SelectObject(dc, oldFont);
  ::SetTextColor(dc, oldColor);
  SetBkMode(dc, mode);
}

void SMediaCtrl::Draw(HDC dc) { DrawTextIn(dc, m_textColor, 0, 0); }

// GDI writes text without alpha, which a layered window would show as
// holes or as light added to what lies under it. The glyphs are therefore
// drawn white on black into a canvas of their own, read as coverage, and
// blended into the premultiplied pixels by hand.
void SMediaCtrl::DrawLayeredContent(HDC dc) {
  DIBSECTION dib;
  HGDIOBJ bitmap = GetCurrentObject(dc, OBJ_BITMAP);
  if (!bitmap || GetObjectA(bitmap, sizeof dib, &dib) != sizeof dib || dib.dsBm.bmBitsPixel != 32 ||
      !dib.dsBm.bmBits) {
    Draw(dc);
    return;
  }
  int width = dib.dsBm.bmWidth, height = dib.dsBm.bmHeight;
  bool topDown = dib.dsBmih.biHeight < 0;
  if (height < 0) height = -height;
  GdiFlush();
  auto row = [&](int y) { return static_cast<uint32_t*>(dib.dsBm.bmBits) + size_t(topDown ? y : height - 1 - y) * width; };
  uint32_t back = GetBackColor();
  if (back < kColorNone) {
    uint32_t opaque = 0xFF000000u | uint32_t(GetRValue(back)) << 16 | uint32_t(GetGValue(back)) << 8 | GetBValue(back);
    for (int y = 0; y < height; y++) std::fill(row(y), row(y) + width, opaque);
  }
  PixelCanvas glyphs(width, height);
  if (!glyphs.IsValid()) return;
  // The layer is the window's outer size; the text is placed in its client area.
  RECT client = {0, 0, 0, 0};
  GetClientRectInWindow(&client);
  DrawTextIn(glyphs.GetDC(), RGB(255, 255, 255), client.left, client.top);
  GdiFlush();
  const uint32_t red = GetRValue(m_textColor), green = GetGValue(m_textColor), blue = GetBValue(m_textColor);
  for (int y = 0; y < height; y++) {
    uint32_t* pixel = row(y);
    for (int x = 0; x < width; x++) {
      uint32_t mask = glyphs.GetPixel(x, y);
      uint32_t coverage = std::max({mask & 0xFF, (mask >> 8) & 0xFF, (mask >> 16) & 0xFF});
      if (!coverage) continue;
      uint32_t p = pixel[x];
      pixel[x] = Over(255, p >> 24, coverage) << 24 | Over(red, (p >> 16) & 0xFF, coverage) << 16 |
                 Over(green, (p >> 8) & 0xFF, coverage) << 8 | Over(blue, p & 0xFF, coverage);
    }
  }
}

LRESULT SMediaCtrl::WindowProc(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_SETTEXT: {
      LRESULT answer = SWnd::WindowProc(message, wparam, lparam);
      Layout();
      Repaint();
      return answer;
    }
    case WM_SIZE:
    case WM_SETFONT: {
      LRESULT answer = SWnd::WindowProc(message, wparam, lparam);
      Layout();
      return answer;
    }
    case WM_ERASEBKGND:
      // The framework's erase hands over the memory context holding the
      // background; an erase from elsewhere (no context) draws no text.
      if (lparam) Draw(reinterpret_cast<HDC>(lparam));
      return SWnd::WindowProc(message, wparam, lparam);
    case WM_PRINTCLIENT: {
      HDC dc = reinterpret_cast<HDC>(wparam);
      PaintBackground(dc, dc);
      Draw(dc);
      return SWnd::WindowProc(message, wparam, lparam);
    }
    case kCreatedMessage:
      SWnd::SetBackColor(GetSysColor(COLOR_BTNFACE));
      Layout();
      return SWnd::WindowProc(message, wparam, lparam);
  }
  return ControlWindowProc(*this, kMediaMouse, message, wparam, lparam);
}
