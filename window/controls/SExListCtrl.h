// SExListCtrl: a subclassed system "SysListView32" (report, icon,
// small-icon and list views).
//
// Typed senders of the list view's messages, column and item operations,
// range selection, and a sort of one column's texts as text (with or
// without case) or as numbers. Image lists handed to it stay the caller's:
// the list is made with LVS_SHAREIMAGELISTS.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <cstdint>

#include "core/SArray.h"
#include "core/SString.h"
#include "window/SWnd.h"

class SExListCtrl : public SWnd {
 public:
  // The longest column title and item text read back, with the NUL.
  static constexpr int kColumnTextSize = 1024;
  static constexpr int kItemTextSize = 512;

  SExListCtrl();
  ~SExListCtrl() override;

  bool Create(DWORD style, DWORD exStyle, const RECT* rect, HWND parent, int id, void* creationData = nullptr);

  void SetBackColor(uint32_t color) override;
  uint32_t GetBackColor() override;

  // ---- Columns ------------------------------------------------------------------------------

  // A negative index or one past the end appends. The new column or -1.
  int InsertColumn(int index, const char* text, int width, int format = LVCFMT_LEFT);
  bool DeleteColumn(int column);
  // 0 in every view but the report view.
  int GetColumnCount() const;
  bool SetColumnText(int column, const char* text);
  SString GetColumnText(int column) const;
  // Width -1 fits the column to its texts and title.
  bool SetColumnWidth(int column, int width);
  int GetColumnWidth(int column) const;
  void AutoSizeColumns();

  // ---- Items --------------------------------------------------------------------------------

  // Index -1 appends; an image below 0 means none. The new index or -1.
  int InsertItem(int index, int image, const char* text);
  bool DeleteItem(int index);
  bool RemoveAll();
  int GetItemCount() const;
  int GetCountPerPage() const;
  int GetTopIndex() const;
  int GetSelectedCount() const;
  bool SetItemText(int item, int subItem, const char* text);
  SString GetItemText(int item, int subItem) const;
  bool SetItemImage(int item, int image);
  int GetItemImage(int item) const;
  void SetImageList(HIMAGELIST list, bool small);  // borrowed
  bool SetTextColor(COLORREF color);
  COLORREF GetTextColor() const;

  // ---- Selection ------------------------------------------------------------------------------

  int GetNextItem(int start, UINT flags) const;
  // The item both focused and selected, or -1.
  int GetSelection() const;
  // Clears every selection; then selects and focuses index when in range.
  void SetSelection(int index);
  // From start, count items (negative: to the end); nothing for a start out
  // of range.
  void SelectItems(int start, int count);
  void DeselectItems(int start, int count);
  void ToggleItems(int start, int count);
  // Appends the selected indexes when items is given; their number.
  int GetSelectedItems(SArray<int32_t>* items) const;
  // The number deleted; with reselect, the first deleted index is selected
  // afterwards (the item that moved into its place).
  int DeleteSelected(bool reselect);
  // The first item whose text in the column equals text, ignoring case.
  int FindText(const char* text, int column) const;

  void EditLabel(int index);
  bool EnsureVisible(int index, bool partialAllowed);
  bool Arrange(UINT code);
  POINT GetItemPosition(int index) const;
  RECT GetItemRect(int index, int portion) const;
  RECT GetSubItemRect(int item, int subItem, int portion) const;
  int HitTest(int x, int y, UINT* flags = nullptr) const;
  int SubItemHitTest(int x, int y, UINT* flags = nullptr) const;
  int GetStringWidth(const char* text) const;
  void SetIconSpacing(int cx, int cy);
  DWORD GetItemSpacing(bool small) const;

  // Numeric: blanks removed, compared as numbers (equal values never
  // compare equal); else as text, case-sensitive or not.
  bool Sort(int column, bool ascending, bool caseSensitive, bool numeric);
  // The item's own value (LVIF_PARAM); 0 for an item out of range.
  LPARAM GetItemValue(int item) const;
  void SetItemValue(int item, LPARAM value);

  LRESULT WindowProc(UINT message, WPARAM wparam, LPARAM lparam) override;

 private:
  void SetItemsSelected(int start, int count, int how);
};
