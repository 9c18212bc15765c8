// The tab control as a page container, as a user meets it: real tabs on a
// parent on screen, real clicks on them, the pages that follow, and the
// tips kept by the tab control's tooltip window.
#include <windows.h>

#include <commctrl.h>

#include <string>

#include "../InputTesting.h"
#include "../WindowTesting.h"
#include "ControlTesting.h"
#include "files/SKeyboard.h"
#include "window/controls/STabCtrl.h"

namespace {

const UINT kTabMouse = 0x8CD0, kTabSelectionChanged = 0x8CD1;

class TabControl : public ParentOnScreen<TabControl> {
 protected:
  void SetUp() override {
    ASSERT_NE(nullptr, parent.GetHwnd());
    parent.Forget();
    parent.handler = nullptr;
    RECT rect = {10, 10, 330, 210};
    ASSERT_TRUE(tabs.Create(WS_VISIBLE | TCS_TOOLTIPS, 0, &rect, parent.GetHwnd(), 7));
    for (const char* text : {"One", "Two", "Three"}) tabs.InsertItem(-1, -1, text);
  }

  // A visible page child of the parent.
  bool MakePage(TestWnd& page) { return page.Make(parent.GetHwnd(), WS_VISIBLE, 100, 60); }

  STabCtrl tabs;
};

bool Visible(const SWnd& window) { return IsWindowVisible(window.GetHwnd()); }

TEST_F(TabControl, TabsAreInsertedNamedAndReadBack) {
  char name[32] = {};
  GetClassNameA(tabs.GetHwnd(), name, sizeof name);
  EXPECT_STREQ("SysTabControl32", name);
  EXPECT_EQ(41, tabs.GetType());
  EXPECT_EQ(3, tabs.GetItemCount());
  EXPECT_EQ(0, tabs.GetCurSel());
  EXPECT_STREQ("One", tabs.GetSelectedText().GetText());

  EXPECT_EQ(1, tabs.InsertItem(1, 2, "Between"));
  EXPECT_STREQ("Between", tabs.GetItemText(1).GetText());
  EXPECT_STREQ("Two", tabs.GetItemText(2).GetText());
  TCITEMA item = {};
  item.mask = TCIF_IMAGE;
  TabCtrl_GetItem(tabs.GetHwnd(), 1, &item);
  EXPECT_EQ(2, item.iImage);

  tabs.SetItemText(3, "Last");
  EXPECT_STREQ("Last", tabs.GetItemText(3).GetText());
  tabs.SetItemText(9, "None");  // out of range: nothing
  for (int tab : {-1, 4, 100}) EXPECT_STREQ("", tabs.GetItemText(tab).GetText()) << tab;

  // At most 255 characters come back.
  std::string longText(300, 'x');
  tabs.SetItemText(0, longText.c_str());
  EXPECT_EQ(std::string(255, 'x'), tabs.GetItemText(0).GetText());

  tabs.SetCurSel(3);
  EXPECT_EQ(3, tabs.GetCurSel());
  EXPECT_STREQ("Last", tabs.GetSelectedText().GetText());

  RECT client, page;
  GetClientRect(tabs.GetHwnd(), &client);
  tabs.GetPageRect(&page);
  EXPECT_GT(page.top, client.top) << "below the tabs";
  EXPECT_LT(page.bottom, client.bottom + 1);

  tabs.RemoveAll();
  EXPECT_EQ(0, tabs.GetItemCount());
  EXPECT_STREQ("", tabs.GetSelectedText().GetText());
}

TEST_F(TabControl, PagesFollowTheSelectedTab) {
  TestWnd first, second, shared;
  ASSERT_TRUE(MakePage(first) && MakePage(second) && MakePage(shared));
  EXPECT_FALSE(tabs.AddPageWindow(5, &first)) << "3 tabs";
  EXPECT_FALSE(tabs.AddPageWindow(-1, &first));
  EXPECT_FALSE(tabs.AddPageWindow(0, nullptr));
  EXPECT_TRUE(tabs.AddPageWindow(0, &first));
  EXPECT_TRUE(tabs.AddPageWindow(1, &second));
  EXPECT_TRUE(tabs.AddPageWindow(1, &shared));
  EXPECT_FALSE(tabs.AddPageWindow(1, &shared)) << "already on tab 1";
  EXPECT_TRUE(tabs.AddPageWindow(2, &shared));

  const struct {
    int tab;
    bool first, second, shared;
  } cases[] = {{1, false, true, true}, {2, false, false, true}, {0, true, false, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.tab);
    tabs.SetCurSel(c.tab);
    EXPECT_EQ(c.first, Visible(first));
    EXPECT_EQ(c.second, Visible(second));
    EXPECT_EQ(c.shared, Visible(shared));
  }

  // Inserting or renaming a tab puts the page of the selection back up.
  ShowWindow(second.GetHwnd(), SW_SHOW);
  tabs.SetItemText(2, "Renamed");
  EXPECT_FALSE(Visible(second));
  EXPECT_TRUE(Visible(first));
  ShowWindow(second.GetHwnd(), SW_SHOW);
  tabs.InsertItem(-1, -1, "Four");
  EXPECT_FALSE(Visible(second));

  // Removing from a tab it is not on changes nothing; from each of its
  // tabs, it stops following either.
  EXPECT_FALSE(tabs.RemovePageWindow(&first, 1));
  EXPECT_FALSE(tabs.RemovePageWindow(&first, 9));
  EXPECT_FALSE(tabs.RemovePageWindow(nullptr, 0));
  tabs.SetCurSel(1);
  EXPECT_FALSE(Visible(first));
  EXPECT_TRUE(tabs.RemovePageWindow(&shared, 2));
  EXPECT_TRUE(tabs.RemovePageWindow(&shared, 1));
  EXPECT_FALSE(tabs.RemovePageWindow(&shared, 1));
  ShowWindow(shared.GetHwnd(), SW_SHOW);
  tabs.SetCurSel(0);
  EXPECT_TRUE(Visible(shared)) << "no longer a page";
  EXPECT_TRUE(Visible(first));

  // RemoveAll forgets the pages too.
  tabs.RemoveAll();
  tabs.InsertItem(-1, -1, "A");
  tabs.InsertItem(-1, -1, "B");
  tabs.SetCurSel(1);
  EXPECT_TRUE(Visible(first));
}

TEST_F(TabControl, AClickedTabShowsItsPageBeforeTheParentHears) {
  TestWnd first, second;
  ASSERT_TRUE(MakePage(first) && MakePage(second));
  ASSERT_TRUE(tabs.AddPageWindow(0, &first));
  ASSERT_TRUE(tabs.AddPageWindow(1, &second));
  tabs.SetCurSel(0);
  bool shownAtEvent = false;
  parent.handler = [&](UINT message, WPARAM, LPARAM, LRESULT*) {
    if (message == kTabSelectionChanged) shownAtEvent = Visible(second) && !Visible(first);
    return false;
  };
  RECT item;
  TabCtrl_GetItemRect(tabs.GetHwnd(), 1, &item);
  ASSERT_TRUE(MoveCursorTo(tabs.GetHwnd(), (item.left + item.right) / 2, (item.top + item.bottom) / 2));
  SKeyboard::PressLeft();
  SKeyboard::ReleaseLeft();
  ASSERT_TRUE(PumpUntil([&] { return parent.Count(kTabSelectionChanged) > 0; }));
  EXPECT_EQ(1, tabs.GetCurSel());
  EXPECT_EQ(reinterpret_cast<WPARAM>(&tabs), parent.Last(kTabSelectionChanged)->wparam);
  EXPECT_EQ(1, parent.Last(kTabSelectionChanged)->lparam);
  EXPECT_TRUE(shownAtEvent);
  EXPECT_GE(parent.Count(kTabMouse), 1);
}

TEST_F(TabControl, DeletedPageWindowsAreNeverTouched) {
  PoisonedWnd* page = new PoisonedWnd;
  ASSERT_TRUE(page->Make(parent.GetHwnd(), WS_VISIBLE));
  TestWnd other;
  ASSERT_TRUE(MakePage(other));
  ASSERT_TRUE(tabs.AddPageWindow(1, page));
  ASSERT_TRUE(tabs.AddPageWindow(2, page));
  ASSERT_TRUE(tabs.AddPageWindow(2, &other));
  delete page;
  ASSERT_TRUE(PoisonedWnd::Deleted());
  for (int tab : {1, 2, 0, 2}) tabs.SetCurSel(tab);
  tabs.InsertItem(-1, -1, "More");
  EXPECT_TRUE(PoisonedWnd::Untouched());
  EXPECT_TRUE(Visible(other));

  // A page whose window is destroyed, its object alive, is dropped too: it
  // can be attached again once it has a window once more.
  TestWnd reborn;
  ASSERT_TRUE(MakePage(reborn));
  ASSERT_TRUE(tabs.AddPageWindow(1, &reborn));
  ASSERT_TRUE(reborn.Destroy());
  tabs.SetCurSel(1);
  EXPECT_FALSE(tabs.RemovePageWindow(&reborn, 1));
  ASSERT_TRUE(MakePage(reborn));
  EXPECT_TRUE(tabs.AddPageWindow(1, &reborn));
  tabs.SetCurSel(0);
  EXPECT_FALSE(Visible(reborn));
  TestWnd unmade;
  EXPECT_FALSE(tabs.AddPageWindow(0, &unmade)) << "no window yet";
}

// Adds a tool with the text to the tooltip window, for the tab control.
void AddTool(HWND tips, HWND owner, UINT id, const char* text) {
  TOOLINFOA tool = {};
  tool.cbSize = TTTOOLINFOA_V2_SIZE;
  tool.hwnd = owner;
  tool.uId = id;
  tool.rect = {0, 0, 10, 10};
  tool.lpszText = const_cast<char*>(text);
  ASSERT_TRUE(SendMessageA(tips, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool)));
}

