// STreeCtrl: a subclassed system "SysTreeView32".
//
// Beyond the tree view's own messages: items with a text, images and a
// 32-bit user value; check boxes whose changes reach the children and the
// parents; searches by text, user value and backslash path; copies and
// moves of whole subtrees (by code or by dragging with the mouse), deletion
// that tells the parent of each item; the tree file (STreeCtrlFile.cpp).
//
// Item handles are the tree view's HTREEITEMs; a null parent is the root
// level. The check state is the state image: 1 unchecked, 2 checked.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <cstdint>
#include <set>

#include "core/SArray.h"
#include "core/SString.h"
#include "core/SStringArray.h"
#include "files/SDisk.h"
#include "window/SImageList.h"
#include "window/SWnd.h"

class SFile;
class SXmlItem;

// The tree's own events (ControlNotifyMessage of the tree class).
enum TreeEvent : int {
  kTreeEventKeyDown = 0,
  kTreeEventMouse = 1,
  kTreeEventCheckClicked = 4,
  kTreeEventDragStarting = 9,
  kTreeEventDrop = 10,
  kTreeEventDragFailed = 11,
  kTreeEventItemCopied = 12,
  kTreeEventItemMoved = 13,
  kTreeEventItemDeleted = 14,
};

// Event 14's record.
struct TreeDeletedRecord {
  HTREEITEM item;
  uint32_t value;
  uint32_t reserved1, reserved2;
};

// Events 12 and 13: one item of a copy.
struct TreeCopiedRecord {
  HTREEITEM source;
  HTREEITEM copy;
  HWND destination;  // null when the copy went into this tree
  uint32_t reserved;
};

// Event 10: what a drop will do; the parent may change it before it answers.
struct TreeDropRecord {
  HTREEITEM item;
  HTREEITEM target;  // null: the root level
  HWND targetTree;   // null: this tree
  uint8_t move;      // 1 move, 0 copy
  uint8_t reserved;
  uint8_t asChild;   // 1 child of the target, 0 its sibling
  uint8_t last;      // 1 last, 0 first
};

class STreeCtrl : public SWnd {
 public:
  // The longest item text read back, with its NUL.
  static constexpr int kItemTextSize = 1024;
  // The deepest tree a tree file may describe. The walks of this class are
  // iterative, but the system tree view deletes and lays out its items
  // recursively: a hostile file is refused before it reaches it.
  static constexpr int kMaxFileDepth = 1000;

  STreeCtrl();
  ~STreeCtrl() override;

  bool Create(DWORD style, DWORD exStyle, const RECT* rect, HWND parent, int id, void* creationData = nullptr);

  virtual void OnItemExpanded(HTREEITEM item, bool expanded);
  virtual void OnItemChecked(HTREEITEM item, bool checked);

  // ---- The tree view's messages ---------------------------------------------------------

  int GetCount() const;
  int GetVisibleCount() const;
  int GetIndent() const;
  void SetIndent(int indent);
  COLORREF GetTextColor() const;
  void SetTextColor(COLORREF color);
  COLORREF GetLineColor() const;
  void SetLineColor(COLORREF color);
  void SetImageList(HIMAGELIST list);  // borrowed
  void SetBackColor(uint32_t color) override;
  uint32_t GetBackColor() override;

  HTREEITEM GetSelectedItem() const { return Next(nullptr, TVGN_CARET); }
  HTREEITEM GetParentItem(HTREEITEM item) const { return Next(item, TVGN_PARENT); }
  // A null item gives the first root item.
  HTREEITEM GetChildItem(HTREEITEM item) const { return item ? Next(item, TVGN_CHILD) : Next(nullptr, TVGN_ROOT); }
  HTREEITEM GetNextSibling(HTREEITEM item) const { return Next(item, TVGN_NEXT); }
  HTREEITEM GetPrevSibling(HTREEITEM item) const { return Next(item, TVGN_PREVIOUS); }
  HTREEITEM GetNextVisible(HTREEITEM item) const { return Next(item, TVGN_NEXTVISIBLE); }
  HTREEITEM GetPrevVisible(HTREEITEM item) const { return Next(item, TVGN_PREVIOUSVISIBLE); }
  bool SelectItem(HTREEITEM item);
  bool EnsureVisible(HTREEITEM item);
  bool GetItemRect(HTREEITEM item, RECT* rect, bool textOnly) const;
  HTREEITEM HitTest(POINT point, UINT* flags = nullptr) const;
  UINT GetItemState(HTREEITEM item) const;
  // Whether the handle names one of this tree's items now: one the tree view
  // made and has not deleted. The tree view takes every handle as a pointer
  // without checking it, so messages naming any other handle (a made-up
  // number, a deleted item) are refused before they reach it.
  bool IsItem(HTREEITEM item) const { return item && m_items.count(item) != 0; }
  bool IsExpanded(HTREEITEM item) const { return (GetItemState(item) & TVIS_EXPANDED) != 0; }
  bool RemoveAll();

