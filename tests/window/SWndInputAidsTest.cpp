// The small input services of every window: tab order, the caret, the
// mouse cursor, the non-client zones and the tooltip.
#include "WindowTesting.h"

#include <commctrl.h>

#include <string>

#include "InputTesting.h"

namespace {

class SWndInputAids : public WindowTest {};

// A window whose tab group and zones the test sets, as the dialog builder
// and the docking layout do.
class AidWnd : public TestWnd {
 public:
  std::string zoneCalls;
  void EnableZones(std::initializer_list<RECT> zones) {
    m_zonesEnabled = true;
    m_currentZone = -2;
    for (const RECT& zone : zones) m_zones.Add(zone);
  }
  int CurrentZone() const { return m_currentZone; }
  void Record(const char* name, const RECT* zone, int x, int y, int index) {
    char line[96];
    wsprintfA(line, "%s %d %s %d,%d; ", name, index, zone ? "rect" : "null", x, y);
    zoneCalls += line;
  }
  void OnZoneEnter(const RECT* zone, int x, int y, int index) override { Record("enter", zone, x, y, index); }
  void OnZoneMove(const RECT* zone, int x, int y, int index) override { Record("move", zone, x, y, index); }
  void OnZoneLeave(const RECT* zone, int x, int y, int index) override { Record("leave", zone, x, y, index); }
};

LPARAM ScreenPoint(HWND window, int x, int y) {
  RECT outer;
  GetWindowRect(window, &outer);
  return MAKELPARAM(outer.left + x, outer.top + y);
}

BOOL CALLBACK FindToolTip(HWND hwnd, LPARAM found) {
  char name[64];
  GetClassNameA(hwnd, name, sizeof name);
  if (lstrcmpiA(name, TOOLTIPS_CLASSA) == 0) *reinterpret_cast<HWND*>(found) = hwnd;
  return TRUE;
}

}  // namespace

TEST_F(SWndInputAids, TabFollowsCreationOrderWithinTheGroup) {
  TestWnd parent;
  ASSERT_TRUE(ShowOnTop(parent, 50, 50, 200, 100));
  AidWnd first, second, outsider, third, alone;
  for (AidWnd* child : {&first, &second, &outsider, &third, &alone})
    ASSERT_TRUE(child->Make(parent.GetHwnd(), WS_VISIBLE, 20, 20));
  for (AidWnd* child : {&first, &second, &third}) child->SetTabGroup(1);
  outsider.SetTabGroup(2);
  alone.SetTabGroup(3);
  second.Enable(false);
  EXPECT_EQ(&third, first.GetNextTabSibling());
  EXPECT_EQ(&first, third.GetNextTabSibling());
  EXPECT_EQ(&alone, alone.GetNextTabSibling());
  EXPECT_EQ(&outsider, outsider.GetNextTabSibling());
  parent.SetTabGroup(1);
  EXPECT_EQ(&parent, parent.GetNextTabSibling());  // no siblings of its own
  second.Enable(true);
  EXPECT_EQ(&second, first.GetNextTabSibling());
  second.Show(SW_HIDE);
  EXPECT_EQ(&third, first.GetNextTabSibling());

  // The key itself moves the focus, and the class does not see it.
  first.SetFocus();
  ASSERT_EQ(first.GetHwnd(), GetFocus());
  first.Forget();
  SendMessageA(first.GetHwnd(), WM_KEYDOWN, VK_TAB, 0);
  EXPECT_EQ(third.GetHwnd(), GetFocus());
  EXPECT_FALSE(first.Saw(WM_KEYDOWN));
  SendMessageA(third.GetHwnd(), WM_KEYDOWN, VK_TAB, 0);
  EXPECT_EQ(first.GetHwnd(), GetFocus());
  // Alone in its group, or out of tab order: the focus stays and the key
  // goes on to the class.
  for (AidWnd* window : {&alone, &outsider}) {
    window->SetFocus();
    if (window == &outsider) window->SetTabGroup(-1);
    window->Forget();
    SendMessageA(window->GetHwnd(), WM_KEYDOWN, VK_TAB, 0);
    EXPECT_EQ(window->GetHwnd(), GetFocus());
    EXPECT_TRUE(window->Saw(WM_KEYDOWN));
  }
}