TEST_F(TabControl, TipsLiveInTheTabsTooltipTools) {
  HWND tips = TabCtrl_GetToolTips(tabs.GetHwnd());
  ASSERT_NE(nullptr, tips) << "TCS_TOOLTIPS makes one";
  if (SendMessageA(tips, TTM_GETTOOLCOUNT, 0, 0) == 0) {
    // Wine's tab control keeps no tool per tab: no tips.
    EXPECT_FALSE(tabs.SetItemTip(0, "tip"));
    EXPECT_STREQ("", tabs.GetItemTip(0).GetText());
  }
  for (int tab : {-1, 3}) {
    EXPECT_FALSE(tabs.SetItemTip(tab, "tip"));
    EXPECT_STREQ("", tabs.GetItemTip(tab).GetText());
  }

  // The text path, against tools of the test's own: the tab control's own
  // tool first, then one per tab, the last with its text from a callback.
  SendMessageA(tips, TTM_SETMAXTIPWIDTH, 0, 300);
  int existing = int(SendMessageA(tips, TTM_GETTOOLCOUNT, 0, 0));
  for (UINT id = UINT(existing); id < 4; id++) AddTool(tips, tabs.GetHwnd(), 100 + id, id == 3 ? LPSTR_TEXTCALLBACKA : "old");
  EXPECT_TRUE(tabs.SetItemTip(1, "Second tab"));
  EXPECT_STREQ("Second tab", tabs.GetItemTip(1).GetText());
  EXPECT_STREQ("old", tabs.GetItemTip(0).GetText()) << "its neighbour untouched";
  EXPECT_STREQ("", tabs.GetItemTip(2).GetText()) << "a callback tool has no text here";

  // A tip longer than the tooltip hands back is cut to what it does.
  std::string longTip(3000, 't');
  EXPECT_TRUE(tabs.SetItemTip(0, longTip.c_str()));
  EXPECT_EQ(std::string(STabCtrl::kMaxTipLength, 't'), tabs.GetItemTip(0).GetText());
  EXPECT_TRUE(tabs.SetItemTip(0, ""));
  EXPECT_STREQ("", tabs.GetItemTip(0).GetText());
}

}  // namespace
