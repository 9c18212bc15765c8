#include "window/controls/SComboCtrl.h"

#include "window/controls/ControlWindow.h"

SComboCtrl::SComboCtrl() { m_windowType = kWindowCombo; }

bool SComboCtrl::Create(const char* text, DWORD style, DWORD exStyle, const RECT* rect, HWND parent, int id,
                        void* creationData) {
  return CreateControlWindow(*this, "COMBOBOX", 0, text, style, exStyle, rect, parent, id, creationData);
}

// ---- Items ------------------------------------------------------------------------------

int SComboCtrl::InsertItem(int index, const char* text) {
  LRESULT answer = index < 0 ? SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text ? text : ""))
                             : SendMessage(CB_INSERTSTRING, WPARAM(index), reinterpret_cast<LPARAM>(text ? text : ""));
  return answer < 0 ? -1 : int(answer);
}

bool SComboCtrl::RemoveItem(int index) { return SendMessage(CB_DELETESTRING, WPARAM(index), 0) != CB_ERR; }

void SComboCtrl::RemoveAll() { SendMessage(CB_RESETCONTENT, 0, 0); }

int SComboCtrl::GetCount() const { return int(SendMessage(CB_GETCOUNT, 0, 0)); }

SString SComboCtrl::GetItemText(int index) const {
  if (index < 0 || index >= GetCount()) return SString("");
  int length = GetItemTextLength(index);
  if (length <= 0) return SString("");
  SString text = SString::ConstructZeroed(length + 1);
  if (SendMessage(CB_GETLBTEXT, WPARAM(index), reinterpret_cast<LPARAM>(text.GetBuffer())) == CB_ERR)
    return SString("");
  return SString(text.GetText());
}

int SComboCtrl::GetItemTextLength(int index) const { return int(SendMessage(CB_GETLBTEXTLEN, WPARAM(index), 0)); }

bool SComboCtrl::SetItemText(int index, const char* text) {
  if (index < 0 || index >= GetCount()) return false;
  // The item is made again: its data goes with it, and the selection stays
  // where it was (the same index is the same item once it is back).
  int selection = GetCurSel();
  LRESULT data = SendMessage(CB_GETITEMDATA, WPARAM(index), 0);
  SendMessage(CB_DELETESTRING, WPARAM(index), 0);
  int inserted = InsertItem(index, text);
  if (inserted < 0) return false;
  SendMessage(CB_SETITEMDATA, WPARAM(inserted), data);
  if (selection >= 0) SetCurSel(selection);
  return true;
}

int SComboCtrl::GetCurSel() const { return int(SendMessage(CB_GETCURSEL, 0, 0)); }

bool SComboCtrl::SetCurSel(int index) { return SendMessage(CB_SETCURSEL, WPARAM(index), 0) != CB_ERR; }

SString SComboCtrl::GetSelectedText() const {
  int selection = GetCurSel();
  return selection < 0 ? SString("") : GetItemText(selection);
}

int SComboCtrl::SetSelectedText(const char* text) {
  int selection = GetCurSel();
  if (selection < 0) return -1;
  SetItemText(selection, text);
  return 0;
}

LPARAM SComboCtrl::GetItemData(int index) const { return SendMessage(CB_GETITEMDATA, WPARAM(index), 0); }

bool SComboCtrl::SetItemData(int index, LPARAM value) {
  return SendMessage(CB_SETITEMDATA, WPARAM(index), value) != CB_ERR;
}

int SComboCtrl::GetItemHeight(int index) const { return int(SendMessage(CB_GETITEMHEIGHT, WPARAM(index), 0)); }

bool SComboCtrl::SetItemHeight(int index, int height) {
  return SendMessage(CB_SETITEMHEIGHT, WPARAM(index), height) != CB_ERR;
}

int SComboCtrl::GetTopIndex() const { return int(SendMessage(CB_GETTOPINDEX, 0, 0)); }

bool SComboCtrl::SetTopIndex(int index) { return SendMessage(CB_SETTOPINDEX, WPARAM(index), 0) == 0; }

int SComboCtrl::FindString(int start, const char* text) const {
  return int(SendMessage(CB_FINDSTRING, WPARAM(start), reinterpret_cast<LPARAM>(text ? text : "")));
}

int SComboCtrl::FindStringExact(int start, const char* text) const {
  return int(SendMessage(CB_FINDSTRINGEXACT, WPARAM(start), reinterpret_cast<LPARAM>(text ? text : "")));
}

int SComboCtrl::SelectString(int start, const char* text, bool exact) {
  if (!exact) return int(SendMessage(CB_SELECTSTRING, WPARAM(start), reinterpret_cast<LPARAM>(text ? text : "")));
  int found = FindStringExact(start, text);
  if (found < 0) return -1;
  SetCurSel(found);
  return found;
}

int SComboCtrl::AddFiles(const char* pattern, UINT attributes) {
  LRESULT answer = SendMessage(CB_DIR, attributes, reinterpret_cast<LPARAM>(pattern ? pattern : ""));
  return answer < 0 ? 0 : int(answer) + 1;
}

// ---- The combo's text -------------------------------------------------------------------

bool SComboCtrl::IsDropDownList() const { return (GetStyle() & CBS_DROPDOWNLIST) == CBS_DROPDOWNLIST; }

HWND SComboCtrl::GetEditPart() const {
  if (!m_hwnd || IsDropDownList()) return nullptr;
  COMBOBOXINFO info = {};
  info.cbSize = sizeof info;
  if (!GetComboBoxInfo(m_hwnd, &info)) return nullptr;
  return info.hwndItem;
}

SString SComboCtrl::GetText() const {
  if (IsDropDownList()) return GetSelectedText();
  HWND edit = GetEditPart();
  if (!edit) return SString("");
  int length = GetWindowTextLengthA(edit);
  if (length <= 0) return SString("");
  SString text = SString::ConstructZeroed(length + 1);
  GetWindowTextA(edit, text.GetBuffer(), length + 1);
  return SString(text.GetText());
}

bool SComboCtrl::SetText(const char* text) {
  if (IsDropDownList()) return SetSelectedText(text) == 0;
  HWND edit = GetEditPart();
  return edit && SetWindowTextA(edit, text ? text : "");
}
