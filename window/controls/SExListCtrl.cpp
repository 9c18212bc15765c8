#include "window/controls/SExListCtrl.h"

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "window/ControlNotify.h"
#include "window/controls/ControlWindow.h"

namespace {

const UINT kListMouseMessage = ControlNotifyMessage(kControlClassExtendedList, 1);

// What the sort callback needs: the texts of the sort column, read before
// the sort, by the index each item had then (which the item carries as its
// value while the sort runs).
struct SortRecord {
  const std::vector<SString>* texts;
  const std::vector<double>* numbers;  // numeric sorts only
  bool ascending;
  bool caseSensitive;
  bool numeric;
};

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The decimal number a text begins with, 0 when it begins with none.
// Blanks are thousands separators here ("1 000"). Only the decimal form is
// read: a column of names beginning "nan", "inf" or "0x" holds no numbers.
double NumberOf(const SString& text) {
  std::string s;
  for (const char* c = text.GetText(); *c; c++)
    if (*c != ' ') s += *c;
  size_t end = 0, digits = 0;
  if (end < s.size() && (s[end] == '+' || s[end] == '-')) end++;
  for (; end < s.size() && IsDigit(s[end]); end++) digits++;
  if (end < s.size() && s[end] == '.')
    for (end++; end < s.size() && IsDigit(s[end]); end++) digits++;
  if (digits == 0) return 0;
  if (end < s.size() && (s[end] == 'e' || s[end] == 'E')) {
    size_t exponent = end + 1;
    if (exponent < s.size() && (s[exponent] == '+' || s[exponent] == '-')) exponent++;
    if (exponent < s.size() && IsDigit(s[exponent])) {
      end = exponent;
      while (end < s.size() && IsDigit(s[end])) end++;
    }
  }
  return std::strtod(s.substr(0, end).c_str(), nullptr);
}

int CALLBACK CompareItems(LPARAM a, LPARAM b, LPARAM sort) {
  const SortRecord* record = reinterpret_cast<const SortRecord*>(sort);
  int d;
  if (record->numeric) {
    // Equal values are never reported equal: the list view keeps no order
    // of its own for them.
    d = (*record->numbers)[size_t(a)] <= (*record->numbers)[size_t(b)] ? -1 : 1;
  } else {
    const char* first = (*record->texts)[size_t(a)].GetText();
    const char* second = (*record->texts)[size_t(b)].GetText();
    int c = record->caseSensitive ? std::strcmp(first, second) : _stricmp(first, second);
    d = c < 0 ? -1 : c > 0 ? 1 : 0;
  }
  return record->ascending ? d : -d;
}

enum SelectHow { kSelect, kDeselect, kToggle };

template <class T>
LPARAM Pointer(T* value) {
  return reinterpret_cast<LPARAM>(value);
}

}  // namespace

SExListCtrl::SExListCtrl() { m_windowType = kWindowExtendedList; }
SExListCtrl::~SExListCtrl() = default;

bool SExListCtrl::Create(DWORD style, DWORD exStyle, const RECT* rect, HWND parent, int id, void* creationData) {
  return CreateControlWindow(*this, WC_LISTVIEWA, LVS_SHAREIMAGELISTS, "", style, exStyle, rect, parent, id,
                             creationData);
}

void SExListCtrl::SetBackColor(uint32_t color) {
  SendMessage(LVM_SETBKCOLOR, 0, color);
  SendMessage(LVM_SETTEXTBKCOLOR, 0, color);
}

uint32_t SExListCtrl::GetBackColor() { return uint32_t(SendMessage(LVM_GETBKCOLOR, 0, 0)); }

// ==== Columns ==========================================================================================

int SExListCtrl::InsertColumn(int index, const char* text, int width, int format) {
  int count = GetColumnCount();
  if (index < 0 || index > count) index = count;
  LVCOLUMNA column = {};
  column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT;
  column.fmt = format;
  column.cx = width;
  column.pszText = const_cast<char*>(text ? text : "");
  return int(SendMessage(LVM_INSERTCOLUMNA, index, Pointer(&column)));
}

bool SExListCtrl::DeleteColumn(int column) { return SendMessage(LVM_DELETECOLUMN, column, 0) != 0; }

