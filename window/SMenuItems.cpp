// SMenu's operations on one item found by command id: with duplicate ids,
// the first in position order. An unknown id changes nothing.
#include <cstdlib>

#include "window/SMenu.h"

bool SMenu::SetItemText(int id, const char* text) {
  int position = FindItem(id);
  if (position < 0) return false;
  MENUITEMINFOA item = {};
  item.cbSize = sizeof item;
  item.fMask = MIIM_STRING;
  item.dwTypeData = const_cast<char*>(text ? text : "");
  item.cch = UINT(lstrlenA(item.dwTypeData));
  return SetMenuItemInfoA(m_handle, UINT(position), TRUE, &item) != 0;
}

SString SMenu::GetItemText(int id) const {
  int position = FindItem(id);
  if (position < 0) return SString();
  MENUITEMINFOA item = {};
  item.cbSize = sizeof item;
  item.fMask = MIIM_STRING;
  if (!GetMenuItemInfoA(m_handle, UINT(position), TRUE, &item)) return SString();
  UINT length = item.cch;
  char* buffer = static_cast<char*>(std::calloc(length + 2, 1));
  if (!buffer) return SString();
  item.dwTypeData = buffer;
  item.cch = length + 2;
  SString text = GetMenuItemInfoA(m_handle, UINT(position), TRUE, &item) ? SString(buffer) : SString();
  std::free(buffer);
  return text;
}

bool SMenu::CheckItem(int id, bool check) {
  int position = FindItem(id);
  if (position < 0) return false;
  return CheckMenuItem(m_handle, UINT(position), MF_BYPOSITION | (check ? MF_CHECKED : MF_UNCHECKED)) != DWORD(-1);
}

bool SMenu::IsItemChecked(int id) const {
  int position = FindItem(id);
  if (position < 0) return false;
  MENUITEMINFOA item = {};
  item.cbSize = sizeof item;
  item.fMask = MIIM_STATE;
  return GetMenuItemInfoA(m_handle, UINT(position), TRUE, &item) && (item.fState & MFS_CHECKED);
}

bool SMenu::EnableItem(int id, bool enable) {
  int position = FindItem(id);
  if (position < 0) return false;
  return EnableMenuItem(m_handle, UINT(position), MF_BYPOSITION | (enable ? MF_ENABLED : MF_GRAYED)) != -1;
}

bool SMenu::IsItemDisabled(int id) const {
  int position = FindItem(id);
  if (position < 0) return false;
  UINT state = GetMenuState(m_handle, UINT(position), MF_BYPOSITION);
  return state != UINT(-1) && (state & MF_GRAYED);
}

bool SMenu::SetItemData(int id, uint32_t value) {
  MenuItemRecord* record = GetItemRecord(id);
  if (!record) return false;
  record->userData = value;
  return true;
}

uint32_t SMenu::GetItemData(int id) const {
  MenuItemRecord* record = GetItemRecord(id);
  return record ? record->userData : 0;
}

bool SMenu::SetItemName(int id, const char* text) {
  MenuItemRecord* record = GetItemRecord(id);
  if (!record) return false;
  record->name = SString(text);
  return true;
}

SString SMenu::GetItemName(int id) const {
  MenuItemRecord* record = GetItemRecord(id);
  return record ? record->name : SString();
}
