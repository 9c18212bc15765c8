#include "window/controls/STreeCtrl.h"

#include <vector>

#include "core/SStringArray.h"
#include "core/SStringParser.h"
#include "window/ControlNotify.h"
#include "window/FrameworkMessage.h"
#include "window/SWndLifeGuard.h"
#include "window/controls/ControlWindow.h"

namespace {

const UINT kStateImageMask = 0xF000;
const UINT kStateUnchecked = 0x1000;
const UINT kStateChecked = 0x2000;

UINT TreeEventMessage(int event) { return ControlNotifyMessage(kControlClassTree, event); }

template <class T>
LPARAM Pointer(T value) {
  return reinterpret_cast<LPARAM>(value);
}

// A mouse message's point: signed 16-bit halves, x low.
POINT PointOf(LPARAM lparam) { return POINT{int16_t(LOWORD(lparam)), int16_t(HIWORD(lparam))}; }

}  // namespace

STreeCtrl::STreeCtrl() : m_caseSensitiveFind(false), m_autoCheck(true), m_dragEnabled(false), m_folderMode(false),
      m_folderShowsFiles(true), m_fileFilter("*.*") {
  m_windowType = kWindowTree;
}

STreeCtrl::~STreeCtrl() = default;

bool STreeCtrl::Create(DWORD style, DWORD exStyle, const RECT* rect, HWND parent, int id, void* creationData) {
  // Items are dragged by this class, not by the tree view.
  if (!CreateControlWindow(*this, WC_TREEVIEWA, TVS_DISABLEDRAGDROP, "", style, exStyle, rect, parent, id,
                           creationData))
    return false;
  // The check boxes' images are made when the style arrives after creation
  // (the documented way); a tree asked for them at creation may have none.
  if ((style & TVS_CHECKBOXES) && !SendMessage(TVM_GETIMAGELIST, TVSIL_STATE, 0)) {
    LONG now = GetStyle();
    SetWindowLongA(GetHwnd(), GWL_STYLE, now & ~TVS_CHECKBOXES);
    SetWindowLongA(GetHwnd(), GWL_STYLE, now | TVS_CHECKBOXES);
  }
  return true;
}

// ==== The tree view's messages ======================================================================

int STreeCtrl::GetCount() const { return int(SendMessage(TVM_GETCOUNT, 0, 0)); }
int STreeCtrl::GetVisibleCount() const { return int(SendMessage(TVM_GETVISIBLECOUNT, 0, 0)); }
int STreeCtrl::GetIndent() const { return int(SendMessage(TVM_GETINDENT, 0, 0)); }
void STreeCtrl::SetIndent(int indent) { SendMessage(TVM_SETINDENT, indent, 0); }
COLORREF STreeCtrl::GetTextColor() const { return COLORREF(SendMessage(TVM_GETTEXTCOLOR, 0, 0)); }
void STreeCtrl::SetTextColor(COLORREF color) { SendMessage(TVM_SETTEXTCOLOR, 0, color); }
COLORREF STreeCtrl::GetLineColor() const { return COLORREF(SendMessage(TVM_GETLINECOLOR, 0, 0)); }
void STreeCtrl::SetLineColor(COLORREF color) { SendMessage(TVM_SETLINECOLOR, 0, color); }
void STreeCtrl::SetImageList(HIMAGELIST list) { SendMessage(TVM_SETIMAGELIST, TVSIL_NORMAL, Pointer(list)); }
void STreeCtrl::SetBackColor(uint32_t color) { SendMessage(TVM_SETBKCOLOR, 0, color); }
uint32_t STreeCtrl::GetBackColor() { return uint32_t(SendMessage(TVM_GETBKCOLOR, 0, 0)); }

HTREEITEM STreeCtrl::Next(HTREEITEM item, UINT relation) const {
  return reinterpret_cast<HTREEITEM>(SendMessage(TVM_GETNEXTITEM, relation, Pointer(item)));
}

bool STreeCtrl::SelectItem(HTREEITEM item) { return SendMessage(TVM_SELECTITEM, TVGN_CARET, Pointer(item)) != 0; }
bool STreeCtrl::EnsureVisible(HTREEITEM item) { return SendMessage(TVM_ENSUREVISIBLE, 0, Pointer(item)) != 0; }

