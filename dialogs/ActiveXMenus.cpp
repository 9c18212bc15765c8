#include "dialogs/ActiveXMenus.h"

int ActiveXSubmenuOf(const char* name) {
  char c = name ? name[0] : 0;
  if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
  if (c < 'A' || c > 'Z') return kActiveXOtherSubmenu;
  return (c - 'A') / 3;
}

void SActiveXMenus::Empty() {
  m_names.Purge();
  for (SArray<int>& items : m_items) items.RemoveAll();
}

void SActiveXMenus::Fill(const SStringArray& names) {
  Empty();
  for (int i = 0; i < names.GetCount(); i++) {
    SString name = names.GetString(i);
    m_names.Add(name.GetText());
    m_items[ActiveXSubmenuOf(name.GetText())].Add(i);
  }
}

bool SActiveXMenus::HasItem(int submenu, int k) const {
  return submenu >= 0 && submenu < kActiveXSubmenuCount && k >= 0 && k < m_items[submenu].GetCount();
}

int SActiveXMenus::GetItemCount(int submenu) const {
  return submenu >= 0 && submenu < kActiveXSubmenuCount ? m_items[submenu].GetCount() : 0;
}

int SActiveXMenus::GetItemCommand(int submenu, int k) const {
  return HasItem(submenu, k) ? kActiveXFirstCommand + m_items[submenu].GetAt(k) : 0;
}

SString SActiveXMenus::GetItemName(int submenu, int k) const {
  return HasItem(submenu, k) ? m_names.GetString(m_items[submenu].GetAt(k)) : SString("");
}
