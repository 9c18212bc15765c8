// SListCtrl: an owner-draw-variable system "LISTBOX" whose items are
// records of the list (a text, a left and a right image, a user value).
//
// The list draws and measures its items itself from its image lists and its
// font, keeps its own mouse selection (the system list box never sees a
// left press), and reports keys, clicks, selection changes and double
// clicks to its parent. The measure and draw requests go to the parent (or,
// for a popup, the owner); the shared message handling of every SWnd hands
// them back here through MeasureListItem and DrawListItem.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <cstdint>

#include "core/SArray.h"
#include "core/SString.h"
#include "core/SStringArray.h"
#include "window/SWnd.h"

class SListCtrl;

// One item's record, the item data of its list-box item. Owned by the list.
struct ListItemRecord {
  SString text;
  int32_t leftImage;   // -1 = none
  int32_t rightImage;  // -1 = none
  uint32_t value;
  SListCtrl* owner;
};

class SListCtrl : public SWnd {
 public:
  SListCtrl();
  ~SListCtrl() override;

  // The list box without strings of its own: sorting, fixed owner draw and
  // stored strings are removed, variable owner draw is added.
  bool Create(DWORD style, DWORD exStyle, const RECT* rect, HWND parent, int id, void* creationData = nullptr);

  // ---- Items --------------------------------------------------------------------------

  // At index (negative appends); the new index or -1.
  int InsertItem(int index, const char* text, int leftImage = -1, int rightImage = -1, uint32_t value = 0);
  // Each string as an item from index on (-1 appends); the number of strings.
  int AddItems(const SStringArray* strings, int index = -1, int leftImage = -1, int rightImage = -1,
               uint32_t value = 0);
  bool RemoveItem(int index);
  void RemoveAll();
  // The selected items, whatever order they were selected in; how many.
  int RemoveSelected();
  int GetCount() const;

  SString GetItemText(int index) const;
  bool SetItemText(int index, const char* text);
  int SetSelectedText(const char* text);
  int GetItemLeftImage(int index) const;
  int GetItemRightImage(int index) const;
  bool SetItemLeftImage(int index, int image);
  bool SetItemRightImage(int index, int image);
  uint32_t GetItemData(int index) const;
  bool SetItemData(int index, uint32_t value);

  // ---- Appearance ---------------------------------------------------------------------

  // Borrowed; null or a list whose size cannot be read clears the side.
  void SetLeftImageList(HIMAGELIST list);
  void SetRightImageList(HIMAGELIST list);
  // kColorNone leaves a colour as it is.
  void SetSelectionColors(uint32_t back, uint32_t text);
  void SetTextColor(COLORREF color) { m_textColor = color; }
  COLORREF GetTextColor() const { return m_textColor; }

  // ---- Selection ----------------------------------------------------------------------

  int GetSelection() const;
  bool SetSelection(int index);
  bool SetItemSelected(bool selected, int index);
  bool ToggleItem(int index);
  bool IsSelected(int index) const;
  int GetSelCount() const;
  int GetSelectedItems(SArray<int>& indexes) const;
  bool SelectRange(int first, int last, bool select);
  int SelectString(const char* text, bool exact);
  // Comparisons ignore case.
  int FindExact(int start, const char* text) const;
  int FindPrefix(int start, const char* text) const;

  // ---- Geometry -----------------------------------------------------------------------

  // -1 on empty space, also below the last item.
  int ItemFromPoint(int x, int y) const;
  bool GetItemRect(int index, RECT* rect) const;
  int GetTopIndex() const;
  bool SetTopIndex(int index);
  void ScrollPage(bool down);
  int GetVisibleCount() const;
  // The taller image or the text in the list's font, plus the margins.
  int GetItemHeight() const;
  // Wide enough for the widest text and the images.
  int GetIdealWidth() const;

  // The owner-draw request of one item; false without a window or for an
  // item that is not one of this list's records.
  bool DrawItem(const DRAWITEMSTRUCT* draw);

  LRESULT WindowProc(UINT message, WPARAM wparam, LPARAM lparam) override;
  HBRUSH OnCtlColorListBox(HDC dc) override;

 private:
  bool IsMultiSelect() const;
  // The record of an item; null for an index without one.
  ListItemRecord* RecordAt(int index) const;
  void RedrawAll();
  // The extended and multiple selection styles' answer to a button press.
  void SelectOnPress(UINT message, WPARAM keys, int index);
  bool Notify(int event, LPARAM lparam);

  HBRUSH m_brush;
  COLORREF m_textColor;
  COLORREF m_selectionBackFocus;
  COLORREF m_selectionBackNoFocus;
  COLORREF m_selectionText;
  int32_t m_margin;
  HIMAGELIST m_leftImages, m_rightImages;
  int32_t m_leftWidth, m_leftHeight, m_rightWidth, m_rightHeight;
};

// The shared handling of WM_MEASUREITEM and WM_DRAWITEM for list-box items:
// true when the item was one of a framework list's own records and was
// answered. Item data that some other owner-drawn list box holds is never
// read as a record.
bool MeasureListItem(MEASUREITEMSTRUCT* measure);
bool DrawListItem(const DRAWITEMSTRUCT* draw);
