// SMenu read back through the Win32 menu, popups tracked for real and
// chosen with synthesised keys, and the item images as seen on screen.
#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "tests/window/InputTesting.h"
#include "tests/window/WindowTesting.h"
#include "files/SFileMem.h"
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
  EXPECT_EQ(UINT(MFS_CHECKED | MF_GRAYED), last.state & (MFS_CHECKED | MF_GRAYED));
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

  // The menu's own records: one without image leaves the size to the
  // system; one with an image asks for the image's room.
  SImageList list;
  ASSERT_TRUE(list.Create(16, 16, ILC_COLOR32));
  ASSERT_TRUE(list.AddBlank());
  menu.SetImageList(list.GetHandle());
  ASSERT_TRUE(menu.InsertItem(33, "Image", 0, -1, 0, false, false));
  measure = {};
  measure.CtlType = ODT_MENU;
  measure.itemData = reinterpret_cast<ULONG_PTR>(menu.GetItemRecord(31));
  EXPECT_EQ(0, SendMessageA(owner.GetHwnd(), WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&measure)));
  measure.itemData = reinterpret_cast<ULONG_PTR>(menu.GetItemRecord(33));
  EXPECT_EQ(TRUE, SendMessageA(owner.GetHwnd(), WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&measure)));
  EXPECT_EQ(20u, measure.itemWidth);
  EXPECT_EQ(UINT(std::max(16, GetSystemMetrics(SM_CYMENU))), measure.itemHeight);
}

// Steps run one per tick of a thread timer, which the menu loop of a
// tracked popup dispatches; when they are done the menu is ended, so that
// no test waits on a popup that stays open.
class MenuDriver {
 public:
  MenuDriver(UINT ms, std::vector<std::function<void()>> steps) {
    s_steps = std::move(steps);
    s_next = 0;
    m_timer = SetTimer(nullptr, 0, ms, Tick);
  }
  ~MenuDriver() {
    KillTimer(nullptr, m_timer);
    s_steps.clear();
  }

 private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    if (s_next < s_steps.size())
      s_steps[s_next++]();
    else
      EndMenu();
  }
  UINT_PTR m_timer;
  static inline std::vector<std::function<void()>> s_steps;
  static inline size_t s_next = 0;
};

TEST_F(MenuTest, PopupChosenWithKeysReachesItsOwner) {
  TestWnd owner;
  ASSERT_TRUE(ShowOnTop(owner, 40, 40, 200, 150));
  RecordingMenu menu;
  ASSERT_TRUE(menu.CreatePopup(owner.GetHwnd(), 0));
  ASSERT_TRUE(menu.InsertItem(41, "Alpha", -1, -1, 0, false, false));
  ASSERT_TRUE(menu.InsertSeparator(0, -1));
  ASSERT_TRUE(menu.InsertItem(42, "Beta", -1, -1, 0, false, false));
  ASSERT_TRUE(menu.InsertItem(43, "Gamma", -1, -1, 0, false, false));

  keybd_event(VK_CONTROL, 0, 0, 0);
  PumpFor(50);
  {
    MenuDriver driver(150, {[] { PressKey(VK_DOWN); }, [] { PressKey(VK_DOWN); }, [] { PressKey(VK_RETURN); }});
    EXPECT_TRUE(menu.TrackPopup(60, 70, TPM_LEFTALIGN | TPM_TOPALIGN, nullptr));
  }
  keybd_event(VK_CONTROL, 0, KEYEVENTF_KEYUP, 0);
  EXPECT_EQ(60, SMenu::LastPopupX);
  EXPECT_EQ(70, SMenu::LastPopupY);
  EXPECT_EQ(2, SMenu::LastPopupKeys);
  ASSERT_TRUE(PumpUntil([&] { return owner.Count(kMenuCommand) > 0; }, 2000));
  const TestWnd::Event* event = owner.Last(kMenuCommand);
  EXPECT_EQ(42, event->lparam);
  EXPECT_EQ(reinterpret_cast<WPARAM>(static_cast<SMenu*>(&menu)), event->wparam);
  ASSERT_EQ(1u, menu.commands.size());
  EXPECT_EQ(std::make_pair(2, 42), menu.commands[0]);
}

