#include "window/controls/SRadioCtrl.h"

#include "window/ControlNotify.h"

namespace {

const UINT kRadioMouseMessage = ControlNotifyMessage(kControlClassRadio, 0);

}  // namespace

SRadioCtrl::SRadioCtrl() : m_group(-1) { m_windowType = kWindowRadio; }

bool SRadioCtrl::Create(const char* text, DWORD style, DWORD exStyle, const RECT* rect, HWND parent, int id,
                        void* creationData) {
  return CreateControlWindow(*this, "BUTTON", BS_RADIOBUTTON, text, style, exStyle, rect, parent, id,
                             creationData);
}

void SRadioCtrl::Select() {
  SendMessage(BM_SETCHECK, BST_CHECKED, 0);
  if (m_group == -1) return;
  SArray<SWnd*> siblings;
  GetSiblings(siblings, kWindowRadio);
  // Every framework window of the radio type is a radio control.
  for (int i = 0; i < siblings.GetCount(); i++) {
    SRadioCtrl* other = static_cast<SRadioCtrl*>(siblings.GetAt(i));
    if (other->m_group == m_group) other->SendMessage(BM_SETCHECK, BST_UNCHECKED, 0);
  }
}

LRESULT SRadioCtrl::WindowProc(UINT message, WPARAM wparam, LPARAM lparam) {
  return ControlWindowProc(*this, kRadioMouseMessage, message, wparam, lparam);
}

HBRUSH SRadioCtrl::OnCtlColorStatic(HDC) { return ButtonBrush(*this, m_brush); }
