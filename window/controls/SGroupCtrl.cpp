#include "window/controls/SGroupCtrl.h"

#include "window/ControlNotify.h"

namespace {

const UINT kGroupMouseMessage = ControlNotifyMessage(kControlClassGroup, 0);

uint32_t OpaqueArgb(COLORREF color) {
  return 0xFF000000u | uint32_t(GetRValue(color)) << 16 | uint32_t(GetGValue(color)) << 8 | GetBValue(color);
}

COLORREF ColorOfArgb(uint32_t argb) { return RGB((argb >> 16) & 0xFF, (argb >> 8) & 0xFF, argb & 0xFF); }

}  // namespace

SGroupCtrl::SGroupCtrl() : m_textColor(OpaqueArgb(GetSysColor(COLOR_BTNTEXT))) { m_windowType = kWindowGroup; }

bool SGroupCtrl::Create(const char* text, DWORD style, DWORD exStyle, const RECT* rect, HWND parent, int id,
                        void* creationData) {
  return CreateControlWindow(*this, "BUTTON", BS_GROUPBOX, text, style, exStyle, rect, parent, id, creationData);
}

LRESULT SGroupCtrl::WindowProc(UINT message, WPARAM wparam, LPARAM lparam) {
  return ControlWindowProc(*this, kGroupMouseMessage, message, wparam, lparam);
}

// Unlike the buttons, the caption's background follows the box's: a box
// whose parent paints shows the parent behind its caption too.
HBRUSH SGroupCtrl::OnCtlColorStatic(HDC dc) {
  HBRUSH brush = BackgroundBrush(*this, m_brush, dc);
  ::SetTextColor(dc, ColorOfArgb(m_textColor));
  if (brush) return brush;
  // Without a colour of its own the caption keeps the system's background,
  // but the brush is answered here all the same: the default handling
  // would set the system's text colour over the caption's.
  ::SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
  return GetSysColorBrush(COLOR_BTNFACE);
}