bool STreeCtrl::GetItemRect(HTREEITEM item, RECT* rect, bool textOnly) const {
  if (!rect) return false;
  *reinterpret_cast<HTREEITEM*>(rect) = item;
  return SendMessage(TVM_GETITEMRECT, textOnly, Pointer(rect)) != 0;
}

HTREEITEM STreeCtrl::HitTest(POINT point, UINT* flags) const {
  TVHITTESTINFO hit = {};
  hit.pt = point;
  HTREEITEM item = reinterpret_cast<HTREEITEM>(SendMessage(TVM_HITTEST, 0, Pointer(&hit)));
  if (flags) *flags = hit.flags;
  return item;
}

UINT STreeCtrl::GetItemState(HTREEITEM item) const {
  return UINT(SendMessage(TVM_GETITEMSTATE, Pointer(item), 0xFFFFFFFF));
}

bool STreeCtrl::RemoveAll() { return SendMessage(TVM_DELETEITEM, 0, Pointer(TVI_ROOT)) != 0; }

// ==== Items ============================================================================================

HTREEITEM STreeCtrl::InsertItem(const char* text, int image, int selectedImage, HTREEITEM parent, HTREEITEM after,
                                uint32_t value) {
  TVINSERTSTRUCTA insert = {};
  insert.hParent = parent ? parent : TVI_ROOT;
  insert.hInsertAfter = after;
  insert.item.mask = TVIF_TEXT | TVIF_PARAM;
  insert.item.pszText = const_cast<char*>(text ? text : "");
  insert.item.lParam = LPARAM(value);
  if (image != -1) {
    insert.item.mask |= TVIF_IMAGE;
    insert.item.iImage = image;
  }
  if (selectedImage != -1) {
    insert.item.mask |= TVIF_SELECTEDIMAGE;
    insert.item.iSelectedImage = selectedImage;
  }
  return reinterpret_cast<HTREEITEM>(SendMessage(TVM_INSERTITEMA, 0, Pointer(&insert)));
}

SString STreeCtrl::GetItemText(HTREEITEM item) const {
  if (!item) return "";
  char text[kItemTextSize] = {};
  TVITEMA info = {};
  info.mask = TVIF_TEXT | TVIF_HANDLE;
  info.hItem = item;
  info.pszText = text;
  info.cchTextMax = kItemTextSize;
  if (!SendMessage(TVM_GETITEMA, 0, Pointer(&info))) return "";
  text[kItemTextSize - 1] = '\0';
  return SString(info.pszText ? info.pszText : text);
}

bool STreeCtrl::SetItemText(HTREEITEM item, const char* text) {
  TVITEMA info = {};
  info.mask = TVIF_TEXT | TVIF_HANDLE;
  info.hItem = item;
  info.pszText = const_cast<char*>(text ? text : "");
  return SendMessage(TVM_SETITEMA, 0, Pointer(&info)) != 0;
}

void STreeCtrl::SetSelectedText(const char* text) {
  HTREEITEM selection = GetSelectedItem();
  if (selection) SetItemText(selection, text);
}

uint32_t STreeCtrl::GetItemData(HTREEITEM item) const {
  TVITEMA info = {};
  info.mask = TVIF_PARAM | TVIF_HANDLE;
  info.hItem = item;
  if (!item || !SendMessage(TVM_GETITEMA, 0, Pointer(&info))) return 0;
  return uint32_t(info.lParam);
}

bool STreeCtrl::SetItemData(HTREEITEM item, uint32_t value) {
  TVITEMA info = {};
  info.mask = TVIF_PARAM | TVIF_HANDLE;
  info.hItem = item;
  info.lParam = LPARAM(value);
  return SendMessage(TVM_SETITEMA, 0, Pointer(&info)) != 0;
}

int STreeCtrl::GetItemImage(HTREEITEM item, bool selected) const {
  TVITEMA info = {};
  info.mask = TVIF_HANDLE | (selected ? TVIF_SELECTEDIMAGE : TVIF_IMAGE);
  info.hItem = item;
  if (!item || !SendMessage(TVM_GETITEMA, 0, Pointer(&info))) return -1;
  return selected ? info.iSelectedImage : info.iImage;
}

