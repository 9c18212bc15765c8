// SMenu read back through the Win32 menu, popups tracked for real and
// chosen with synthesised keys, and the item images as seen on screen.
#include <string>
#include <vector>

#include "tests/window/InputTesting.h"
#include "tests/window/WindowTesting.h"
#include "window/ControlNotify.h"
#include "window/SImageList.h"
#include "window/SMenu.h"

namespace {

class MenuTest : public WindowTest {
 protected:
  void TearDown() override { SetScreenColorDepthForTesting(32); }
};

const UINT kMenuCommand = ControlNotifyMessage(kControlClassMenu, 0);

// A menu that remembers the commands it was told of.
class RecordingMenu : public SMenu {
 public:
  std::vector<std::pair<int, int>> commands;  // position, id
  void OnCommand(int position, int id) override { commands.emplace_back(position, id); }
};

struct ItemState {
  std::string text;
  UINT id = 0;
  UINT state = 0;
  UINT type = 0;
  HMENU subMenu = nullptr;
  HBITMAP bitmap = nullptr;
};

ItemState ReadItem(HMENU menu, int position) {
  char text[128] = {};
  MENUITEMINFOA item = {};
  item.cbSize = sizeof item;
  item.fMask = MIIM_STRING | MIIM_ID | MIIM_STATE | MIIM_FTYPE | MIIM_SUBMENU | MIIM_BITMAP;
  item.dwTypeData = text;
  item.cch = sizeof text;
  EXPECT_TRUE(GetMenuItemInfoA(menu, UINT(position), TRUE, &item)) << position;
  return {text, item.wID, item.fState, item.fType, item.hSubMenu, item.hbmpItem};
}

TEST_F(MenuTest, ItemsInsertedAndReadBack) {
  TestWnd owner;
  ASSERT_TRUE(owner.Make());
  SMenu menu;
  EXPECT_EQ(0xC62u, kMenuCommand & 0xFFF);  // menu class, event 0
  ASSERT_TRUE(menu.CreatePopup(owner.GetHwnd(), 7));
  EXPECT_EQ(7, menu.GetId());
  MENUINFO info = {};
  info.cbSize = sizeof info;
  info.fMask = MIM_STYLE;
  ASSERT_TRUE(GetMenuInfo(menu.GetHandle(), &info));
  EXPECT_TRUE(info.dwStyle & MNS_NOTIFYBYPOS);

  ASSERT_TRUE(menu.InsertItem(10, "Open", -1, -1, 0, false, false));
  ASSERT_TRUE(menu.InsertItem(11, "Save", -1, -1, 0, false, false));
  ASSERT_TRUE(menu.InsertItem(12, nullptr, -1, -1, 0, false, false));
  ASSERT_TRUE(menu.InsertItem(13, "Quit\tAlt+F4", -1, 100, 99, true, true));  // past the end: appended
  ASSERT_TRUE(menu.InsertSeparator(20, 1));
  ASSERT_EQ(5, menu.GetItemCount());
  ItemState last = ReadItem(menu.GetHandle(), 4);
  EXPECT_EQ("Quit\tAlt+F4", last.text);
  EXPECT_EQ(13u, last.id);
  EXPECT_EQ(UINT(MFS_CHECKED | MFS_GRAYED), last.state & (MFS_CHECKED | MFS_GRAYED));
  EXPECT_EQ(99u, menu.GetItemData(13));
  EXPECT_TRUE(menu.IsItemChecked(13));
  EXPECT_TRUE(menu.IsItemDisabled(13));
  EXPECT_TRUE(ReadItem(menu.GetHandle(), 1).type & MFT_SEPARATOR);
  EXPECT_EQ(20, menu.GetItemId(1));
  EXPECT_EQ("", ReadItem(menu.GetHandle(), 3).text);

  // Two items of id 11: every by-id operation acts on the first.
  ASSERT_TRUE(menu.InsertItem(11, "First", -1, 0, 1, false, false));
  EXPECT_EQ(0, menu.FindItem(11));
  EXPECT_TRUE(menu.SetItemText(11, "Renamed"));
  EXPECT_TRUE(menu.CheckItem(11, true));
  EXPECT_TRUE(menu.EnableItem(11, false));
  EXPECT_TRUE(menu.SetItemName(11, "first"));
  EXPECT_TRUE(menu.SetItemData(11, 5));
  EXPECT_EQ("Renamed", ReadItem(menu.GetHandle(), 0).text);
  EXPECT_TRUE(GetMenuState(menu.GetHandle(), 0, MF_BYPOSITION) & MF_CHECKED);
  EXPECT_TRUE(GetMenuState(menu.GetHandle(), 0, MF_BYPOSITION) & MF_GRAYED);
  EXPECT_FALSE(GetMenuState(menu.GetHandle(), 3, MF_BYPOSITION) & (MF_CHECKED | MF_GRAYED));
  EXPECT_TRUE(menu.GetItemText(11) == "Renamed");
  EXPECT_TRUE(menu.GetItemName(11) == "first");
  EXPECT_EQ(5u, menu.GetItemData(11));
  EXPECT_TRUE(menu.EnableItem(11, true));
  EXPECT_FALSE(menu.IsItemDisabled(11));
  EXPECT_TRUE(menu.RemoveItem(11));
  EXPECT_EQ(2, menu.FindItem(11));  // the second one is now the first
  EXPECT_EQ("Save", ReadItem(menu.GetHandle(), 2).text);

  // Unknown ids change nothing.
  EXPECT_FALSE(menu.SetItemText(404, "x"));
  EXPECT_FALSE(menu.CheckItem(404, true));
  EXPECT_FALSE(menu.IsItemChecked(404));
  EXPECT_FALSE(menu.RemoveItem(404));
  EXPECT_EQ(0u, menu.GetItemData(404));
  EXPECT_TRUE(menu.GetItemText(404) == "");
  EXPECT_EQ(nullptr, menu.GetItemRecord(404));
  EXPECT_EQ(5, menu.GetItemCount());
}

TEST_F(MenuTest, BarsSubMenusAndMenusWithoutHandle) {
  SMenu none;
  EXPECT_FALSE(none.InsertItem(1, "a", -1, -1, 0, false, false));
  EXPECT_FALSE(none.InsertSeparator(1, -1));
  EXPECT_EQ(0, none.GetItemCount());
  EXPECT_FALSE(none.RemoveAll());
  EXPECT_TRUE(none.GetItemText(1) == "");

  TestWnd owner;
  ASSERT_TRUE(owner.Make());
  SMenu bar, sub;
  ASSERT_TRUE(bar.CreateBar(owner.GetHwnd(), 1));
  ASSERT_TRUE(sub.CreatePopup(owner.GetHwnd(), 2));
  EXPECT_TRUE(bar.IsMenuBar());
  EXPECT_FALSE(bar.InsertSeparator(5, -1));
  EXPECT_FALSE(bar.TrackPopup(10, 10, 0, nullptr));
  EXPECT_FALSE(bar.InsertSubMenu(6, nullptr, "File", -1, -1, 0, false, false));
  ASSERT_TRUE(sub.InsertItem(61, "New", -1, -1, 0, false, false));
  ASSERT_TRUE(bar.InsertSubMenu(6, &sub, "File", 3, -1, 0, false, false));
  EXPECT_EQ(-1, bar.GetItemRecord(6)->imageIndex);  // no images in a bar
  ItemState file = ReadItem(bar.GetHandle(), 0);
  EXPECT_EQ(sub.GetHandle(), file.subMenu);
  EXPECT_EQ("File", file.text);
  // The sub-menu outlives the item that opened it.
  EXPECT_TRUE(bar.RemoveItem(6));
  EXPECT_TRUE(IsMenu(sub.GetHandle()));
  EXPECT_EQ(1, sub.GetItemCount());
  // Making the menu again empties the old one.
  ASSERT_TRUE(sub.CreatePopup(owner.GetHwnd(), 3));
  EXPECT_EQ(0, sub.GetItemCount());
}

// WM_MENUCOMMAND of a framework item reaches the menu, then the owner as
// the menu command; item data the framework did not make is never read.
TEST_F(MenuTest, CommandsAndOwnerDrawOnlyForFrameworkRecords) {
  TestWnd owner;
  ASSERT_TRUE(owner.Make());
  RecordingMenu menu;
  ASSERT_TRUE(menu.CreatePopup(owner.GetHwnd(), 0));
  ASSERT_TRUE(menu.InsertItem(31, "One", -1, -1, 0, false, false));
  ASSERT_TRUE(menu.InsertItem(32, "Two", -1, -1, 0, false, false));
  SendMessageA(owner.GetHwnd(), WM_MENUCOMMAND, 1, reinterpret_cast<LPARAM>(menu.GetHandle()));
  const TestWnd::Event* event = owner.Last(kMenuCommand);
  ASSERT_NE(nullptr, event);
  EXPECT_EQ(reinterpret_cast<WPARAM>(static_cast<SMenu*>(&menu)), event->wparam);
  EXPECT_EQ(32, event->lparam);
  ASSERT_EQ(1u, menu.commands.size());
  EXPECT_EQ(std::make_pair(1, 32), menu.commands[0]);

  // A module's menu whose item data points at bytes shaped like a record.
  MenuItemRecord lookalike;
  lookalike.owner = &menu;
  lookalike.id = 77;
  HMENU foreign = CreatePopupMenu();
  MENUITEMINFOA item = {};
  item.cbSize = sizeof item;
  item.fMask = MIIM_STRING | MIIM_ID | MIIM_DATA;
  item.dwTypeData = const_cast<char*>("foreign");
  item.wID = 77;
  item.dwItemData = reinterpret_cast<ULONG_PTR>(&lookalike);
  ASSERT_TRUE(InsertMenuItemA(foreign, 0, TRUE, &item));
  owner.Forget();
  SendMessageA(owner.GetHwnd(), WM_MENUCOMMAND, 0, reinterpret_cast<LPARAM>(foreign));
  SendMessageA(owner.GetHwnd(), WM_MENUCOMMAND, 9, reinterpret_cast<LPARAM>(menu.GetHandle()));  // no such item
  EXPECT_EQ(0, owner.Count(kMenuCommand));
  EXPECT_EQ(1u, menu.commands.size());
  // Were it read as a record, its image would make the menu answer.
  ASSERT_TRUE(lookalike.image.Create(16, 16, PixelFormat32bppARGB));
  MEASUREITEMSTRUCT measure = {};
  measure.CtlType = ODT_MENU;
  measure.itemData = reinterpret_cast<ULONG_PTR>(&lookalike);
  EXPECT_EQ(0, SendMessageA(owner.GetHwnd(), WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&measure)));
  DestroyMenu(foreign);
}

}  // namespace
