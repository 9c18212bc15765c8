#include "window/controls/SSliderCtrl.h"

#include <commctrl.h>

#include "window/ControlNotify.h"

namespace {

const UINT kSliderMouseMessage = ControlNotifyMessage(kControlClassSlider, 0);

}  // namespace

SSliderCtrl::SSliderCtrl() { m_windowType = kWindowSlider; }

bool SSliderCtrl::Create(DWORD style, DWORD exStyle, const RECT* rect, HWND parent, int id, void* creationData) {
  return CreateControlWindow(*this, TRACKBAR_CLASSA, 0, nullptr, style, exStyle, rect, parent, id, creationData);
}

void SSliderCtrl::SetRange(int minimum, int maximum, bool redraw) {
  SendMessage(TBM_SETRANGEMIN, FALSE, minimum);
  SendMessage(TBM_SETRANGEMAX, FALSE, maximum);
  if (redraw) RedrawWindow(GetHwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

int SSliderCtrl::GetMin() const { return int(SendMessage(TBM_GETRANGEMIN, 0, 0)); }
int SSliderCtrl::GetMax() const { return int(SendMessage(TBM_GETRANGEMAX, 0, 0)); }
void SSliderCtrl::SetPos(int position, bool redraw) { SendMessage(TBM_SETPOS, redraw ? TRUE : FALSE, position); }
int SSliderCtrl::GetPos() const { return int(SendMessage(TBM_GETPOS, 0, 0)); }
void SSliderCtrl::AddTic(int position) { SendMessage(TBM_SETTIC, 0, position); }
void SSliderCtrl::ClearTics() { SendMessage(TBM_CLEARTICS, TRUE, 0); }
int SSliderCtrl::GetTicCount() const { return int(SendMessage(TBM_GETNUMTICS, 0, 0)); }
void SSliderCtrl::SetPageSize(int size) { SendMessage(TBM_SETPAGESIZE, 0, size); }
int SSliderCtrl::GetPageSize() const { return int(SendMessage(TBM_GETPAGESIZE, 0, 0)); }
void SSliderCtrl::SetLineSize(int size) { SendMessage(TBM_SETLINESIZE, 0, size); }

LRESULT SSliderCtrl::WindowProc(UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_PAINT && ::GetFocus() == GetHwnd()) {
    LRESULT painted = SWnd::WindowProc(message, wparam, lparam);
    CoverFocusRect();
    return painted;
  }
  return ControlWindowProc(*this, kSliderMouseMessage, message, wparam, lparam);
}

// The system draws the focus rectangle on the client area's outermost
// pixels; a line of the background colour through the same pixels hides it.
void SSliderCtrl::CoverFocusRect() {
  uint32_t back = GetBackColor();
  COLORREF color = back == kColorNone || back == kColorParentPaints ? GetSysColor(COLOR_BTNFACE) : back;
  RECT client;
  if (!::GetClientRect(GetHwnd(), &client)) return;
  HDC dc = GetDC(GetHwnd());
  if (!dc) return;
  HPEN pen = CreatePen(PS_SOLID, 1, color);
  HGDIOBJ oldPen = SelectObject(dc, pen);
  const POINT corners[] = {{client.left, client.top},
                           {client.right - 1, client.top},
                           {client.right - 1, client.bottom - 1},
                           {client.left, client.bottom - 1},
                           {client.left, client.top}};
  Polyline(dc, corners, 5);
  SelectObject(dc, oldPen);
  DeleteObject(pen);
  ReleaseDC(GetHwnd(), dc);
}

HBRUSH SSliderCtrl::OnCtlColorStatic(HDC) { return ButtonBrush(*this, m_brush); }
