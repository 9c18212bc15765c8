#include "window/controls/SScrollCtrl.h"

#include "window/ControlNotify.h"

namespace {

const UINT kScrollMouseMessage = ControlNotifyMessage(kControlClassScroll, 0);

}  // namespace

SScrollCtrl::SScrollCtrl() { m_windowType = kWindowScroll; }

bool SScrollCtrl::Create(DWORD style, DWORD exStyle, const RECT* rect, HWND parent, int id, void* creationData) {
  return CreateControlWindow(*this, "SCROLLBAR", 0, nullptr, style, exStyle, rect, parent, id, creationData);
}

void SScrollCtrl::SetPos(int position, bool redraw) { SendMessage(SBM_SETPOS, position, redraw ? 1 : 0); }
int SScrollCtrl::GetPos() const { return int(SendMessage(SBM_GETPOS, 0, 0)); }

void SScrollCtrl::SetRange(int minimum, int maximum, bool redraw) {
  SendMessage(redraw ? SBM_SETRANGEREDRAW : SBM_SETRANGE, minimum, maximum);
}

int SScrollCtrl::GetMin() const {
  int minimum = 0, maximum = 0;
  SendMessage(SBM_GETRANGE, reinterpret_cast<WPARAM>(&minimum), reinterpret_cast<LPARAM>(&maximum));
  return minimum;
}

int SScrollCtrl::GetMax() const {
  int minimum = 0, maximum = 0;
  SendMessage(SBM_GETRANGE, reinterpret_cast<WPARAM>(&minimum), reinterpret_cast<LPARAM>(&maximum));
  return maximum;
}

LRESULT SScrollCtrl::WindowProc(UINT message, WPARAM wparam, LPARAM lparam) {
  return ControlWindowProc(*this, kScrollMouseMessage, message, wparam, lparam);
}

HBRUSH SScrollCtrl::OnCtlColorScrollBar(HDC dc) { return BackgroundBrush(*this, m_brush, dc); }
