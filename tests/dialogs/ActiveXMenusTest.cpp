#include "dialogs/ActiveXMenus.h"

#include <gtest/gtest.h>

TEST(ActiveXMenus, NamesGoToTheirLetterSubmenu) {
  struct Case {
    const char* name;
    int submenu;
  } cases[] = {{"Acrobat", 0}, {"calendar", 0}, {"Date", 1},   {"flash", 1},   {"Grid", 2},     {"Ink", 2},
               {"Java", 3},    {"Lotus", 3},    {"Media", 4},  {"Office", 4},  {"Picture", 5},  {"Rich", 5},
               {"Shell", 6},   {"Ukey", 6},     {"Visio", 7},  {"xml", 7},     {"Yahoo", 8},    {"zip", 8},
               // Not a letter A to Z: the one fixed submenu.
               {"3D Viewer", kActiveXOtherSubmenu}, {"", kActiveXOtherSubmenu},  {"_x", kActiveXOtherSubmenu},
               {"[z]", kActiveXOtherSubmenu},      {"\xC9t\xE9", kActiveXOtherSubmenu}, {"@", kActiveXOtherSubmenu}};
  for (const Case& c : cases) EXPECT_EQ(ActiveXSubmenuOf(c.name), c.submenu) << c.name;
  EXPECT_EQ(ActiveXSubmenuOf(nullptr), kActiveXOtherSubmenu);
}

TEST(ActiveXMenus, FillKeepsListOrderAndCommands) {
  SStringArray names;
  for (const char* n : {"", "1st", "Alpha", "beta", "Media", "Zed"}) names.Add(n);
  SActiveXMenus menus;
  menus.Fill(names);
  ASSERT_EQ(menus.GetItemCount(0), 4);
  EXPECT_STREQ(menus.GetItemName(0, 0).GetText(), "");
  EXPECT_EQ(menus.GetItemCommand(0, 0), 2000);
  EXPECT_STREQ(menus.GetItemName(0, 1).GetText(), "1st");
  EXPECT_EQ(menus.GetItemCommand(0, 3), 2003);
  EXPECT_EQ(menus.GetItemCount(4), 1);
  EXPECT_EQ(menus.GetItemCommand(4, 0), 2004);
  EXPECT_EQ(menus.GetItemCommand(8, 0), 2005);
  EXPECT_EQ(menus.GetItemCount(9), 0);
  EXPECT_EQ(menus.GetItemCommand(4, 1), 0);
  menus.Fill(SStringArray());
  for (int s = 0; s < kActiveXSubmenuCount; s++) EXPECT_EQ(menus.GetItemCount(s), 0);
}
