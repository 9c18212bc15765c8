#include <windows.h>

#include <shellapi.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "WindowTesting.h"
#include "window/ControlNotify.h"
#include "window/STrayIcon.h"

namespace {

class TrayIconTest : public WindowTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(owner.Make());
    // The record lives only during the report: its code is kept here.
    owner.handler = [this](UINT message, WPARAM wparam, LPARAM lparam, LRESULT*) {
      if (message == ControlNotifyMessage(kControlClassTrayIcon, 0)) {
        codes.push_back(reinterpret_cast<const ControlMouseRecord*>(lparam)->code);
        sources.push_back(reinterpret_cast<STrayIcon*>(wparam));
      }
      return false;
    };
  }
  // Whether the shell still knows the icon of that window: changing its
  // tip fails once it is gone.
  static bool ShellHasIcon(HWND window) {
    NOTIFYICONDATAA data = {};
    data.cbSize = NOTIFYICONDATAA_V2_SIZE;
    data.hWnd = window;
    data.uID = STrayIcon::kIconId;
    data.uFlags = NIF_TIP;
    lstrcpyA(data.szTip, "probe");
    return Shell_NotifyIconA(NIM_MODIFY, &data) != FALSE;
  }

  TestWnd owner;
  std::vector<int32_t> codes;
  std::vector<STrayIcon*> sources;
};

TEST_F(TrayIconTest, NeedsAnOwner) {
  STrayIcon icon;
  EXPECT_FALSE(icon.Create(nullptr, nullptr, "tip", true));
  EXPECT_EQ(nullptr, icon.GetHwnd());
}

TEST_F(TrayIconTest, TipIsCutTo63CharactersAndFollowsTheWindowText) {
  STrayIcon icon;
  const std::string longTip(100, 'x');
  ASSERT_TRUE(icon.Create(owner.GetHwnd(), LoadIcon(nullptr, IDI_APPLICATION), longTip.c_str(), false));
  EXPECT_EQ(std::string(63, 'x'), icon.GetTip());
  EXPECT_EQ(100, icon.GetTextLength());
  EXPECT_EQ(owner.GetHwnd(), GetWindow(icon.GetHwnd(), GW_OWNER));
  EXPECT_FALSE(IsWindowVisible(icon.GetHwnd()));
  SetWindowTextA(icon.GetHwnd(), "short");
  EXPECT_STREQ("short", icon.GetTip());
  SetWindowTextA(icon.GetHwnd(), nullptr);
  EXPECT_STREQ("", icon.GetTip());
}

TEST_F(TrayIconTest, ShowAddsTheIconOnceAndHideRemovesIt) {
  STrayIcon icon;
  ASSERT_TRUE(icon.Create(owner.GetHwnd(), LoadIcon(nullptr, IDI_APPLICATION), "tip", false));
  EXPECT_FALSE(icon.IsShown());
  EXPECT_FALSE(ShellHasIcon(icon.GetHwnd()));
  icon.Show(true);
  ASSERT_TRUE(icon.IsShown()) << "the notification area refused the icon";
  icon.Show(true);
  EXPECT_TRUE(icon.IsShown());
  EXPECT_TRUE(ShellHasIcon(icon.GetHwnd()));
  icon.SetIcon(LoadIcon(nullptr, IDI_WARNING));
  EXPECT_TRUE(icon.IsShown());
  // One removal takes it away: it was added only once.
  icon.Show(false);
  EXPECT_FALSE(icon.IsShown());
  EXPECT_FALSE(ShellHasIcon(icon.GetHwnd()));
  icon.Show(false);
  EXPECT_FALSE(icon.IsShown());
}

TEST_F(TrayIconTest, DestroyingTheObjectRemovesTheIcon) {
  auto icon = std::make_unique<STrayIcon>();
  ASSERT_TRUE(icon->Create(owner.GetHwnd(), LoadIcon(nullptr, IDI_APPLICATION), "tip", true));
  ASSERT_TRUE(icon->IsShown());
  HWND window = icon->GetHwnd();
  EXPECT_TRUE(ShellHasIcon(window));
  icon.reset();
  EXPECT_FALSE(IsWindow(window));
  EXPECT_FALSE(ShellHasIcon(window));
}

TEST_F(TrayIconTest, DestroyingTheWindowRemovesTheIcon) {
  STrayIcon icon;
  ASSERT_TRUE(icon.Create(owner.GetHwnd(), nullptr, nullptr, true));
  ASSERT_TRUE(icon.IsShown());
  HWND window = icon.GetHwnd();
  DestroyWindow(window);
  EXPECT_FALSE(icon.IsShown());
  EXPECT_FALSE(ShellHasIcon(window));
}

TEST_F(TrayIconTest, ShellCallbacksReachTheOwnerAsMouseReports) {
  STrayIcon icon;
  ASSERT_TRUE(icon.Create(owner.GetHwnd(), LoadIcon(nullptr, IDI_APPLICATION), "tip", false));
  struct Case {
    UINT mouse;
    std::vector<int32_t> codes;
  };
  const Case cases[] = {
      {WM_LBUTTONUP, {17, 33}},  {WM_RBUTTONUP, {20, 36}}, {WM_MBUTTONUP, {18, 34}},
      {WM_LBUTTONDOWN, {9}},     {WM_RBUTTONDOWN, {12}},   {WM_MBUTTONDOWN, {10}},
      {WM_LBUTTONDBLCLK, {65}},  {WM_RBUTTONDBLCLK, {68}}, {WM_MBUTTONDBLCLK, {66}},
      {WM_MOUSEMOVE, {}},
  };
  for (const Case& c : cases) {
    codes.clear();
    sources.clear();
    EXPECT_EQ(1, SendMessageA(icon.GetHwnd(), kTrayIconMessage, STrayIcon::kIconId, c.mouse)) << c.mouse;
    EXPECT_EQ(c.codes, codes) << "mouse message " << std::hex << c.mouse;
    for (STrayIcon* source : sources) EXPECT_EQ(&icon, source);
  }
}

}  // namespace
