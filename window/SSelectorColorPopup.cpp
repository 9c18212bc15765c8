#include "window/SSelectorColorPopup.h"

#include "files/GlobalObjects.h"
#include "window/ControlNotify.h"
#include "window/FrameworkMessage.h"

namespace {

const UINT kButtonClicked = ControlNotifyMessage(kControlClassButton, 1);
const UINT kComboSelectionChanged = ControlNotifyMessage(kControlClassCombo, 1);

}  // namespace

void SSelector::_SWndColor::BuildContent() {
  // The list's rectangle reaches down over what it shows when dropped.
  RECT listRect = {5, 35, 295, 200};
  m_list.Create("", CBS_DROPDOWNLIST | WS_VISIBLE | WS_VSCROLL, 0, &listRect, m_hwnd, kListId);
  const SStringArray& names = Identifiants.GetColorNames();
  for (int i = 0; i < names.GetCount(); i++) {
    SString name = names.GetString(i);
    name.MakeUpper();
    m_list.InsertItem(-1, name.GetText());
  }
  m_list.SetCurSel(0);
  RECT previewRect = {5, 5, 295, 30};
  m_preview.Create("", WS_VISIBLE, WS_EX_CLIENTEDGE, &previewRect, m_hwnd, 0);
  RECT okRect = {110, 65, 200, 90}, cancelRect = {205, 65, 295, 90};
  m_ok.Create("OK", BS_DEFPUSHBUTTON | WS_VISIBLE, 0, &okRect, m_hwnd, kOkId);
  m_cancel.Create("Cancel", WS_VISIBLE, 0, &cancelRect, m_hwnd, kCancelId);
  UpdatePreview();
}

int SSelector::_SWndColor::SelectedColorIndex() const {
  int selected = m_list.GetCurSel();
  if (selected < 0 || selected >= Identifiants.GetColorIndexes().GetCount()) return -1;
  return Identifiants.GetColorIndexes().GetAt(selected);
}

void SSelector::_SWndColor::UpdatePreview() {
  int index = SelectedColorIndex();
  if (index >= 0) m_preview.SetBackColor(GetSysColor(index));
  RedrawWindow(m_hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

LRESULT SSelector::_SWndColor::WindowProc(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case kCreatedMessage:
      BuildContent();
      break;
    case kModalOkMessage:
      if (IsModal()) EndModal(SelectedColorIndex());
      break;
    case kModalCancelMessage:
      if (IsModal()) EndModal(-1);
      break;
    case kButtonClicked: {
      SWnd* button = reinterpret_cast<SWnd*>(wparam);
      if (button == &m_ok && IsModal()) EndModal(SelectedColorIndex());
      if (button == &m_cancel && IsModal()) EndModal(-1);
      break;
    }
    case kComboSelectionChanged:
      UpdatePreview();
      break;
  }
  return SWnd::WindowProc(message, wparam, lparam);
}