  // ---- Items ------------------------------------------------------------------------------

  // An image of -1 is left unset. The new item or null.
  HTREEITEM InsertItem(const char* text, int image = -1, int selectedImage = -1, HTREEITEM parent = nullptr,
                       HTREEITEM after = TVI_LAST, uint32_t value = 0);
  SString GetItemText(HTREEITEM item) const;
  bool SetItemText(HTREEITEM item, const char* text);
  void SetSelectedText(const char* text);
  SString GetSelectedText() const { return GetItemText(GetSelectedItem()); }
  SString GetSelectedPath() const { return GetItemPath(GetSelectedItem()); }
  uint32_t GetItemData(HTREEITEM item) const;
  bool SetItemData(HTREEITEM item, uint32_t value);
  int GetItemImage(HTREEITEM item, bool selected) const;
  // which 0: the image; 1: the selected image; else both.
  bool SetItemImage(HTREEITEM item, int which, int index);
  bool IsChecked(HTREEITEM item) const;
  bool SetCheck(HTREEITEM item, bool checked);
  bool IsBold(HTREEITEM item) const { return (GetItemState(item) & TVIS_BOLD) != 0; }
  bool SetBold(HTREEITEM item, bool bold);
  // A null item with recursive set expands the whole tree.
  void Expand(HTREEITEM item, bool expand, bool recursive);
  // With notify, each item of the subtree, deepest first, reports event 14.
  bool DeleteItem(HTREEITEM item, bool notify);
  void DeleteChildren(HTREEITEM item);

  // ---- Navigation and search ------------------------------------------------------------------

  HTREEITEM GetFirstSibling(HTREEITEM item) const { return GetChildItem(GetParentItem(item)); }
  HTREEITEM GetLastSibling(HTREEITEM item) const;
  int GetSiblingIndex(HTREEITEM item) const;
  int GetLevel(HTREEITEM item) const;  // -1 for null
  HTREEITEM GetChildAt(int index, HTREEITEM item) const;
  int GetChildCount(HTREEITEM item, bool recursive) const;
  bool IsDescendant(HTREEITEM ancestor, HTREEITEM item, bool recursive) const;
  // Pre-order successor; level follows the steps down and up.
  HTREEITEM GetNextInOrder(HTREEITEM item, int* level = nullptr) const;
  // The descendants of item (the whole tree for null) in pre-order, into
  // items when given; their number.
  int WalkSubtree(HTREEITEM item, SArray<HTREEITEM>* items) const;

  HTREEITEM FindChild(HTREEITEM parent, const char* text) const;
  HTREEITEM FindAncestor(HTREEITEM item, const char* text) const;
  HTREEITEM FindAncestorByData(HTREEITEM item, uint32_t value) const;
  HTREEITEM FindByData(HTREEITEM parent, uint32_t value, bool recursive) const;
  HTREEITEM FindItem(HTREEITEM parent, const char* text, uint32_t value, bool recursive) const;
  // Parts separated by "\"; false, the selection kept, when one is missing.
  bool SelectPath(const char* path);
  SString GetItemPath(HTREEITEM item) const;

  // Start item null: the whole tree. Otherwise only the item's own subtree
  // (the item and its descendants): a caller asking about an item means
  // that branch, never what follows it.
  int GetCheckedItems(HTREEITEM item, SArray<HTREEITEM>* items, bool checked) const;
  int CountParents(HTREEITEM item) const;
  void SetCheckRecursive(HTREEITEM item, bool checked);

