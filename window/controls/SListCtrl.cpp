#include "window/controls/SListCtrl.h"

#include <windowsx.h>

#include <algorithm>
#include <cstring>
#include <cstdlib>
#include <mutex>
#include <set>
#include <vector>

#include "window/ControlNotify.h"
#include "window/FrameworkMessage.h"
#include "window/SWndLifeGuard.h"
#include "window/controls/ControlWindow.h"

namespace {

enum : int {
  kEventKeyDown = 0,
  kEventMouse = 1,
  kEventSelectionChanged = 2,
  kEventDoubleClicked = 3,
};

const UINT kListMouse = ControlNotifyMessage(kControlClassList, kEventMouse);
const DWORD kMultiSelectStyles = LBS_EXTENDEDSEL | LBS_MULTIPLESEL;

// Every record the framework's lists hold. Item data is only read as a
// record once it is found here, so the owner-drawn list boxes of others,
// whose data may be anything, are never taken for ours.
std::mutex g_recordsLock;
std::set<const ListItemRecord*> g_records;

ListItemRecord* NewRecord(SListCtrl* owner, const char* text, int left, int right, uint32_t value) {
  ListItemRecord* record = new ListItemRecord{SString(text ? text : ""), left, right, value, owner};
  std::lock_guard<std::mutex> lock(g_recordsLock);
  g_records.insert(record);
  return record;
}

void FreeRecord(ListItemRecord* record) {
  if (!record) return;
  {
    std::lock_guard<std::mutex> lock(g_recordsLock);
    g_records.erase(record);
  }
  delete record;
}

// The record behind item data; null when the framework did not make it.
ListItemRecord* KnownRecord(ULONG_PTR data) {
  auto* record = reinterpret_cast<ListItemRecord*>(data);
  std::lock_guard<std::mutex> lock(g_recordsLock);
  return g_records.count(record) ? record : nullptr;
}

void FillSolid(HDC dc, const RECT& rect, COLORREF color) {
  HBRUSH brush = CreateSolidBrush(color);
  FillRect(dc, &rect, brush);
  DeleteObject(brush);
}

}  // namespace

SListCtrl::SListCtrl()
    : m_brush(nullptr),
      m_textColor(GetSysColor(COLOR_WINDOWTEXT)),
      m_selectionBackFocus(GetSysColor(COLOR_HIGHLIGHT)),
      m_selectionBackNoFocus(GetSysColor(COLOR_GRAYTEXT)),
      m_selectionText(GetSysColor(COLOR_HIGHLIGHTTEXT)),
      m_margin(1),
      m_leftImages(nullptr),
      m_rightImages(nullptr),
      m_leftWidth(0),
      m_leftHeight(0),
      m_rightWidth(0),
      m_rightHeight(0) {
  m_windowType = kWindowList;
}

SListCtrl::~SListCtrl() {
  // The base destructor destroys the window after this class is gone, so
  // the records are freed here while the list box still holds them.
  RemoveAll();
  if (m_brush) DeleteObject(m_brush);
}

bool SListCtrl::Create(DWORD style, DWORD exStyle, const RECT* rect, HWND parent, int id, void* creationData) {
  DWORD own = (style & ~(LBS_HASSTRINGS | LBS_OWNERDRAWFIXED | LBS_SORT)) | LBS_OWNERDRAWVARIABLE;
  if (!CreateControlWindow(*this, "LISTBOX", 0, "", own, exStyle, rect, parent, id, creationData)) return false;
  // The system class may drop the scroll bars it was asked for while empty.
  if (DWORD bars = style & (WS_HSCROLL | WS_VSCROLL)) SetStyle(GetStyle() | LONG(bars));
  return true;
}

// ---- Items ------------------------------------------------------------------------------

int SListCtrl::InsertItem(int index, const char* text, int leftImage, int rightImage, uint32_t value) {
  if (!m_hwnd) return -1;
  ListItemRecord* record = NewRecord(this, text, leftImage, rightImage, value);
  LRESULT answer = index < 0 ? SendMessage(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(record))
                             : SendMessage(LB_INSERTSTRING, WPARAM(index), reinterpret_cast<LPARAM>(record));
  if (answer < 0) {
    FreeRecord(record);
    return -1;
  }
  return int(answer);
}