int SExListCtrl::GetColumnCount() const {
  // The list view's type is a two-bit field: LVS_LIST shares its low bit
  // with LVS_REPORT.
  if ((GetStyle() & LVS_TYPEMASK) != LVS_REPORT) return 0;
  HWND header = reinterpret_cast<HWND>(SendMessage(LVM_GETHEADER, 0, 0));
  return header ? int(::SendMessageA(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
}

bool SExListCtrl::SetColumnText(int column, const char* text) {
  LVCOLUMNA info = {};
  info.mask = LVCF_TEXT;
  info.pszText = const_cast<char*>(text ? text : "");
  return SendMessage(LVM_SETCOLUMNA, column, Pointer(&info)) != 0;
}

SString SExListCtrl::GetColumnText(int column) const {
  char text[kColumnTextSize] = {};
  LVCOLUMNA info = {};
  info.mask = LVCF_TEXT;
  info.pszText = text;
  info.cchTextMax = kColumnTextSize;
  if (!SendMessage(LVM_GETCOLUMNA, column, Pointer(&info))) return "";
  text[kColumnTextSize - 1] = '\0';
  return SString(text);
}

bool SExListCtrl::SetColumnWidth(int column, int width) {
  int sent = width == -1 ? LVSCW_AUTOSIZE_USEHEADER : width;
  return SendMessage(LVM_SETCOLUMNWIDTH, column, MAKELPARAM(sent & 0xFFFF, 0)) != 0;
}

int SExListCtrl::GetColumnWidth(int column) const {
  if (column < 0 || column >= GetColumnCount()) return -1;
  return int(SendMessage(LVM_GETCOLUMNWIDTH, column, 0));
}

void SExListCtrl::AutoSizeColumns() {
  for (int column = 0, n = GetColumnCount(); column < n; column++) SetColumnWidth(column, -1);
}

// ==== Items ==============================================================================================

int SExListCtrl::InsertItem(int index, int image, const char* text) {
  LVITEMA item = {};
  item.mask = LVIF_TEXT;
  item.iItem = index == -1 ? GetItemCount() : index;
  item.pszText = const_cast<char*>(text ? text : "");
  if (image >= 0) {
    item.mask |= LVIF_IMAGE;
    item.iImage = image;
  }
  return int(SendMessage(LVM_INSERTITEMA, 0, Pointer(&item)));
}

bool SExListCtrl::DeleteItem(int index) { return SendMessage(LVM_DELETEITEM, index, 0) != 0; }
bool SExListCtrl::RemoveAll() { return SendMessage(LVM_DELETEALLITEMS, 0, 0) != 0; }
int SExListCtrl::GetItemCount() const { return int(SendMessage(LVM_GETITEMCOUNT, 0, 0)); }
int SExListCtrl::GetCountPerPage() const { return int(SendMessage(LVM_GETCOUNTPERPAGE, 0, 0)); }
int SExListCtrl::GetTopIndex() const { return int(SendMessage(LVM_GETTOPINDEX, 0, 0)); }
int SExListCtrl::GetSelectedCount() const { return int(SendMessage(LVM_GETSELECTEDCOUNT, 0, 0)); }

bool SExListCtrl::SetItemText(int item, int subItem, const char* text) {
  LVITEMA info = {};
  info.iSubItem = subItem;
  info.pszText = const_cast<char*>(text ? text : "");
  return SendMessage(LVM_SETITEMTEXTA, item, Pointer(&info)) != 0;
}

SString SExListCtrl::GetItemText(int item, int subItem) const {
  char text[kItemTextSize] = {};
  LVITEMA info = {};
  info.iSubItem = subItem;
  info.pszText = text;
  info.cchTextMax = kItemTextSize - 1;
  if (SendMessage(LVM_GETITEMTEXTA, item, Pointer(&info)) <= 0 || !info.pszText) return "";
  // The control may point at its own storage instead of filling ours.
  return SString(info.pszText).Left(kItemTextSize - 1);
}

bool SExListCtrl::SetItemImage(int item, int image) {
  LVITEMA info = {};
  info.mask = LVIF_IMAGE;
  info.iItem = item;
  info.iImage = image;
  return SendMessage(LVM_SETITEMA, 0, Pointer(&info)) != 0;
}

int SExListCtrl::GetItemImage(int item) const {
  LVITEMA info = {};
  info.mask = LVIF_IMAGE;
  info.iItem = item;
  return SendMessage(LVM_GETITEMA, 0, Pointer(&info)) ? info.iImage : -1;
}

void SExListCtrl::SetImageList(HIMAGELIST list, bool small) {
  SendMessage(LVM_SETIMAGELIST, small ? LVSIL_SMALL : LVSIL_NORMAL, reinterpret_cast<LPARAM>(list));
}

bool SExListCtrl::SetTextColor(COLORREF color) { return SendMessage(LVM_SETTEXTCOLOR, 0, color) != 0; }
COLORREF SExListCtrl::GetTextColor() const { return COLORREF(SendMessage(LVM_GETTEXTCOLOR, 0, 0)); }

// ==== Selection ============================================================================================

int SExListCtrl::GetNextItem(int start, UINT flags) const {
  return int(SendMessage(LVM_GETNEXTITEM, start, flags & 0xFFFF));
}

int SExListCtrl::GetSelection() const { return GetNextItem(-1, LVNI_FOCUSED | LVNI_SELECTED); }

void SExListCtrl::SetSelection(int index) {
  LVITEMA item = {};
  item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessage(LVM_SETITEMSTATE, WPARAM(-1), Pointer(&item));
  if (index < 0 || index >= GetItemCount()) return;
  item.state = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessage(LVM_SETITEMSTATE, index, Pointer(&item));
}

void SExListCtrl::SetItemsSelected(int start, int count, int how) {
  int items = GetItemCount();
  if (start < 0 || start >= items) return;
  int end = count < 0 || count > items - start ? items : start + count;
  for (int i = start; i < end; i++) {
    LVITEMA item = {};
    item.stateMask = LVIS_SELECTED;
    bool selected = how == kSelect ||
                    (how == kToggle && !(SendMessage(LVM_GETITEMSTATE, i, LVIS_SELECTED) & LVIS_SELECTED));
    item.state = selected ? LVIS_SELECTED : 0;
    SendMessage(LVM_SETITEMSTATE, i, Pointer(&item));
  }
}

void SExListCtrl::SelectItems(int start, int count) { SetItemsSelected(start, count, kSelect); }
void SExListCtrl::DeselectItems(int start, int count) { SetItemsSelected(start, count, kDeselect); }
void SExListCtrl::ToggleItems(int start, int count) { SetItemsSelected(start, count, kToggle); }

int SExListCtrl::GetSelectedItems(SArray<int32_t>* items) const {
  if (!items) return GetSelectedCount();
  int count = 0;
  for (int i = GetNextItem(-1, LVNI_SELECTED); i >= 0; i = GetNextItem(i, LVNI_SELECTED)) {
    items->Add(i);
    count++;
  }
  return count;
}

int SExListCtrl::DeleteSelected(bool reselect) {
  int count = 0, first = -1;
  for (int i = GetNextItem(-1, LVNI_SELECTED); i >= 0; i = GetNextItem(-1, LVNI_SELECTED)) {
    if (!DeleteItem(i)) break;
    if (count++ == 0) first = i;
  }
  if (count > 0 && reselect) SetSelection(first);
  return count;
}

int SExListCtrl::FindText(const char* text, int column) const {
  if (column < 0 || column >= GetColumnCount()) return -1;
  for (int i = 0, n = GetItemCount(); i < n; i++)
    if (GetItemText(i, column).Compare(text ? text : "", false) == 0) return i;
  return -1;
}

void SExListCtrl::EditLabel(int index) {
  if (index < 0 || index >= GetItemCount()) return;
  ::SetFocus(GetHwnd());
  SendMessage(LVM_EDITLABELA, index, 0);
}

bool SExListCtrl::EnsureVisible(int index, bool partialAllowed) {
  return SendMessage(LVM_ENSUREVISIBLE, index, partialAllowed) != 0;
}

bool SExListCtrl::Arrange(UINT code) { return SendMessage(LVM_ARRANGE, code, 0) != 0; }

POINT SExListCtrl::GetItemPosition(int index) const {
  POINT point = {0, 0};
  if (!SendMessage(LVM_GETITEMPOSITION, index, Pointer(&point))) point = POINT{0, 0};
  return point;
}

RECT SExListCtrl::GetItemRect(int index, int portion) const {
  RECT rect = {portion, 0, 0, 0};
  if (!SendMessage(LVM_GETITEMRECT, index, Pointer(&rect))) rect = RECT{0, 0, 0, 0};
  return rect;
}

RECT SExListCtrl::GetSubItemRect(int item, int subItem, int portion) const {
  RECT rect = {portion, subItem, 0, 0};
  if (!SendMessage(LVM_GETSUBITEMRECT, item, Pointer(&rect))) rect = RECT{0, 0, 0, 0};
  return rect;
}

int SExListCtrl::HitTest(int x, int y, UINT* flags) const {
  LVHITTESTINFO hit = {};
  hit.pt = POINT{x, y};
  int item = int(SendMessage(LVM_HITTEST, 0, Pointer(&hit)));
  if (flags) *flags = hit.flags;
  return item;
}

int SExListCtrl::SubItemHitTest(int x, int y, UINT* flags) const {
  LVHITTESTINFO hit = {};
  hit.pt = POINT{x, y};
  int item = int(SendMessage(LVM_SUBITEMHITTEST, 0, Pointer(&hit)));
  if (flags) *flags = hit.flags;
  return item;
}

int SExListCtrl::GetStringWidth(const char* text) const {
  return int(SendMessage(LVM_GETSTRINGWIDTHA, 0, reinterpret_cast<LPARAM>(text ? text : "")));
}

void SExListCtrl::SetIconSpacing(int cx, int cy) { SendMessage(LVM_SETICONSPACING, 0, MAKELONG(cx, cy)); }
DWORD SExListCtrl::GetItemSpacing(bool small) const { return DWORD(SendMessage(LVM_GETITEMSPACING, small, 0)); }

LPARAM SExListCtrl::GetItemValue(int item) const {
  LVITEMA info = {};
  info.mask = LVIF_PARAM;
  info.iItem = item;
  return SendMessage(LVM_GETITEMA, 0, Pointer(&info)) ? info.lParam : 0;
}

void SExListCtrl::SetItemValue(int item, LPARAM value) {
  LVITEMA info = {};
  info.mask = LVIF_PARAM;
  info.iItem = item;
  info.lParam = value;
  SendMessage(LVM_SETITEMA, 0, Pointer(&info));
}

// The list view moves its items while it sorts, and a comparison that read
// the texts by index then would read some of them from the wrong items. So
// every text is read first, each item carries the index it had as its
// value during the sort, and gets its own value back afterwards.
bool SExListCtrl::Sort(int column, bool ascending, bool caseSensitive, bool numeric) {
  const int count = GetItemCount();
  std::vector<SString> texts(static_cast<size_t>(count));
  std::vector<double> numbers(numeric ? size_t(count) : 0);
  std::vector<LPARAM> values(static_cast<size_t>(count));
  for (int i = 0; i < count; i++) {
    texts[size_t(i)] = GetItemText(i, column);
    if (numeric) numbers[size_t(i)] = NumberOf(texts[size_t(i)]);
    values[size_t(i)] = GetItemValue(i);
    SetItemValue(i, i);
  }
  SortRecord record = {&texts, &numbers, ascending, caseSensitive, numeric};
  bool sorted = SendMessage(LVM_SORTITEMS, Pointer(&record), reinterpret_cast<LPARAM>(&CompareItems)) != 0;
  for (int i = 0; i < count; i++) {
    LPARAM first = GetItemValue(i);
    if (first >= 0 && first < count) SetItemValue(i, values[size_t(first)]);
  }
  return sorted;
}

LRESULT SExListCtrl::WindowProc(UINT message, WPARAM wparam, LPARAM lparam) {
  // Only the presses: the list view reports its clicks itself (NM_CLICK).
  if (message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN) return ControlWindowProc(*this, kListMouseMessage,
                                                                                       message, wparam, lparam);
  return SWnd::WindowProc(message, wparam, lparam);
}
