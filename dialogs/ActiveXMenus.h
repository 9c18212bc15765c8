// The designer's ActiveX menu: nine letter submenus ("[A-B-C]" .. "[Y-Z]")
// holding the names of the registered ActiveX controls, name i with the
// command 2000 + i.
//
// A name goes to the submenu of its first letter. A name that does not
// begin with a letter A to Z in either case - a digit, another character,
// or nothing at all - goes to the first submenu, where the list of names,
// sorted ascending, has them first anyway.
#pragma once

#include "core/SArray.h"
#include "core/SString.h"
#include "core/SStringArray.h"

constexpr int kActiveXSubmenuCount = 9;
constexpr int kActiveXFirstCommand = 2000;
constexpr int kActiveXOtherSubmenu = 0;

// 0..8: the submenu a control's name goes to.
int ActiveXSubmenuOf(const char* name);

// The items of the nine submenus, as InitControlTypes fills them.
class SActiveXMenus {
 public:
  // Empties the submenus, then sorts every name into its submenu.
  void Fill(const SStringArray& names);
  void Empty();

  int GetItemCount(int submenu) const;
  // The command and the name of item k of a submenu; 0 and "" outside.
  int GetItemCommand(int submenu, int k) const;
  SString GetItemName(int submenu, int k) const;

 private:
  bool HasItem(int submenu, int k) const;

  SStringArray m_names;                         // every name, in list order
  SArray<int> m_items[kActiveXSubmenuCount];    // indexes into m_names
};
