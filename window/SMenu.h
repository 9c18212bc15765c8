// SMenu: one Win32 menu, a menu bar or a popup, whose items each carry a
// MenuItemRecord (command id, user data, name, image). Items are found by
// command id; with duplicate ids the first in position order is meant.
//
// The menus are made with MNS_NOTIFYBYPOS: a chosen item reaches the owner
// window as WM_MENUCOMMAND, which the window layer turns into
// SMenu::OnCommand and then ControlNotifyMessage(kControlClassMenu, 0) with
// the menu and the command id.
//
// Item images come from an image list. On Vista and later at 32 bits per
// pixel the system draws them from a bitmap of the item's own; elsewhere
// the items are drawn by the menu (HBMMENU_CALLBACK, MeasureItem and
// DrawItem).
#pragma once

#include <windows.h>

#include <cstdint>

#include "core/SString.h"
#include "window/SImage.h"

class SMenu;

struct MenuItemRecord {
  SMenu* owner = nullptr;
  int32_t id = 0;
  uint32_t userData = 0;
  SString name;
  int32_t imageIndex = -1;
  SImage image;
  HBITMAP bitmap = nullptr;  // owned
  uint8_t separator = 0;
};

// Deletes the record's bitmap and empties its image and name; the caller
// frees the memory.
void FreeMenuItemRecord(MenuItemRecord* record);

// The record that a menu item's data names, when the framework made it and
// it is still alive; null for the data of any other menu (a module's).
MenuItemRecord* FindMenuItemRecord(ULONG_PTR itemData);

class SMenu {
 public:
  // Where and with which keys the last popup was shown (bit 1 Ctrl, bit 0
  // Shift); the dialog designer reads them.
  static inline int LastPopupX = 0;
  static inline int LastPopupY = 0;
  static inline int LastPopupKeys = 0;

  SMenu();
  virtual ~SMenu();
  SMenu(const SMenu&) = delete;
  SMenu& operator=(const SMenu&) = delete;

  // Images are drawn by the menu; true when it drew or measured one.
  virtual bool MeasureItem(MenuItemRecord* record, MEASUREITEMSTRUCT* measure);
  virtual bool DrawItem(MenuItemRecord* record, DRAWITEMSTRUCT* draw);
  // An item was chosen, before the command is reported to the owner.
  virtual void OnCommand(int position, int id);

  // Not owned; a list whose size cannot be read counts as none.
  void SetImageList(HIMAGELIST list);
  HIMAGELIST GetImageList() const { return m_imageList; }
  const SString& GetName() const { return m_name; }
  void SetName(const SString& name) { m_name = name; }
  int GetId() const { return m_id; }
  HWND GetOwner() const { return m_owner; }
  HMENU GetHandle() const { return m_handle; }

  bool CreatePopup(HWND owner, int id);
  bool CreateBar(HWND owner, int id);
  bool IsMenuBar() const { return m_menuBar != 0; }

  // A position below 0 or past the end appends.
  bool InsertItem(int id, const char* text, int imageIndex, int position, uint32_t userData, bool checked,
                  bool disabled);
  bool InsertSubMenu(int id, SMenu* subMenu, const char* text, int imageIndex, int position, uint32_t userData,
                     bool checked, bool disabled);
  bool InsertSeparator(int id, int position);

  int GetItemCount() const;
  int FindItem(int id) const;
  MenuItemRecord* GetItemRecord(int id) const;
  int GetItemId(int position) const;

  bool SetItemText(int id, const char* text);
  SString GetItemText(int id) const;
  bool CheckItem(int id, bool check);
  bool IsItemChecked(int id) const;
  bool EnableItem(int id, bool enable);
  bool IsItemDisabled(int id) const;
  bool SetItemData(int id, uint32_t value);
  uint32_t GetItemData(int id) const;
  bool SetItemName(int id, const char* text);
  SString GetItemName(int id) const;

  // A sub-menu of the item is detached, not destroyed.
  bool RemoveItem(int id);
  // Stops at the first item without record or that cannot be removed.
  bool RemoveAll();

  // False for a menu bar. The window defaults to the owner.
  bool TrackPopup(int x, int y, UINT flags, HWND window);
  bool TrackPopupAtCursor(UINT flags, HWND window);

  // The window layer's part: WM_MENUCOMMAND (position, menu) received by a
  // window, reported as described above; false when the item is not one
  // of the framework's. And the owner-draw messages of type ODT_MENU,
  // passed to the menu of the item's record; true when it answered.
  static bool ReportCommand(HWND window, WPARAM position, LPARAM menu);
  static bool MeasureOwnerDrawn(MEASUREITEMSTRUCT* measure);
  static bool DrawOwnerDrawn(DRAWITEMSTRUCT* draw);

 private:
  bool Create(HWND owner, int id, bool bar);
  bool Insert(int id, SMenu* subMenu, const char* text, int imageIndex, int position, uint32_t userData,
              bool checked, bool disabled);
  MenuItemRecord* RecordAt(int position) const;

  HIMAGELIST m_imageList;
  int m_imageWidth;
  int m_imageHeight;
  SString m_name;
  int m_id;
  HWND m_owner;
  HMENU m_handle;
  uint8_t m_menuBar;
};