int SListCtrl::AddItems(const SStringArray* strings, int index, int leftImage, int rightImage, uint32_t value) {
  if (!m_hwnd || !strings || strings->GetCount() == 0) return 0;
  if (index < -1 || index > GetCount()) index = -1;
  int n = strings->GetCount();
  for (int i = 0; i < n; i++)
    InsertItem(index == -1 ? -1 : index + i, strings->GetString(i).GetText(), leftImage, rightImage, value);
  return n;
}

ListItemRecord* SListCtrl::RecordAt(int index) const {
  if (!m_hwnd || index < 0) return nullptr;
  LRESULT data = SendMessage(LB_GETITEMDATA, WPARAM(index), 0);
  if (data == LB_ERR) return nullptr;
  ListItemRecord* record = KnownRecord(ULONG_PTR(data));
  return record && record->owner == this ? record : nullptr;
}

bool SListCtrl::RemoveItem(int index) {
  ListItemRecord* record = RecordAt(index);
  if (!record) return false;
  // Out of the list box first: nothing may draw a freed record.
  SendMessage(LB_DELETESTRING, WPARAM(index), 0);
  FreeRecord(record);
  return true;
}

void SListCtrl::RemoveAll() {
  if (!m_hwnd) return;
  SArray<ListItemRecord*> records;
  for (int i = 0, n = GetCount(); i < n; i++)
    if (ListItemRecord* record = RecordAt(i)) records.Add(record);
  SendMessage(LB_RESETCONTENT, 0, 0);
  for (int i = 0; i < records.GetCount(); i++) FreeRecord(records.GetAt(i));
}

int SListCtrl::RemoveSelected() {
  int removed = 0;
  while (GetSelCount() > 0) {
    int index = GetSelection();
    if (index < 0) break;
    ListItemRecord* record = RecordAt(index);
    if (SendMessage(LB_DELETESTRING, WPARAM(index), 0) == LB_ERR) break;
    FreeRecord(record);
    removed++;
  }
  return removed;
}

int SListCtrl::GetCount() const { return m_hwnd ? int(SendMessage(LB_GETCOUNT, 0, 0)) : 0; }

SString SListCtrl::GetItemText(int index) const {
  ListItemRecord* record = RecordAt(index);
  return record ? record->text : SString("");
}

bool SListCtrl::SetItemText(int index, const char* text) {
  ListItemRecord* record = RecordAt(index);
  if (!record) return false;
  record->text = text ? text : "";
  RedrawAll();
  return true;
}

int SListCtrl::SetSelectedText(const char* text) {
  int selection = GetSelection();
  if (selection < 0) return -1;
  return SetItemText(selection, text) ? 0 : -1;
}

int SListCtrl::GetItemLeftImage(int index) const {
  ListItemRecord* record = RecordAt(index);
  return record ? record->leftImage : -1;
}

int SListCtrl::GetItemRightImage(int index) const {
  ListItemRecord* record = RecordAt(index);
  return record ? record->rightImage : -1;
}

bool SListCtrl::SetItemLeftImage(int index, int image) {
  ListItemRecord* record = RecordAt(index);
  if (record) record->leftImage = image;
  return record != nullptr;
}

bool SListCtrl::SetItemRightImage(int index, int image) {
  ListItemRecord* record = RecordAt(index);
  if (record) record->rightImage = image;
  return record != nullptr;
}

uint32_t SListCtrl::GetItemData(int index) const {
  ListItemRecord* record = RecordAt(index);
  return record ? record->value : 0;
}

bool SListCtrl::SetItemData(int index, uint32_t value) {
  ListItemRecord* record = RecordAt(index);
  if (record) record->value = value;
  return record != nullptr;
}

// ---- Appearance -------------------------------------------------------------------------