TEST_F(SWndInputAids, CaretWaitsForTheFocus) {
  TestWnd parent;
  ASSERT_TRUE(ShowOnTop(parent, 50, 50, 200, 100));
  AidWnd window, other;
  ASSERT_TRUE(window.Make(parent.GetHwnd(), WS_VISIBLE, 60, 40));
  ASSERT_TRUE(other.Make(parent.GetHwnd(), WS_VISIBLE, 60, 40));
  other.SetFocus();
  GUITHREADINFO info = {};
  info.cbSize = sizeof info;
  EXPECT_TRUE(window.CreateCaret(12));
  GetGUIThreadInfo(GetCurrentThreadId(), &info);
  EXPECT_NE(window.GetHwnd(), info.hwndCaret);
  // The focus brings the caret: one pixel wide, as high as asked.
  window.SetFocus();
  GetGUIThreadInfo(GetCurrentThreadId(), &info);
  EXPECT_EQ(window.GetHwnd(), info.hwndCaret);
  EXPECT_EQ(1, info.rcCaret.right - info.rcCaret.left);
  EXPECT_EQ(12, info.rcCaret.bottom - info.rcCaret.top);
  // Made again while focused: at once, with the new height.
  EXPECT_TRUE(window.CreateCaret(7));
  GetGUIThreadInfo(GetCurrentThreadId(), &info);
  EXPECT_EQ(window.GetHwnd(), info.hwndCaret);
  EXPECT_EQ(7, info.rcCaret.bottom - info.rcCaret.top);
  // Losing the focus gives up the system caret; the window keeps its own.
  other.SetFocus();
  GetGUIThreadInfo(GetCurrentThreadId(), &info);
  EXPECT_NE(window.GetHwnd(), info.hwndCaret);
  window.SetFocus();
  GetGUIThreadInfo(GetCurrentThreadId(), &info);
  EXPECT_EQ(window.GetHwnd(), info.hwndCaret);
  EXPECT_TRUE(window.DestroyCaret());
  EXPECT_FALSE(window.DestroyCaret());
  other.SetFocus();
  window.SetFocus();
  GetGUIThreadInfo(GetCurrentThreadId(), &info);
  EXPECT_NE(window.GetHwnd(), info.hwndCaret);
}

TEST_F(SWndInputAids, CursorHiddenOrSetOverTheWindow) {
  TestWnd window;
  ASSERT_TRUE(ShowOnTop(window, 60, 60, 80, 60));
  ASSERT_TRUE(SlideCursorTo(window.GetHwnd(), 30, 30));
  PumpFor(50);
  POINT inside;
  EXPECT_TRUE(window.GetCursorPos(&inside));
  EXPECT_EQ(30, inside.x);
  EXPECT_EQ(30, inside.y);
  HCURSOR shown = GetCursor();
  EXPECT_NE(nullptr, shown);
  window.ShowCursor(false);
  EXPECT_TRUE(PumpUntil([] { return GetCursor() == nullptr; }, 1000));
  window.ShowCursor(true);
  EXPECT_TRUE(PumpUntil([] { return GetCursor() != nullptr; }, 1000));
  HCURSOR cross = LoadCursor(nullptr, IDC_CROSS);
  window.SetCursor(cross);
  EXPECT_EQ(cross, GetCursor());
  // A move keeps it: WM_SETCURSOR applies it.
  ASSERT_TRUE(SlideCursorTo(window.GetHwnd(), 35, 30));
  PumpFor(50);
  EXPECT_EQ(cross, GetCursor());
  window.SetCursor(nullptr);
  EXPECT_TRUE(PumpUntil([&] { return GetCursor() != cross; }, 1000));
}

