#include "window/controls/SCheckCtrl.h"

#include "window/ControlNotify.h"

namespace {

const UINT kCheckMouseMessage = ControlNotifyMessage(kControlClassCheck, 0);

}  // namespace

SCheckCtrl::SCheckCtrl() { m_windowType = kWindowCheck; }

bool SCheckCtrl::Create(const char* text, DWORD style, DWORD exStyle, const RECT* rect, HWND parent, int id,
                        void* creationData) {
  return CreateControlWindow(*this, "BUTTON", BS_CHECKBOX, text, style, exStyle, rect, parent, id, creationData);
}

void SCheckCtrl::SetCheck(int state) {
  WPARAM check = state == 0 ? BST_UNCHECKED : state == 1 ? BST_CHECKED : BST_INDETERMINATE;
  SendMessage(BM_SETCHECK, check, 0);
}

int SCheckCtrl::GetCheck() const {
  LRESULT check = SendMessage(BM_GETCHECK, 0, 0);
  return check == BST_UNCHECKED ? 0 : check == BST_CHECKED ? 1 : 2;
}

LRESULT SCheckCtrl::WindowProc(UINT message, WPARAM wparam, LPARAM lparam) {
  return ControlWindowProc(*this, kCheckMouseMessage, message, wparam, lparam);
}

HBRUSH SCheckCtrl::OnCtlColorStatic(HDC) { return ButtonBrush(*this, m_brush); }
