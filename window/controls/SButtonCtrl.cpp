#include "window/controls/SButtonCtrl.h"

#include "window/ControlNotify.h"

namespace {

const UINT kButtonMouseMessage = ControlNotifyMessage(kControlClassButton, 0);

}  // namespace

SButtonCtrl::SButtonCtrl() { m_windowType = kWindowButton; }

bool SButtonCtrl::Create(const char* text, DWORD style, DWORD exStyle, const RECT* rect, HWND parent, int id,
                         void* creationData) {
  return CreateControlWindow(*this, "BUTTON", BS_PUSHBUTTON, text, style, exStyle, rect, parent, id, creationData);
}

LRESULT SButtonCtrl::WindowProc(UINT message, WPARAM wparam, LPARAM lparam) {
  return ControlWindowProc(*this, kButtonMouseMessage, message, wparam, lparam);
}

HBRUSH SButtonCtrl::OnCtlColorBtn(HDC) { return ButtonBrush(*this, m_brush); }