bool STreeCtrl::SetItemImage(HTREEITEM item, int which, int index) {
  TVITEMA info = {};
  info.mask = TVIF_HANDLE | (which == 0 ? TVIF_IMAGE : which == 1 ? TVIF_SELECTEDIMAGE
                                                                   : TVIF_IMAGE | TVIF_SELECTEDIMAGE);
  info.hItem = item;
  info.iImage = index;
  info.iSelectedImage = index;
  return SendMessage(TVM_SETITEMA, 0, Pointer(&info)) != 0;
}

bool STreeCtrl::SetState(HTREEITEM item, UINT mask, UINT state) {
  TVITEMA info = {};
  info.mask = TVIF_STATE | TVIF_HANDLE;
  info.hItem = item;
  info.stateMask = mask;
  info.state = state;
  return SendMessage(TVM_SETITEMA, 0, Pointer(&info)) != 0;
}

bool STreeCtrl::IsChecked(HTREEITEM item) const {
  return item && (UINT(SendMessage(TVM_GETITEMSTATE, Pointer(item), kStateImageMask)) & kStateImageMask) ==
                     kStateChecked;
}

bool STreeCtrl::SetCheck(HTREEITEM item, bool checked) {
  return SetState(item, kStateImageMask, checked ? kStateChecked : kStateUnchecked);
}

bool STreeCtrl::SetBold(HTREEITEM item, bool bold) { return SetState(item, TVIS_BOLD, bold ? TVIS_BOLD : 0); }

void STreeCtrl::Expand(HTREEITEM item, bool expand, bool recursive) {
  UINT code = expand ? TVE_EXPAND : TVE_COLLAPSE;
  if (item) SendMessage(TVM_EXPAND, code, Pointer(item));
  if (!recursive) return;
  SArray<HTREEITEM> items;
  WalkSubtree(item, &items);
  for (int i = 0; i < items.GetCount(); i++) SendMessage(TVM_EXPAND, code, Pointer(items.GetAt(i)));
}

bool STreeCtrl::DeleteItem(HTREEITEM item, bool notify) {
  if (!item) return false;
  if (!notify) return SendMessage(TVM_DELETEITEM, 0, Pointer(item)) != 0;
  // Post-order without recursion: down the first children to a leaf,
  // delete it, resume at its parent; the item itself goes last.
  HWND tree = GetHwnd();
  SWndLifeGuard guard(this);
  HTREEITEM current = item;
  for (;;) {
    HTREEITEM child = GetChildItem(current);
    if (child) {
      current = child;
      continue;
    }
    HTREEITEM parent = current == item ? nullptr : GetParentItem(current);
    TreeDeletedRecord record = {current, GetItemData(current), 0, 0};
    if (!SendMessage(TVM_DELETEITEM, 0, Pointer(current))) return false;
    SendToParent(TreeEventMessage(kTreeEventItemDeleted), Pointer(this), Pointer(&record));
    if (!guard.IsAlive() || !IsWindow(tree)) return false;
    if (current == item) return true;
    current = parent;
  }
}

void STreeCtrl::DeleteChildren(HTREEITEM item) {
  for (HTREEITEM child = GetChildItem(item); child; child = GetChildItem(item))
    if (!DeleteItem(child, true)) return;
}

// ==== Navigation and search ===================================================================================

HTREEITEM STreeCtrl::GetLastSibling(HTREEITEM item) const {
  if (!item) return nullptr;
  for (HTREEITEM next = GetNextSibling(item); next; next = GetNextSibling(item)) item = next;
  return item;
}

int STreeCtrl::GetSiblingIndex(HTREEITEM item) const {
  int index = 0;
  for (HTREEITEM previous = GetPrevSibling(item); previous; previous = GetPrevSibling(previous)) index++;
  return index;
}

int STreeCtrl::GetLevel(HTREEITEM item) const {
  if (!item) return -1;
  int level = 0;
  for (HTREEITEM parent = GetParentItem(item); parent; parent = GetParentItem(parent)) level++;
  return level;
}

HTREEITEM STreeCtrl::GetChildAt(int index, HTREEITEM item) const {
  if (index < 0) return nullptr;
  HTREEITEM child = GetChildItem(item);
  while (child && index-- > 0) child = GetNextSibling(child);
  return child;
}