TEST_F(SWndInputAids, ZonesReportEnterMoveAndLeave) {
  AidWnd window;
  RECT rect = {50, 50, 250, 150};
  ASSERT_TRUE(window.Create(WS_POPUP | WS_CAPTION | WS_VISIBLE, "zones", 0, &rect, nullptr, nullptr, nullptr,
                            GetModuleHandleA(nullptr), false));
  HWND hwnd = window.GetHwnd();
  // Zones off: nothing.
  SendMessageA(hwnd, WM_NCMOUSEMOVE, HTCAPTION, ScreenPoint(hwnd, 5, 5));
  EXPECT_EQ("", window.zoneCalls);

  window.EnableZones({{0, 0, 20, 20}, {20, 0, 40, 20}});
  EXPECT_EQ(0, window.HitTestZone(5, 5));
  EXPECT_EQ(1, window.HitTestZone(20, 19));
  EXPECT_EQ(-1, window.HitTestZone(40, 5));
  SendMessageA(hwnd, WM_NCMOUSEMOVE, HTCAPTION, ScreenPoint(hwnd, 5, 5));
  SendMessageA(hwnd, WM_NCMOUSEMOVE, HTCAPTION, ScreenPoint(hwnd, 6, 5));
  SendMessageA(hwnd, WM_NCMOUSEMOVE, HTCAPTION, ScreenPoint(hwnd, 25, 5));
  EXPECT_EQ(1, window.CurrentZone());
  SendMessageA(hwnd, WM_NCMOUSELEAVE, 0, 0);
  EXPECT_EQ(-2, window.CurrentZone());
  std::string calls = window.zoneCalls;
  EXPECT_EQ(0u, calls.find("enter 0 rect 5,5; move 0 rect 6,5; leave 0 rect 25,5; enter 1 rect 25,5; leave 1 rect "))
      << calls;
  // Outside every zone: enter once with no zone, then moves.
  window.zoneCalls.clear();
  SendMessageA(hwnd, WM_NCMOUSEMOVE, HTCAPTION, ScreenPoint(hwnd, 100, 5));
  SendMessageA(hwnd, WM_NCMOUSEMOVE, HTCAPTION, ScreenPoint(hwnd, 101, 6));
  SendMessageA(hwnd, WM_NCMOUSEMOVE, HTCAPTION, ScreenPoint(hwnd, 30, 6));
  EXPECT_EQ("enter -1 null 100,5; move -1 null 101,6; leave -1 null 30,6; enter 1 rect 30,6; ", window.zoneCalls);
}

TEST_F(SWndInputAids, TooltipAsksForItsText) {
  TestWnd alone;
  EXPECT_FALSE(alone.EnableToolTip(true));
  TestWnd window;
  ASSERT_TRUE(window.Make(nullptr, WS_VISIBLE, 120, 80));
  ASSERT_TRUE(window.EnableToolTip(true));
  HWND tip = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), FindToolTip, reinterpret_cast<LPARAM>(&tip));
  ASSERT_NE(nullptr, tip);
  EXPECT_EQ(window.GetHwnd(), GetWindow(tip, GW_OWNER));
  EXPECT_TRUE(GetWindowLongA(tip, GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_EQ(1, SendMessageA(tip, TTM_GETTOOLCOUNT, 0, 0));
  TTTOOLINFOA tool = {};
  tool.cbSize = TTTOOLINFOA_V2_SIZE;
  ASSERT_TRUE(SendMessageA(tip, TTM_ENUMTOOLSA, 0, reinterpret_cast<LPARAM>(&tool)));
  RECT client;
  GetClientRect(window.GetHwnd(), &client);
  EXPECT_TRUE(EqualRect(&client, &tool.rect));
  EXPECT_EQ(UINT(TTF_SUBCLASS | TTF_TRANSPARENT), tool.uFlags & (TTF_SUBCLASS | TTF_TRANSPARENT));

  window.SetToolTipText("what it does");
  EXPECT_EQ("what it does", std::string(window.GetToolTipText().GetText()));
  NMTTDISPINFOA ask = {};
  ask.hdr.hwndFrom = tip;
  ask.hdr.code = TTN_GETDISPINFOA;
  SendMessageA(window.GetHwnd(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&ask));
  EXPECT_STREQ("what it does", ask.lpszText);
  EXPECT_EQ(300, SendMessageA(tip, TTM_GETMAXTIPWIDTH, 0, 0));

  // Enabled again: a new tooltip replaces the old one.
  ASSERT_TRUE(window.EnableToolTip(true));
  EXPECT_FALSE(IsWindow(tip));
  EXPECT_TRUE(window.EnableToolTip(false));
  EXPECT_TRUE(window.EnableToolTip(false));
}