namespace {

void StoreImageList(HIMAGELIST list, HIMAGELIST* stored, int32_t* width, int32_t* height) {
  int w = 0, h = 0;
  if (list && ImageList_GetIconSize(list, &w, &h)) {
    *stored = list;
    *width = w;
    *height = h;
  } else {
    *stored = nullptr;
    *width = *height = 0;
  }
}

}  // namespace

void SListCtrl::SetLeftImageList(HIMAGELIST list) { StoreImageList(list, &m_leftImages, &m_leftWidth, &m_leftHeight); }

void SListCtrl::SetRightImageList(HIMAGELIST list) {
  StoreImageList(list, &m_rightImages, &m_rightWidth, &m_rightHeight);
}

void SListCtrl::SetSelectionColors(uint32_t back, uint32_t text) {
  if (back != kColorNone) m_selectionBackFocus = back;
  if (text != kColorNone) m_selectionText = text;
}

void SListCtrl::RedrawAll() {
  if (m_hwnd) RedrawWindow(m_hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

// ---- Selection --------------------------------------------------------------------------

bool SListCtrl::IsMultiSelect() const { return (GetStyle() & kMultiSelectStyles) != 0; }

int SListCtrl::GetSelection() const {
  if (!m_hwnd) return -1;
  if (IsMultiSelect()) {
    int first = -1;
    LRESULT n = SendMessage(LB_GETSELITEMS, 1, reinterpret_cast<LPARAM>(&first));
    return n > 0 ? first : -1;
  }
  LRESULT current = SendMessage(LB_GETCURSEL, 0, 0);
  return current < 0 ? -1 : int(current);
}

bool SListCtrl::SetSelection(int index) {
  if (!m_hwnd) return false;
  if (IsMultiSelect()) {
    SendMessage(LB_SETSEL, FALSE, -1);
    if (index == -1) return true;
    return SendMessage(LB_SETSEL, TRUE, index) != LB_ERR;
  }
  return SendMessage(LB_SETCURSEL, WPARAM(index), 0) != LB_ERR || index == -1;
}

bool SListCtrl::SetItemSelected(bool selected, int index) {
  if (!m_hwnd || index < 0 || index >= GetCount()) return false;
  if (IsMultiSelect()) return SendMessage(LB_SETSEL, selected, index) != LB_ERR;
  SendMessage(LB_SETCURSEL, selected ? WPARAM(index) : WPARAM(-1), 0);
  return true;
}

bool SListCtrl::ToggleItem(int index) {
  bool now = !IsSelected(index);
  SetItemSelected(now, index);
  return IsSelected(index);
}

bool SListCtrl::IsSelected(int index) const {
  if (!m_hwnd || index < 0) return false;
  if (IsMultiSelect()) {
    SArray<int> selected;
    GetSelectedItems(selected);
    for (int i = 0; i < selected.GetCount(); i++)
      if (selected.GetAt(i) == index) return true;
    return false;
  }
  return SendMessage(LB_GETCURSEL, 0, 0) == index;
}

int SListCtrl::GetSelCount() const {
  if (!m_hwnd) return 0;
  if (IsMultiSelect()) {
    LRESULT n = SendMessage(LB_GETSELCOUNT, 0, 0);
    return n < 0 ? 0 : int(n);
  }
  return GetSelection() >= 0 ? 1 : 0;
}

int SListCtrl::GetSelectedItems(SArray<int>& indexes) const {
  if (!m_hwnd) return 0;
  if (!IsMultiSelect()) {
    int selection = GetSelection();
    if (selection < 0) return 0;
    indexes.Add(selection);
    return 1;
  }
  int n = GetSelCount();
  if (n == 0) return 0;
  std::vector<int> buffer(size_t(n), 0);
  LRESULT got = SendMessage(LB_GETSELITEMS, WPARAM(n), reinterpret_cast<LPARAM>(buffer.data()));
  if (got < 0) return 0;
  for (int i = 0; i < got; i++) indexes.Add(buffer[size_t(i)]);
  return int(got);
}

bool SListCtrl::SelectRange(int first, int last, bool select) {
  if (!m_hwnd) return false;
  return SendMessage(LB_SELITEMRANGE, select, MAKELPARAM(first, last)) != LB_ERR;
}

int SListCtrl::SelectString(const char* text, bool exact) {
  if (GetCount() == 0) return -1;
  if (!exact) {
    // Without stored strings the list box compares item data; its own
    // prefix search would not see the texts, so the records are searched.
    int found = FindPrefix(-1, text);
    if (found >= 0) SetSelection(found);
    return found;
  }
  int found = FindExact(0, text);
  if (found >= 0) SetSelection(found);
  return found;
}

int SListCtrl::FindExact(int start, const char* text) const {
  for (int i = std::max(start, 0), n = GetCount(); i < n; i++)
    if (GetItemText(i).CompareNoCase(text ? text : "") == 0) return i;
  return -1;
}

int SListCtrl::FindPrefix(int start, const char* text) const {
  if (!text || !*text) return -1;
  int length = int(strlen(text));
  for (int i = std::max(start, 0), n = GetCount(); i < n; i++)
    if (GetItemText(i).Left(length).CompareNoCase(text) == 0) return i;
  return -1;
}

// ---- Geometry ---------------------------------------------------------------------------

int SListCtrl::ItemFromPoint(int x, int y) const {
  if (!m_hwnd) return -1;
  LRESULT answer = SendMessage(LB_ITEMFROMPOINT, 0, MAKELPARAM(x, y));
  if (HIWORD(answer) == 1) return -1;
  int index = LOWORD(answer);
  if (index >= GetCount()) return -1;
  // Below the last item the list box still answers the last one.
  if (index == GetCount() - 1) {
    RECT rect;
    POINT point = {x, y};
    if (!GetItemRect(index, &rect) || !PtInRect(&rect, point)) return -1;
  }
  return index;
}

bool SListCtrl::GetItemRect(int index, RECT* rect) const {
  return m_hwnd && SendMessage(LB_GETITEMRECT, WPARAM(index), reinterpret_cast<LPARAM>(rect)) != LB_ERR;
}

int SListCtrl::GetTopIndex() const { return m_hwnd ? int(SendMessage(LB_GETTOPINDEX, 0, 0)) : 0; }

bool SListCtrl::SetTopIndex(int index) {
  return m_hwnd && SendMessage(LB_SETTOPINDEX, WPARAM(std::max(index, 0)), 0) != LB_ERR;
}

void SListCtrl::ScrollPage(bool down) {
  int visible = GetVisibleCount();
  SetTopIndex(std::max(GetTopIndex() + (down ? visible : -visible), 0));
}

int SListCtrl::GetVisibleCount() const {
  RECT client;
  if (!m_hwnd || !::GetClientRect(m_hwnd, &client)) return 0;
  int height = GetItemHeight();
  return height > 0 ? (client.bottom - client.top) / height : 0;
}

int SListCtrl::GetItemHeight() const {
  int images = std::max(m_leftHeight, m_rightHeight);
  int text = 0;
  if (HDC dc = GetDC(m_hwnd)) {
    // Measured in the list's own font: a larger font is not clipped.
    HGDIOBJ old = SelectObject(dc, GetFont() ? HGDIOBJ(GetFont()) : GetStockObject(SYSTEM_FONT));
    TEXTMETRICA metrics;
    if (GetTextMetricsA(dc, &metrics)) text = metrics.tmHeight;
    SelectObject(dc, old);
    ReleaseDC(m_hwnd, dc);
  }
  return std::max(images, text) + 2 * m_margin;
}

int SListCtrl::GetIdealWidth() const {
  if (!m_hwnd) return 0;
  int widest = 0;
  if (HDC dc = GetDC(m_hwnd)) {
    HGDIOBJ old = SelectObject(dc, GetFont() ? HGDIOBJ(GetFont()) : GetStockObject(SYSTEM_FONT));
    for (int i = 0, n = GetCount(); i < n; i++) {
      SString text = GetItemText(i);
      RECT rect = {0, 0, 0, 0};
      DrawTextA(dc, text.GetText(), text.GetLength(), &rect, DT_CALCRECT | DT_SINGLELINE);
      widest = std::max(widest, int(rect.right - rect.left));
    }
    SelectObject(dc, old);
    ReleaseDC(m_hwnd, dc);
  }
  if (m_leftWidth > 0) widest += m_leftWidth + 4 * m_margin;
  if (m_rightWidth > 0) widest += m_rightWidth + 4 * m_margin;
  return widest + 4 * m_margin;
}

// ---- Drawing ----------------------------------------------------------------------------

bool SListCtrl::DrawItem(const DRAWITEMSTRUCT* draw) {
  if (!m_hwnd || !draw) return false;
  ListItemRecord* record = KnownRecord(draw->itemData);
  if (!record || record->owner != this) return false;
  if (draw->itemAction != ODA_DRAWENTIRE && draw->itemAction != ODA_SELECT) return true;
  HDC dc = draw->hDC;
  RECT item = draw->rcItem;
  RECT text = item;
  if (m_leftWidth > 0) text.left = item.left + m_leftWidth + 4 * m_margin;
  if (m_rightWidth > 0) text.right = item.right - 4 * m_margin - m_rightWidth;

  uint32_t back = GetBackColor();
  FillSolid(dc, item, back == kColorNone || back == kColorParentPaints ? GetSysColor(COLOR_WINDOW) : back);
  bool selected = (draw->itemState & ODS_SELECTED) != 0;
  if (selected) FillSolid(dc, text, HasFocus() ? m_selectionBackFocus : m_selectionBackNoFocus);

  int height = std::abs(int(item.bottom - item.top));
  if (record->leftImage != -1 && text.left != item.left)
    ImageList_Draw(m_leftImages, record->leftImage, dc, item.left + 2 * m_margin,
                   item.top + (height - m_leftHeight) / 2, ILD_NORMAL);
  if (record->rightImage != -1 && text.right != item.right)
    ImageList_Draw(m_rightImages, record->rightImage, dc, text.right, item.top + (height - m_rightHeight) / 2,
                   ILD_NORMAL);

  if (record->text.GetLength() > 0) {
    text.left += 2 * m_margin;
    text.right -= 2 * m_margin;
    int oldMode = SetBkMode(dc, TRANSPARENT);
    COLORREF oldColor = ::SetTextColor(dc, selected ? m_selectionText : m_textColor);
    DrawTextA(dc, record->text.GetText(), record->text.GetLength(), &text, DT_NOPREFIX | DT_SINGLELINE | DT_VCENTER);
    ::SetTextColor(dc, oldColor);
    SetBkMode(dc, oldMode);
  }
  return true;
}

HBRUSH SListCtrl::OnCtlColorListBox(HDC) {
  if (m_brush) DeleteObject(m_brush);
  m_brush = nullptr;
  uint32_t back = GetBackColor();
  if (back == kColorNone || back == kColorParentPaints) return nullptr;
  m_brush = CreateSolidBrush(back);
  return m_brush;
}

// ---- Messages ---------------------------------------------------------------------------

bool SListCtrl::Notify(int event, LPARAM lparam) {
  SWndLifeGuard guard(this);
  SendToParent(ControlNotifyMessage(kControlClassList, event), reinterpret_cast<WPARAM>(this), lparam);
  return guard.IsAlive();
}

void SListCtrl::SelectOnPress(UINT message, WPARAM keys, int index) {
  DWORD style = GetStyle();
  if (style & LBS_EXTENDEDSEL) {
    int mode = ((keys & MK_CONTROL) ? 2 : 0) + ((keys & MK_SHIFT) ? 1 : 0);
    int first = GetSelection();
    LRESULT anchorAnswer = SendMessage(LB_GETANCHORINDEX, 0, 0);
    int anchor = anchorAnswer < 0 ? -1 : int(anchorAnswer);
    int count = GetSelCount();
    switch (mode) {
      case 1:
      case 3:
        // A range needs both ends; a press on empty space has none.
        if (first == -1 || anchor == -1 || index == -1) {
          SetSelection(index);
        } else {
          if (mode == 1) SendMessage(LB_SETSEL, FALSE, -1);
          SelectRange(std::min(anchor, index), std::max(anchor, index), true);
          SendMessage(LB_SETANCHORINDEX, WPARAM(anchor), 0);
          SendMessage(LB_SETCARETINDEX, WPARAM(index), 0);
        }
        Notify(kEventSelectionChanged, 0);
        return;
      case 2:
        if (index != -1) {
          bool now = ToggleItem(index);
          SendMessage(LB_SETANCHORINDEX, WPARAM(index), 0);
          SendMessage(LB_SETCARETINDEX, WPARAM(now ? index : std::max(GetSelection(), 0)), 0);
        }
        Notify(kEventSelectionChanged, 0);
        return;
      default:
        if (index != -1 && message == WM_RBUTTONDOWN && IsSelected(index)) return;
        SetSelection(index);
        if (index != -1) SendMessage(LB_SETANCHORINDEX, WPARAM(index), 0);
        if (!(index == first && count <= 1)) Notify(kEventSelectionChanged, 0);
        return;
    }
  }
  if (style & LBS_MULTIPLESEL) {
    if (message == WM_RBUTTONDOWN) return;
    if (index == -1)
      SetSelection(-1);
    else
      ToggleItem(index);
    Notify(kEventSelectionChanged, 0);
    return;
  }
  if (index != GetSelection()) {
    SetSelection(index);
    Notify(kEventSelectionChanged, 0);
  }
}

LRESULT SListCtrl::WindowProc(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case kCreatedMessage:
      SetBackColor(GetSysColor(COLOR_WINDOW));
      return SWnd::WindowProc(message, wparam, lparam);
    case WM_DESTROY:
      RemoveAll();
      return SWnd::WindowProc(message, wparam, lparam);
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      // The selection colour depends on the focus.
      RedrawAll();
      return SWnd::WindowProc(message, wparam, lparam);
    case WM_KEYDOWN: {
      int before = GetSelection();
      SWndLifeGuard guard(this);
      LRESULT answer = SWnd::WindowProc(message, wparam, lparam);
      if (!guard.IsAlive()) return answer;
      if (GetSelection() != before && !Notify(kEventSelectionChanged, 0)) return answer;
      Notify(kEventKeyDown, LPARAM(wparam));
      return answer;
    }
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: {
      SWndLifeGuard guard(this);
      SelectOnPress(message, wparam, ItemFromPoint(GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)));
      if (!guard.IsAlive()) return 0;
      if (message == WM_LBUTTONDOWN) {
        // The system list box never sees the left press: the selection is
        // this procedure's alone.
        SetFocus();
        ReportControlMouse(*this, kListMouse, message, lparam);
        return 0;
      }
      return ControlWindowProc(*this, kListMouse, message, wparam, lparam);
    }
    case WM_LBUTTONDBLCLK: {
      if (GetSelection() < 0) return ControlWindowProc(*this, kListMouse, message, wparam, lparam);
      if (!Notify(kEventDoubleClicked, 0)) return 0;
      SWndLifeGuard guard(this);
      LRESULT answer = SWnd::WindowProc(message, wparam, lparam);
      if (guard.IsAlive()) ReportControlMouse(*this, kListMouse, message, lparam);
      return answer;
    }
    case kMiddleClickMessage:
    case kRightClickMessage:
      SetFocus();
      return ControlWindowProc(*this, kListMouse, message, wparam, lparam);
  }
  return ControlWindowProc(*this, kListMouse, message, wparam, lparam);
}

// ---- The parent's side ------------------------------------------------------------------

bool MeasureListItem(MEASUREITEMSTRUCT* measure) {
  if (!measure || measure->CtlType != ODT_LISTBOX) return false;
  ListItemRecord* record = KnownRecord(measure->itemData);
  if (!record) return false;
  measure->itemHeight = UINT(record->owner->GetItemHeight());
  return true;
}

bool DrawListItem(const DRAWITEMSTRUCT* draw) {
  if (!draw || draw->CtlType != ODT_LISTBOX || draw->itemID == UINT(-1)) return false;
  auto* list = dynamic_cast<SListCtrl*>(FindWindowObject(draw->hwndItem));
  return list && list->DrawItem(draw);
}