int STreeCtrl::GetChildCount(HTREEITEM item, bool recursive) const {
  if (recursive) return WalkSubtree(item, nullptr);
  int count = 0;
  for (HTREEITEM child = GetChildItem(item); child; child = GetNextSibling(child)) count++;
  return count;
}

bool STreeCtrl::IsDescendant(HTREEITEM ancestor, HTREEITEM item, bool recursive) const {
  if (!item) return false;
  for (HTREEITEM parent = GetParentItem(item); parent; parent = GetParentItem(parent)) {
    if (parent == ancestor) return true;
    if (!recursive) return false;
  }
  return false;
}

HTREEITEM STreeCtrl::GetNextInOrder(HTREEITEM item, int* level) const {
  int depth = level ? *level : 0;
  HTREEITEM next = GetChildItem(item);
  if (next) {
    depth++;
  } else {
    for (HTREEITEM at = item; at && !next; at = GetParentItem(at)) {
      next = GetNextSibling(at);
      if (!next) depth--;
    }
  }
  if (level) *level = depth;
  return next;
}

int STreeCtrl::WalkSubtree(HTREEITEM item, SArray<HTREEITEM>* items) const {
  int count = 0;
  HTREEITEM current = GetChildItem(item);
  while (current) {
    if (items) items->Add(current);
    count++;
    HTREEITEM next = GetChildItem(current);
    // Up until a sibling turns up, never above the start's level.
    while (!next && current) {
      next = GetNextSibling(current);
      if (next) break;
      current = GetParentItem(current);
      if (current == item) current = nullptr;
    }
    current = next;
  }
  return count;
}

bool STreeCtrl::TextEquals(const SString& text, const char* wanted) const {
  return text.Compare(wanted ? wanted : "", m_caseSensitiveFind) == 0;
}

HTREEITEM STreeCtrl::FindChild(HTREEITEM parent, const char* text) const {
  for (HTREEITEM child = GetChildItem(parent); child; child = GetNextSibling(child))
    if (TextEquals(GetItemText(child), text)) return child;
  return nullptr;
}

HTREEITEM STreeCtrl::FindAncestor(HTREEITEM item, const char* text) const {
  for (HTREEITEM parent = GetParentItem(item); parent; parent = GetParentItem(parent))
    if (TextEquals(GetItemText(parent), text)) return parent;
  return nullptr;
}

HTREEITEM STreeCtrl::FindAncestorByData(HTREEITEM item, uint32_t value) const {
  for (HTREEITEM parent = GetParentItem(item); parent; parent = GetParentItem(parent))
    if (GetItemData(parent) == value) return parent;
  return nullptr;
}

HTREEITEM STreeCtrl::FindByData(HTREEITEM parent, uint32_t value, bool recursive) const {
  return FindItem(parent, nullptr, value, recursive);
}

HTREEITEM STreeCtrl::FindItem(HTREEITEM parent, const char* text, uint32_t value, bool recursive) const {
  SArray<HTREEITEM> items;
  if (recursive) {
    WalkSubtree(parent, &items);
  } else {
    for (HTREEITEM child = GetChildItem(parent); child; child = GetNextSibling(child)) items.Add(child);
  }
  for (int i = 0; i < items.GetCount(); i++) {
    HTREEITEM item = items.GetAt(i);
    if (GetItemData(item) == value && (!text || TextEquals(GetItemText(item), text))) return item;
  }
  return nullptr;
}

bool STreeCtrl::SelectPath(const char* path) {
  if (!path || !*path) {
    SelectItem(nullptr);
    return true;
  }
  SStringArray parts;
  SStringParser parser;
  parser.ParseText(path, "\\", '"', 0, &parts);
  HTREEITEM item = nullptr;
  for (int i = 0; i < parts.GetCount(); i++) {
    item = FindChild(item, parts.GetString(i).GetText());
    if (!item) return false;
  }
  return SelectItem(item);
}

SString STreeCtrl::GetItemPath(HTREEITEM item) const {
  if (!item) return "";
  SStringArray texts;
  for (HTREEITEM at = item; at; at = GetParentItem(at)) texts.Add(GetItemText(at).GetText(), 0);
  SString path = m_folderMode ? m_rootFolder : SString("");
  for (int i = 0; i < texts.GetCount(); i++) {
    path += texts.GetString(i);
    path += "\\";
  }
  path = path.Left(path.GetLength() - 1);
  // A folder's path keeps its final separator.
  if (m_folderMode && m_disk.FolderExists(path.GetText())) path += "\\";
  return path;
}