// A popup whose item shows a 16 x 16 picture, transparent but for a red
// square in its middle: on screen the square is whole and the transparent
// part shows the menu, never black. At 32 bits per pixel the system draws
// the item's bitmap; below, the menu draws the image itself, at the item's
// right.
TEST_F(MenuTest, PopupShowsItemImagesWithTheirTransparency) {
  for (int depth : {32, 16}) {
    SetScreenColorDepthForTesting(depth);
    SImageList list;
    ASSERT_TRUE(list.Create(16, 16, ILC_COLOR32));
    SImage picture(16, 16);
    Gdiplus::Rect middle(4, 4, 8, 8);
    picture.FillRect(0xFFFF0000, &middle);
    ASSERT_TRUE(list.AddImage(&picture));

    TestWnd owner;
    ASSERT_TRUE(ShowOnTop(owner, 40, 40, 200, 150));
    SMenu menu;
    menu.SetImageList(list.GetHandle());
    ASSERT_TRUE(menu.CreatePopup(owner.GetHwnd(), 0));
    ASSERT_TRUE(menu.InsertItem(51, "Picture", 0, -1, 0, false, false));
    ASSERT_TRUE(menu.InsertItem(52, "Plain", -1, -1, 0, false, false));
    MenuItemRecord* record = menu.GetItemRecord(51);
    ASSERT_NE(nullptr, record);
    EXPECT_EQ(depth == 32, record->bitmap != nullptr);
    EXPECT_EQ(DRAW_MIDDLERIGHT, record->image.GetDrawMode());

    SImage shot;
    {
      MenuDriver driver(300, {[&] {
                                HWND popup = FindWindowA("#32768", nullptr);
                                RECT rect;
                                if (popup && GetWindowRect(popup, &rect)) shot.CaptureScreen(&rect);
                              },
                              [] { PressKey(VK_ESCAPE); }});
      EXPECT_TRUE(menu.TrackPopup(60, 70, TPM_LEFTALIGN | TPM_TOPALIGN, nullptr));
    }
    PumpFor(50);
    ASSERT_TRUE(shot.IsLoaded()) << depth;
    std::string name = std::string(TAVRIN_IMAGE_OUT) + "/menu-popup-" + std::to_string(depth) + ".png";
    SFileMem png;
    if (shot.SaveToStream(&png, kImagePng, 0)) png.SaveFile(name.c_str());

    // The red square's bounds, then the ring around it.
    int left = shot.GetWidth(), top = shot.GetHeight(), right = -1, bottom = -1;
    for (int y = 0; y < shot.GetHeight(); y++)
      for (int x = 0; x < shot.GetWidth(); x++) {
        Gdiplus::ARGB c = 0;
        shot.GetPixel(x, y, c);
        if (((c >> 16) & 0xFF) > 200 && ((c >> 8) & 0xFF) < 60 && (c & 0xFF) < 60) {
          if (x < left) left = x;
          if (x > right) right = x;
          if (y < top) top = y;
          if (y > bottom) bottom = y;
        }
      }
    ASSERT_EQ(8, right - left + 1) << depth;
    ASSERT_EQ(8, bottom - top + 1) << depth;
    if (depth == 32) {
      // Wine copies item bitmaps without blending them, so the screen
      // cannot show the transparency here: the bitmap must carry it, as the
      // premultiplied 32-bit DIB section that Windows blends.
      DIBSECTION dib = {};
      ASSERT_EQ(int(sizeof dib), GetObjectA(record->bitmap, sizeof dib, &dib));
      ASSERT_EQ(32, dib.dsBm.bmBitsPixel);
      const uint32_t* bits = static_cast<const uint32_t*>(dib.dsBm.bmBits);
      int row = dib.dsBmih.biHeight < 0 ? 8 : 7;  // bottom-up rows count from the bottom
      EXPECT_EQ(0u, bits[1 * 16 + 1]);
      EXPECT_EQ(0xFFFF0000u, bits[row * 16 + 8]);
    } else {
      Gdiplus::ARGB inside = 0, menuBack = 0;
      shot.GetPixel(left - 3, top + 4, inside);  // transparent part of the picture
      shot.GetPixel(2, top + 4, menuBack);       // the item's own background at its edge
      EXPECT_EQ(menuBack & 0xFFFFFF, inside & 0xFFFFFF);
      EXPECT_NE(0u, inside & 0xFFFFFF);
    }
  }
}

}  // namespace
