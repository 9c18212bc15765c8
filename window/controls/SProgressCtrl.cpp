#include "window/controls/SProgressCtrl.h"

#include <commctrl.h>

#include "window/ControlNotify.h"
#include "window/FrameworkMessage.h"
#include "window/controls/ControlWindow.h"

namespace {

const UINT kProgressMouseMessage = ControlNotifyMessage(kControlClassProgress, 0);

}  // namespace

SProgressCtrl::SProgressCtrl() { m_windowType = kWindowProgress; }

bool SProgressCtrl::Create(DWORD style, DWORD exStyle, const RECT* rect, HWND parent, int id, void* creationData) {
  return CreateControlWindow(*this, PROGRESS_CLASSA, 0, nullptr, style, exStyle, rect, parent, id, creationData);
}

void SProgressCtrl::SetRange(int minimum, int maximum) { SendMessage(PBM_SETRANGE32, minimum, maximum); }
int SProgressCtrl::GetMin() const { return int(SendMessage(PBM_GETRANGE, TRUE, 0)); }
int SProgressCtrl::GetMax() const { return int(SendMessage(PBM_GETRANGE, FALSE, 0)); }
void SProgressCtrl::SetPos(int position) { SendMessage(PBM_SETPOS, position, 0); }
int SProgressCtrl::GetPos() const { return int(SendMessage(PBM_GETPOS, 0, 0)); }
void SProgressCtrl::OffsetPos(int delta) { SendMessage(PBM_DELTAPOS, delta, 0); }
void SProgressCtrl::SetMarquee(bool on, int periodMs) { SendMessage(PBM_SETMARQUEE, on ? 1 : 0, periodMs); }
void SProgressCtrl::SetBarColor(COLORREF color) { SendMessage(PBM_SETBARCOLOR, 0, color); }

// kColorNone is CLR_DEFAULT, the control's own default, and passes as it is.
void SProgressCtrl::SetBackColor(uint32_t color) { SendMessage(PBM_SETBKCOLOR, 0, color); }

LRESULT SProgressCtrl::WindowProc(UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == kCreatedMessage) SendMessage(PBM_SETRANGE32, 0, 100);
  return ControlWindowProc(*this, kProgressMouseMessage, message, wparam, lparam);
}