int STreeCtrl::GetCheckedItems(HTREEITEM item, SArray<HTREEITEM>* items, bool checked) const {
  if (!(GetStyle() & TVS_CHECKBOXES)) return 0;
  SArray<HTREEITEM> walked;
  WalkSubtree(item, &walked);
  int count = 0;
  for (int i = 0; i < walked.GetCount(); i++) {
    if (IsChecked(walked.GetAt(i)) != checked || IsFolderPlaceholder(walked.GetAt(i))) continue;
    if (items) items->Add(walked.GetAt(i));
    count++;
  }
  return count;
}

int STreeCtrl::CountParents(HTREEITEM item) const {
  SArray<HTREEITEM> walked;
  if (WalkSubtree(item, &walked) == 0) return 0;
  int parents = 1;  // the start itself
  for (int i = 0; i < walked.GetCount(); i++)
    if (GetChildItem(walked.GetAt(i))) parents++;
  return parents;
}

void STreeCtrl::SetCheckRecursive(HTREEITEM item, bool checked) {
  SArray<HTREEITEM> items;
  WalkSubtree(item, &items);
  for (int i = 0; i < items.GetCount(); i++) SetCheck(items.GetAt(i), checked);
}

// ==== Check boxes =================================================================================================

void STreeCtrl::OnItemExpanded(HTREEITEM item, bool expanded) {
  if (m_folderMode && expanded) ExpandFolder(item);
}

void STreeCtrl::OnItemChecked(HTREEITEM item, bool checked) {
  if (!m_autoCheck || !item) return;
  SetCheckRecursive(item, checked);
  if (checked) {
    for (HTREEITEM parent = GetParentItem(item); parent; parent = GetParentItem(parent))
      if (!IsChecked(parent)) SetCheck(parent, true);
    return;
  }
  // A parent stays checked while any of its children is.
  for (HTREEITEM at = item; at;) {
    HTREEITEM parent = GetParentItem(at);
    if (!parent) return;
    for (HTREEITEM sibling = GetChildItem(parent); sibling; sibling = GetNextSibling(sibling))
      if (sibling != at && IsChecked(sibling)) return;
    SetCheck(parent, false);
    at = parent;
  }
}

bool STreeCtrl::OnCheckBoxPress(LPARAM point, LRESULT* result) {
  if (!(GetStyle() & TVS_CHECKBOXES)) return false;
  UINT flags = 0;
  HTREEITEM item = HitTest(PointOf(point), &flags);
  if (!item || !(flags & TVHT_ONITEMSTATEICON)) return false;
  bool before = IsChecked(item);
  SWndLifeGuard guard(this);
  *result = SWnd::WindowProc(WM_LBUTTONDOWN, MK_LBUTTON, point);
  if (!guard.IsAlive()) return true;
  bool after = IsChecked(item);
  if (after != before) {
    OnItemChecked(item, after);
    SendToParent(TreeEventMessage(kTreeEventCheckClicked), Pointer(this), Pointer(item));
  }
  return true;
}

// ==== Copies and moves ===============================================================================================

bool STreeCtrl::Placement(STreeCtrl* destination, HTREEITEM target, HTREEITEM item, bool asChild, bool last,
                          HTREEITEM* parent, HTREEITEM* after) const {
  if (!IsItem(item) || (target && !destination->IsItem(target))) return false;
  if (!target) {
    *parent = nullptr;
    *after = last ? TVI_LAST : TVI_FIRST;
    return true;
  }
  // Inside its own subtree the copy would go where it is still being read
  // and never end: as a child of the item or of its descendants, or as the
  // sibling of a descendant.
  if (destination == this && (IsDescendant(item, target, true) || (asChild && target == item))) return false;
  if (asChild) {
    *parent = target;
    *after = last ? TVI_LAST : TVI_FIRST;
    return true;
  }
  *parent = destination->GetParentItem(target);
  if (last) {
    *after = target;
  } else {
    HTREEITEM previous = destination->GetPrevSibling(target);
    *after = previous ? previous : TVI_FIRST;
  }
  return true;
}