  void SetCaseSensitive(bool on) { m_caseSensitiveFind = on; }
  bool IsCaseSensitive() const { return m_caseSensitiveFind; }
  void SetAutoCheck(bool on) { m_autoCheck = on; }
  bool IsAutoCheck() const { return m_autoCheck; }
  void SetDragEnabled(bool on) { m_dragEnabled = on; }
  // Other trees that accept items dragged out of this one; filled by the
  // owner.
  SArray<HWND>& GetDropTargets() { return m_dropTargets; }
  bool IsFolderMode() const { return m_folderMode; }

  // ---- Copies and moves -------------------------------------------------------------------------

  // destination null: this tree. target null: the root level. Refused (null)
  // when the placement lies inside the item's own subtree. The new item.
  HTREEITEM CopyItem(STreeCtrl* destination, HTREEITEM target, HTREEITEM item, bool asChild, bool last);
  // With notifyDeletion each item of the moved subtree reports event 14 as
  // it is deleted.
  HTREEITEM MoveItem(STreeCtrl* destination, HTREEITEM target, HTREEITEM item, bool asChild, bool last,
                     bool notifyDeletion = false);

  // ---- Folder mode (STreeCtrlFolders.cpp) ----------------------------------------------------------

  // The folder's hierarchy (with one item for the folder itself when
  // withRoot), or the drives for an empty or invalid path; sub-folders load
  // when an item is expanded. Refused for a tree with editable labels.
  bool BrowseFolder(const char* path, bool withRoot, bool showFiles, const char* fileFilter);
  void EndFolderMode() { m_folderMode = false; }
  // The sub-folders and, when shown, the matching files of folder, under parent.
  void LoadFolder(const char* folder, HTREEITEM parent);
  HTREEITEM AddPathItem(HTREEITEM parent, const char* path);
  // Loads an item's folder in place of its "*" placeholder.
  void ExpandFolder(HTREEITEM item);

  // ---- Tree file --------------------------------------------------------------------------------

  bool SaveFile(SFile* stream, bool withAttributes);
  bool LoadFile(SFile* stream, bool withAttributes);
  bool LoadXml(SXmlItem* item, bool withAttributes);
  // Every root-level item's subtree as the last children of root.
  bool SaveXml(SXmlItem* root, bool withAttributes);

  LRESULT WindowProc(UINT message, WPARAM wparam, LPARAM lparam) override;

 private:
  HTREEITEM Next(HTREEITEM item, UINT relation) const;
  // A tree view message that names an item this tree does not hold.
  bool NamesDeadItem(UINT message, WPARAM wparam, LPARAM lparam) const;
  // The live set follows every insertion and deletion.
  LRESULT InsertMessage(UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT DeleteMessage(UINT message, WPARAM wparam, LPARAM lparam);
  bool TextEquals(const SString& text, const char* wanted) const;
  bool SetState(HTREEITEM item, UINT mask, UINT state);
  // Where a copy goes under the destination, refused placements null.
  bool Placement(STreeCtrl* destination, HTREEITEM target, HTREEITEM item, bool asChild, bool last,
                 HTREEITEM* parent, HTREEITEM* after) const;
  HTREEITEM CopySubtree(STreeCtrl* destination, HTREEITEM item, HTREEITEM parent, HTREEITEM after, bool moving);
  bool LoadElement(SXmlItem* element, bool isRoot, bool withAttributes);
  // The check-box click of a left press; true when the press was one.
  bool OnCheckBoxPress(LPARAM point, LRESULT* result);
  // STreeCtrlDrag.cpp: from a left press on the item's label until the
  // button is released or Escape pressed.
  void DragLoop(HTREEITEM item);
  // The "*" child that stands for a folder's unread contents.
  bool IsFolderPlaceholder(HTREEITEM item) const;

  bool m_caseSensitiveFind;
  bool m_autoCheck;
  bool m_dragEnabled;
  bool m_folderMode;
  bool m_folderShowsFiles;
  SString m_fileFilter;
  SString m_rootFolder;  // item paths are relative to it in folder mode
  mutable SDisk m_disk;  // its queries hold no state the tree sees
  SImageList m_icons;
  SStringArray m_iconExtensions;  // sorted; the icon of each in m_iconImages
  SArray<int32_t> m_iconImages;   // parallel to m_iconExtensions
  SArray<HWND> m_dropTargets;  // not owned
  // Every live item. A tree, not a hash: its lookups use no floating point,
  // which a system library may have left in a state that faults.
  std::set<HTREEITEM> m_items;
};
