// SComboCtrl: the system "COMBOBOX" with typed senders of its messages and
// a text that follows the combo's type: what is typed in the edit part of
// a simple or drop-down combo, the selected item of a drop-down list.
//
// Its selection and edit changes reach the parent through the parent's own
// message handling; it sends no mouse report.
#pragma once

#include <windows.h>

#include <cstdint>

#include "core/SString.h"
#include "window/SWnd.h"

class SComboCtrl : public SWnd {
 public:
  SComboCtrl();

  bool Create(const char* text, DWORD style, DWORD exStyle, const RECT* rect, HWND parent, int id,
              void* creationData = nullptr);

  // ---- Items (indexes from 0; -1 is CB_ERR) -------------------------------------------

  // Appends for a negative index; the new index or -1.
  int InsertItem(int index, const char* text);
  bool RemoveItem(int index);
  void RemoveAll();
  int GetCount() const;
  SString GetItemText(int index) const;
  int GetItemTextLength(int index) const;
  // Replaces the text, keeping the item's data and the selection.
  bool SetItemText(int index, const char* text);
  int GetCurSel() const;
  bool SetCurSel(int index);
  SString GetSelectedText() const;
  // -1 without a selection, else 0.
  int SetSelectedText(const char* text);
  LPARAM GetItemData(int index) const;
  bool SetItemData(int index, LPARAM value);
  // Index -1 is the selection field.
  int GetItemHeight(int index) const;
  bool SetItemHeight(int index, int height);
  int GetTopIndex() const;
  bool SetTopIndex(int index);
  int FindString(int start, const char* text) const;
  int FindStringExact(int start, const char* text) const;
  int SelectString(int start, const char* text, bool exact);
  // The files matching the pattern as items; the last new index + 1, 0 on
  // failure.
  int AddFiles(const char* pattern, UINT attributes);

  // ---- The combo's text ---------------------------------------------------------------

  // The edit part of a simple or drop-down combo; the selected item of a
  // drop-down list ("" without selection).
  SString GetText() const;
  // Into the edit part, or over the selected item's text (nothing without
  // a selection).
  bool SetText(const char* text);

 private:
  bool IsDropDownList() const;
  // The edit part; null for a drop-down list or when the system will not say.
  HWND GetEditPart() const;
};