HTREEITEM STreeCtrl::CopySubtree(STreeCtrl* destination, HTREEITEM item, HTREEITEM parent, HTREEITEM after,
                                 bool moving) {
  HWND destinationHwnd = destination == this ? nullptr : destination->GetHwnd();
  // The copies along the path from the item down: parents of what follows.
  std::vector<HTREEITEM> copies;
  HTREEITEM top = nullptr;
  HTREEITEM current = item;
  int level = 0;
  while (current) {
    char text[kItemTextSize] = {};
    TVITEMA info = {};
    info.mask = TVIF_HANDLE | TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM | TVIF_STATE;
    info.hItem = current;
    info.stateMask = kStateImageMask;
    info.pszText = text;
    info.cchTextMax = kItemTextSize;
    if (!SendMessage(TVM_GETITEMA, 0, Pointer(&info))) break;
    text[kItemTextSize - 1] = '\0';
    // No state: the copy starts unchecked, plain and collapsed.
    HTREEITEM copy = level == 0 ? destination->InsertItem(info.pszText, info.iImage, info.iSelectedImage, parent,
                                                          after, uint32_t(info.lParam))
                                : destination->InsertItem(info.pszText, info.iImage, info.iSelectedImage,
                                                          copies[level - 1], TVI_LAST, uint32_t(info.lParam));
    if (!copy) break;
    if (level == 0) top = copy;
    copies.resize(level);
    copies.push_back(copy);
    TreeCopiedRecord record = {current, copy, destinationHwnd, 0};
    SWndLifeGuard guard(this), destinationGuard(destination);
    SendToParent(TreeEventMessage(moving ? kTreeEventItemMoved : kTreeEventItemCopied), Pointer(this),
                 Pointer(&record));
    // The parent's handler may have deleted the trees or items of either:
    // the walk goes on only from items that still exist.
    if (!guard.IsAlive() || !destinationGuard.IsAlive()) return nullptr;
    if (!IsItem(current) || !IsItem(item)) break;
    // The pre-order successor, bounded to the item's subtree.
    HTREEITEM next = GetChildItem(current);
    if (next) {
      level++;
    } else {
      while (current != item && !(next = GetNextSibling(current))) {
        current = GetParentItem(current);
        level--;
      }
    }
    current = next;
  }
  return destination->IsItem(top) ? top : nullptr;
}

HTREEITEM STreeCtrl::CopyItem(STreeCtrl* destination, HTREEITEM target, HTREEITEM item, bool asChild, bool last) {
  if (!destination) destination = this;
  HTREEITEM parent = nullptr, after = nullptr;
  if (!Placement(destination, target, item, asChild, last, &parent, &after)) return nullptr;
  return CopySubtree(destination, item, parent, after, false);
}

HTREEITEM STreeCtrl::MoveItem(STreeCtrl* destination, HTREEITEM target, HTREEITEM item, bool asChild, bool last,
                              bool notifyDeletion) {
  if (!destination) destination = this;
  if (destination == this && target == item) return nullptr;
  HTREEITEM parent = nullptr, after = nullptr;
  if (!Placement(destination, target, item, asChild, last, &parent, &after)) return nullptr;
  SWndLifeGuard guard(this);
  HTREEITEM copy = CopySubtree(destination, item, parent, after, true);
  if (copy && guard.IsAlive() && IsItem(item)) DeleteItem(item, notifyDeletion);
  return copy && destination->IsItem(copy) ? copy : nullptr;
}

// ==== The live items ==================================================================================================

bool STreeCtrl::NamesDeadItem(UINT message, WPARAM wparam, LPARAM lparam) const {
  auto dead = [this](HTREEITEM item) { return item && item != TVI_ROOT && !IsItem(item); };
  auto itemOf = [](LPARAM value) { return reinterpret_cast<HTREEITEM>(value); };
  switch (message) {
    case TVM_GETNEXTITEM:
      switch (wparam) {
        // These name no item.
        case TVGN_ROOT:
        case TVGN_FIRSTVISIBLE:
        case TVGN_DROPHILITE:
        case TVGN_CARET:
        case TVGN_LASTVISIBLE: return false;
        default: return dead(itemOf(lparam));
      }
    case TVM_EXPAND:
    case TVM_SELECTITEM:
    case TVM_ENSUREVISIBLE:
    case TVM_EDITLABELA:
    case TVM_EDITLABELW:
    case TVM_SORTCHILDREN:
    case TVM_CREATEDRAGIMAGE:
    case TVM_SETINSERTMARK: return dead(itemOf(lparam));
    case TVM_GETITEMSTATE: return dead(reinterpret_cast<HTREEITEM>(wparam));
    case TVM_GETITEMRECT: return lparam && dead(*reinterpret_cast<const HTREEITEM*>(lparam));
    case TVM_GETITEMA:
    case TVM_SETITEMA:
    case TVM_GETITEMW:
    case TVM_SETITEMW: return lparam && dead(reinterpret_cast<const TVITEMA*>(lparam)->hItem);
    default: return false;
  }
}

