#include "window/controls/SToolBarCtrl.h"

#include "window/ControlNotify.h"
#include "window/Framework.h"

namespace {

static_assert(sizeof(TBBUTTON) == 20);

const UINT kToolBarCommandMessage = ControlNotifyMessage(kControlClassToolBar, 0);

}  // namespace

// ---- The host ------------------------------------------------------------------------

LRESULT SToolBarCtrl::_SWnd::WindowProc(UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_COMMAND && m_toolBar) {
    SWnd* sender = FindWindowObject(reinterpret_cast<HWND>(lparam));
    if (sender && sender->GetType() == kWindowToolBar) {
      // The system hands the command over as a word; the button holds a
      // signed id (the automatic ids run below zero), so the word is
      // widened with its sign to give back the id the button was made with.
      int id = int16_t(LOWORD(wparam));
      sender->SendToParent(kToolBarCommandMessage, reinterpret_cast<WPARAM>(sender), id);
      return 0;
    }
  }
  return SWnd::WindowProc(message, wparam, lparam);
}

// ---- The tool bar --------------------------------------------------------------------

SToolBarCtrl::SToolBarCtrl() : m_imageList(nullptr) {
  m_windowType = kWindowToolBar;
  m_host.m_toolBar = this;
}

SToolBarCtrl::~SToolBarCtrl() { m_host.Destroy(); }

bool SToolBarCtrl::Create(DWORD style, const RECT* rect, HWND parent, int id) {
  bool flat = style & TBSTYLE_FLAT;
  style &= ~DWORD(TBSTYLE_FLAT);
  style |= CCS_NODIVIDER;
  if (!(style & WS_POPUP)) style |= WS_CHILD;
  if (!CreateControl(rect, style, TOOLBARCLASSNAMEA, "", 0, parent,
                     reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, GetInstanceHandle()))
    return false;
  if (flat) SetStyle(GetStyle() | TBSTYLE_FLAT);
  return true;
}

void SToolBarCtrl::SetTransparent() {
  LONG style = GetStyle();
  if (!(style & TBSTYLE_TRANSPARENT)) SetStyle(style | TBSTYLE_TRANSPARENT);
}

void SToolBarCtrl::SetImageList(HIMAGELIST list) {
  m_imageList = list;
  SendMessage(TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(list));
  int width = 0, height = 0;
  if (list && ImageList_GetIconSize(list, &width, &height)) SendMessage(TB_SETBITMAPSIZE, 0, MAKELPARAM(width, height));
}

bool SToolBarCtrl::AddButton(int imageIndex, int id, const char* text, BYTE style, BYTE state, DWORD_PTR data) {
  SendMessage(TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  TBBUTTON button = {};
  button.iBitmap = imageIndex;
  button.idCommand = id;
  button.fsState = state;
  button.fsStyle = style;
  button.dwData = data;
  button.iString = reinterpret_cast<INT_PTR>(text);
  return SendMessage(TB_ADDBUTTONSA, 1, reinterpret_cast<LPARAM>(&button)) != 0;
}

bool SToolBarCtrl::AddSeparator(int id, int width) {
  return AddButton(width, id, nullptr, BTNS_SEP, TBSTATE_ENABLED, 0);
}

bool SToolBarCtrl::EnableButton(int id, bool enable) { return SendMessage(TB_ENABLEBUTTON, id, enable) != 0; }
bool SToolBarCtrl::CheckButton(int id, bool check) { return SendMessage(TB_CHECKBUTTON, id, check) != 0; }
bool SToolBarCtrl::ShowButton(int id, bool show) { return SendMessage(TB_HIDEBUTTON, id, !show) != 0; }
bool SToolBarCtrl::IsButtonEnabled(int id) const { return SendMessage(TB_ISBUTTONENABLED, id, 0) != 0; }
bool SToolBarCtrl::IsButtonChecked(int id) const { return SendMessage(TB_ISBUTTONCHECKED, id, 0) != 0; }
bool SToolBarCtrl::IsButtonVisible(int id) const { return SendMessage(TB_ISBUTTONHIDDEN, id, 0) == 0; }
bool SToolBarCtrl::DeleteButton(int index) { return SendMessage(TB_DELETEBUTTON, index, 0) != 0; }
bool SToolBarCtrl::MoveButton(int id, int newIndex) {
  return SendMessage(TB_MOVEBUTTON, CommandToIndex(id), newIndex) != 0;
}
int SToolBarCtrl::CommandToIndex(int id) const { return int(SendMessage(TB_COMMANDTOINDEX, id, 0)); }
int SToolBarCtrl::GetButtonCount() const { return int(SendMessage(TB_BUTTONCOUNT, 0, 0)); }

int SToolBarCtrl::GetButtonId(int index) const {
  TBBUTTON button = {};
  if (!SendMessage(TB_GETBUTTON, index, reinterpret_cast<LPARAM>(&button))) return -1;
  return button.idCommand;
}

SString SToolBarCtrl::GetButtonText(int id) const {
  int length = int(SendMessage(TB_GETBUTTONTEXTA, id, 0));
  if (length <= 0) return SString("");
  SString buffer = SString::ConstructZeroed(length + 1);
  SendMessage(TB_GETBUTTONTEXTA, id, reinterpret_cast<LPARAM>(buffer.GetBuffer()));
  return SString(buffer.GetBuffer());
}

LRESULT SToolBarCtrl::WindowProc(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case kCreatedMessage:
      if (m_host.Create(WS_CHILD, "", 0, nullptr, m_hwnd, nullptr, nullptr, GetInstanceHandle(), false)) {
        // Notifications in ANSI, and the commands to the host.
        SendMessage(CCM_SETUNICODEFORMAT, FALSE, 0);
        SendMessage(TB_SETPARENT, reinterpret_cast<WPARAM>(m_host.GetHwnd()), 0);
      }
      // Texts then show only as tool tips.
      if (GetStyle() & TBSTYLE_TOOLTIPS) SendMessage(TB_SETMAXTEXTROWS, 0, 0);
      break;
    case WM_DESTROY:
      m_host.Destroy();
      break;
  }
  return SWnd::WindowProc(message, wparam, lparam);
}