LRESULT STreeCtrl::InsertMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  const auto* insert = reinterpret_cast<const TVINSERTSTRUCTA*>(lparam);
  if (!insert) return 0;
  HTREEITEM parent = insert->hParent, after = insert->hInsertAfter;
  if (parent && parent != TVI_ROOT && !IsItem(parent)) return 0;
  if (after && after != TVI_FIRST && after != TVI_LAST && after != TVI_ROOT && after != TVI_SORT && !IsItem(after))
    return 0;
  LRESULT item = SWnd::WindowProc(message, wparam, lparam);
  if (item) m_items.insert(reinterpret_cast<HTREEITEM>(item));
  return item;
}

LRESULT STreeCtrl::DeleteMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  HTREEITEM item = reinterpret_cast<HTREEITEM>(lparam);
  if (!item || item == TVI_ROOT) {
    LRESULT answer = SWnd::WindowProc(message, wparam, lparam);
    m_items.clear();
    return answer;
  }
  if (!IsItem(item)) return FALSE;
  // Forgotten once gone: the parent's handlers of the deletion still read
  // the items while the tree view takes them down.
  SArray<HTREEITEM> doomed;
  WalkSubtree(item, &doomed);
  doomed.Add(item);
  LRESULT answer = SWnd::WindowProc(message, wparam, lparam);
  if (!answer) return answer;
  for (int i = 0; i < doomed.GetCount(); i++) m_items.erase(doomed.GetAt(i));
  return answer;
}

// ==== Messages =======================================================================================================

LRESULT STreeCtrl::WindowProc(UINT message, WPARAM wparam, LPARAM lparam) {
  const UINT mouseReport = TreeEventMessage(kTreeEventMouse);
  if (NamesDeadItem(message, wparam, lparam)) return 0;
  switch (message) {
    case TVM_INSERTITEMA:
    case TVM_INSERTITEMW: return InsertMessage(message, wparam, lparam);
    case TVM_DELETEITEM: return DeleteMessage(message, wparam, lparam);
    case WM_NCDESTROY: m_items.clear(); break;
    case WM_KEYDOWN: {
      HTREEITEM selection = GetSelectedItem();
      if (wparam == VK_F2 && selection) SendMessage(TVM_EDITLABELA, 0, Pointer(selection));
      SWndLifeGuard guard(this);
      SendToParent(TreeEventMessage(kTreeEventKeyDown), Pointer(this), LPARAM(wparam));
      if (!guard.IsAlive()) return 0;
      break;
    }
    case WM_LBUTTONDOWN: {
      LRESULT result = 0;
      if (OnCheckBoxPress(lparam, &result)) return result;
      if (!ReportControlMouse(*this, mouseReport, message, lparam)) return 0;
      SWndLifeGuard guard(this);
      result = SWnd::WindowProc(message, wparam, lparam);
      if (!guard.IsAlive() || !m_dragEnabled) return result;
      UINT flags = 0;
      HTREEITEM item = HitTest(PointOf(lparam), &flags);
      if (item && (flags & TVHT_ONITEMLABEL)) DragLoop(item);
      return result;
    }
    case WM_RBUTTONDOWN: {
      HTREEITEM item = HitTest(PointOf(lparam));
      if (item && item != GetSelectedItem()) SelectItem(item);
      if (!ReportControlMouse(*this, mouseReport, message, lparam)) return 0;
      break;
    }
    case kCreatedMessage:
      m_dropTargets.RemoveAll();
      m_items.clear();
      break;
    default:
      return ControlWindowProc(*this, mouseReport, message, wparam, lparam);
  }
  return SWnd::WindowProc(message, wparam, lparam);
}
