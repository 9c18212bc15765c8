#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "files/SKeyboard.h"

namespace {

// ---- Key names ---------------------------------------------------------------------

// The names as the platform's constants give them, written out apart from
// the implementation's own table.
std::vector<std::string> ExpectedKeyNames() {
  std::vector<std::string> names(256);
  const char* listed[][2] = {
      {"1", "LBUTTON"},   {"2", "RBUTTON"},    {"3", "CANCEL"},    {"4", "MBUTTON"},
      {"8", "BACK"},      {"9", "TAB"},        {"12", "CLEAR"},    {"13", "RETURN"},
      {"16", "SHIFT"},    {"17", "CONTROL"},   {"18", "MENU"},     {"19", "PAUSE"},
      {"20", "CAPITAL"},  {"27", "ESCAPE"},    {"32", "SPACE"},    {"33", "PRIOR"},
      {"34", "NEXT"},     {"35", "END"},       {"36", "HOME"},     {"37", "LEFT"},
      {"38", "UP"},       {"39", "RIGHT"},     {"40", "DOWN"},     {"41", "SELECT"},
      {"43", "EXECUTE"},  {"44", "SNAPSHOT"},  {"45", "INSERT"},   {"46", "DELETE"},
      {"47", "HELP"},     {"91", "LWIN"},      {"92", "RWIN"},     {"93", "APPS"},
      {"106", "MULTIPLY"}, {"107", "ADD"},     {"108", "SEPARATOR"}, {"109", "SUBTRACT"},
      {"110", "DECIMAL"}, {"111", "DIVIDE"},   {"144", "NUMLOCK"}, {"145", "SCROLL"},
      {"246", "ATTN"},    {"247", "CRSEL"},    {"248", "EXSEL"},   {"249", "EREOF"},
      {"250", "PLAY"},    {"251", "ZOOM"},     {"253", "PA1"},
  };
  for (auto& entry : listed) names[std::stoi(entry[0])] = entry[1];
  for (int i = 0; i <= 9; i++) names[48 + i] = std::to_string(i);
  for (int i = 0; i < 26; i++) names[65 + i] = std::string(1, char('A' + i));
  for (int i = 0; i <= 9; i++) names[96 + i] = "NUM" + std::to_string(i);
  for (int i = 1; i <= 16; i++) names[111 + i] = "F" + std::to_string(i);
  return names;
}

TEST(SKeyboardNamesTest, EveryCodeHasItsListedName) {
  SKeyboard keyboard;
  std::vector<std::string> expected = ExpectedKeyNames();
  int named = 0;
  for (int code = 0; code < 256; code++) {
    SCOPED_TRACE(code);
    EXPECT_EQ(SKeyboard::GetKeyName(code).GetText(), expected[code]);
    named += !expected[code].empty();
  }
  EXPECT_EQ(named, 109);
  EXPECT_STREQ(SKeyboard::GetKeyName(13).GetText(), "RETURN");
  EXPECT_STREQ(SKeyboard::GetKeyName(96).GetText(), "NUM0");
  EXPECT_STREQ(SKeyboard::GetKeyName(42).GetText(), "");
  EXPECT_STREQ(SKeyboard::GetKeyName(160).GetText(), "");
  EXPECT_STREQ(SKeyboard::GetKeyName(256).GetText(), "");
  EXPECT_STREQ(SKeyboard::GetKeyName(300).GetText(), "");
  EXPECT_STREQ(SKeyboard::GetKeyName(-1).GetText(), "");
}

TEST(SKeyboardNamesTest, TableIsBuiltOnceAndFreedOnRequest) {
  { SKeyboard first; }
  SKeyboard second;  // finds the table already built: no second set of names
  EXPECT_STREQ(SKeyboard::GetKeyName(255).GetText(), "");
  EXPECT_STREQ(SKeyboard::GetKeyName(253).GetText(), "PA1");
  SKeyboard::FreeKeyNames();
  EXPECT_STREQ(SKeyboard::GetKeyName(13).GetText(), "");
  SKeyboard third;  // an empty table is built again
  EXPECT_STREQ(SKeyboard::GetKeyName(13).GetText(), "RETURN");
}

// ---- Synthesised input, seen by a window of the test's own -----------------------------

struct Received {
  UINT message;
  WPARAM code;
};
std::vector<Received> g_received;

LRESULT CALLBACK RecordingProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if ((message >= WM_KEYFIRST && message <= WM_KEYLAST) ||
      (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST && message != WM_MOUSEMOVE))
    g_received.push_back({message, wparam});
  return DefWindowProcA(window, message, wparam, lparam);
}

// Pumps the thread's messages until the condition holds or two seconds pass.
template <class Condition>
bool PumpUntil(Condition condition) {
  DWORD start = GetTickCount();
  for (;;) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    if (condition()) return true;
    if (GetTickCount() - start > 2000) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
  }
}

bool Got(UINT message, WPARAM code) {
  for (const Received& r : g_received)
    if (r.message == message && r.code == code) return true;
  return false;
}

bool GotMessage(UINT message) {
  for (const Received& r : g_received)
    if (r.message == message) return true;
  return false;
}

class SKeyboardInputTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    WNDCLASSA wc = {};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = RecordingProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = "SKeyboardTestWindow";
    RegisterClassA(&wc);
    s_window = CreateWindowExA(WS_EX_TOPMOST, "SKeyboardTestWindow", "keyboard test",
                               WS_POPUP | WS_VISIBLE, 100, 100, 300, 200, nullptr, nullptr,
                               wc.hInstance, nullptr);
  }
  static void TearDownTestSuite() {
    DestroyWindow(s_window);
    UnregisterClassA("SKeyboardTestWindow", GetModuleHandleA(nullptr));
  }

  void SetUp() override {
    ASSERT_TRUE(s_window != nullptr);
    // Synthesised keys go to the focus window, clicks to the window under
    // the cursor.
    SetForegroundWindow(s_window);
    SetFocus(s_window);
    SetCursorPos(250, 200);
    PumpUntil([] { return GetFocus() == s_window; });
    ASSERT_EQ(GetFocus(), s_window);
    g_received.clear();
  }

  static HWND s_window;
};
HWND SKeyboardInputTest::s_window = nullptr;

TEST_F(SKeyboardInputTest, TapKeyArrivesAsKeyDownThenKeyUp) {
  SKeyboard::TapKey('A');
  ASSERT_TRUE(PumpUntil([] { return Got(WM_KEYUP, 'A'); }));
  ASSERT_GE(g_received.size(), 2u);
  EXPECT_EQ(g_received.front().message, UINT(WM_KEYDOWN));
  EXPECT_EQ(g_received.front().code, WPARAM('A'));
  EXPECT_FALSE(IsKeyDown('A'));
}

TEST_F(SKeyboardInputTest, PressAndReleaseAreSeparateEvents) {
  SKeyboard::PressKey(VK_F5);
  ASSERT_TRUE(PumpUntil([] { return Got(WM_KEYDOWN, VK_F5); }));
  EXPECT_TRUE(IsKeyDown(VK_F5));
  EXPECT_FALSE(Got(WM_KEYUP, VK_F5));
  SKeyboard::ReleaseKey(VK_F5);
  ASSERT_TRUE(PumpUntil([] { return Got(WM_KEYUP, VK_F5); }));
  EXPECT_FALSE(IsKeyDown(VK_F5));
}

// A key event with flags 0 is a left-hand key; the right-hand Ctrl and Alt
// are the extended forms, sent here directly to check the state tests.
void PressRightHand(int code) { keybd_event(BYTE(code), 0, KEYEVENTF_EXTENDEDKEY, 0); }
void ReleaseRightHand(int code) {
  keybd_event(BYTE(code), 0, KEYEVENTF_EXTENDEDKEY | KEYEVENTF_KEYUP, 0);
}

TEST_F(SKeyboardInputTest, ShiftStateAndModifierTests) {
  EXPECT_EQ(SKeyboard::GetShiftState(), SC_NONE);
  SKeyboard::PressKey(VK_SHIFT);
  ASSERT_TRUE(PumpUntil([] { return IsShiftDown(); }));
  EXPECT_TRUE(IsLeftShiftDown());
  EXPECT_EQ(SKeyboard::GetShiftState(), SC_SHIFT);
  SKeyboard::PressKey(VK_CONTROL);
  ASSERT_TRUE(PumpUntil([] { return IsControlDown(); }));
  EXPECT_TRUE(IsLeftControlDown());
  EXPECT_FALSE(IsRightControlDown());
  EXPECT_EQ(SKeyboard::GetShiftState(), SC_CTRLSHIFT);
  SKeyboard::ReleaseKey(VK_SHIFT);
  ASSERT_TRUE(PumpUntil([] { return !IsShiftDown(); }));
  EXPECT_FALSE(IsLeftShiftDown());
  EXPECT_EQ(SKeyboard::GetShiftState(), SC_CTRL);
  EXPECT_FALSE(IsControlAltDown());

  SKeyboard::PressKey(VK_MENU);
  ASSERT_TRUE(PumpUntil([] { return IsAltDown(); }));
  EXPECT_TRUE(IsLeftAltDown());
  EXPECT_FALSE(IsRightAltDown());
  EXPECT_TRUE(IsControlAltDown());
  SKeyboard::ReleaseKey(VK_MENU);
  SKeyboard::ReleaseKey(VK_CONTROL);
  ASSERT_TRUE(PumpUntil([] { return !IsAltDown() && !IsControlDown(); }));
  EXPECT_EQ(SKeyboard::GetShiftState(), SC_NONE);
  EXPECT_FALSE(IsControlAltDown());

  PressRightHand(VK_CONTROL);
  PressRightHand(VK_MENU);
  ASSERT_TRUE(PumpUntil([] { return IsRightControlDown() && IsRightAltDown(); }));
  EXPECT_FALSE(IsLeftControlDown());
  EXPECT_FALSE(IsLeftAltDown());
  EXPECT_TRUE(IsControlAltDown());
  EXPECT_EQ(SKeyboard::GetShiftState(), SC_CTRL);
  ReleaseRightHand(VK_MENU);
  ReleaseRightHand(VK_CONTROL);
  ASSERT_TRUE(PumpUntil([] { return !IsAltDown() && !IsControlDown(); }));
}

TEST_F(SKeyboardInputTest, LockKeysToggle) {
  struct Lock {
    int code;
    bool (*isOn)();
  } locks[] = {{VK_CAPITAL, IsCapsLockOn}, {VK_NUMLOCK, IsNumLockOn}};
  for (const Lock& lock : locks) {
    SCOPED_TRACE(lock.code);
    bool before = lock.isOn();
    SKeyboard::TapKey(lock.code);
    EXPECT_TRUE(PumpUntil([&] { return lock.isOn() != before; }));
    SKeyboard::TapKey(lock.code);
    EXPECT_TRUE(PumpUntil([&] { return lock.isOn() == before; }));
  }
}

TEST_F(SKeyboardInputTest, ClicksOfEachButton) {
  struct Button {
    void (*click)();
    void (*doubleClick)();
    void (*press)();
    void (*release)();
    bool (*isDown)();
    UINT down, up, doubleDown;
  } buttons[] = {
      {SKeyboard::ClickLeft, SKeyboard::DoubleClickLeft, SKeyboard::PressLeft,
       SKeyboard::ReleaseLeft, IsLeftButtonDown, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK},
      {SKeyboard::ClickMiddle, SKeyboard::DoubleClickMiddle, SKeyboard::PressMiddle,
       SKeyboard::ReleaseMiddle, IsMiddleButtonDown, WM_MBUTTONDOWN, WM_MBUTTONUP,
       WM_MBUTTONDBLCLK},
      {SKeyboard::ClickRight, SKeyboard::DoubleClickRight, SKeyboard::PressRight,
       SKeyboard::ReleaseRight, IsRightButtonDown, WM_RBUTTONDOWN, WM_RBUTTONUP,
       WM_RBUTTONDBLCLK},
  };
  for (const Button& b : buttons) {
    SCOPED_TRACE(b.down);
    g_received.clear();
    b.click();
    ASSERT_TRUE(PumpUntil([&] { return GotMessage(b.up); }));
    EXPECT_EQ(g_received.front().message, b.down);
    EXPECT_FALSE(b.isDown());

    // Keep the two clicks of the double click apart from this one.
    Sleep(GetDoubleClickTime() + 100);
    g_received.clear();
    b.doubleClick();
    ASSERT_TRUE(PumpUntil([&] { return GotMessage(b.doubleDown); }));

    b.press();
    ASSERT_TRUE(PumpUntil([&] { return b.isDown(); }));
    b.release();
    ASSERT_TRUE(PumpUntil([&] { return !b.isDown(); }));
    Sleep(GetDoubleClickTime() + 100);
  }
}

TEST_F(SKeyboardInputTest, RepeatingKeyAnswersOncePerInterval) {
  SKeyboard keyboard;
  EXPECT_FALSE(keyboard.IsKeyDownRepeating('Q', 300));  // not held
  SKeyboard::PressKey('Q');
  ASSERT_TRUE(PumpUntil([] { return IsKeyDown('Q'); }));
  EXPECT_TRUE(keyboard.IsKeyDownRepeating('Q', 300));
  EXPECT_FALSE(keyboard.IsKeyDownRepeating('Q', 300));
  Sleep(100);
  EXPECT_FALSE(keyboard.IsKeyDownRepeating('Q', 300));
  Sleep(300);
  EXPECT_TRUE(keyboard.IsKeyDownRepeating('Q', 300));
  // Another keyboard keeps its own timing.
  SKeyboard other;
  EXPECT_TRUE(other.IsKeyDownRepeating('Q', 300));

  // A new press within the interval still waits for it.
  SKeyboard::ReleaseKey('Q');
  ASSERT_TRUE(PumpUntil([] { return !IsKeyDown('Q'); }));
  EXPECT_FALSE(keyboard.IsKeyDownRepeating('Q', 300));
  SKeyboard::PressKey('Q');
  ASSERT_TRUE(PumpUntil([] { return IsKeyDown('Q'); }));
  EXPECT_FALSE(keyboard.IsKeyDownRepeating('Q', 300));

  // A negative interval counts as 0: true at every call.
  SKeyboard fresh;
  EXPECT_TRUE(fresh.IsKeyDownRepeating('Q', -5));
  EXPECT_TRUE(fresh.IsKeyDownRepeating('Q', -5));

  // An interval beyond 16 bits is kept at the longest, not wrapped round to
  // a short one (65636 would wrap to 100).
  SKeyboard longWait;
  EXPECT_TRUE(longWait.IsKeyDownRepeating('Q', 65636));
  Sleep(200);
  EXPECT_FALSE(longWait.IsKeyDownRepeating('Q', 65636));

  SKeyboard::ReleaseKey('Q');
  ASSERT_TRUE(PumpUntil([] { return !IsKeyDown('Q'); }));
  EXPECT_FALSE(keyboard.IsKeyDownRepeating(256, 0));
  EXPECT_FALSE(keyboard.IsKeyDownRepeating(-1, 0));
}

TEST(SKeyboardCursorTest, HidingReachesANegativeCountInOneCall) {
  int original = ShowCursor(TRUE) - 1;
  ShowCursor(TRUE);  // shown several times over
  EXPECT_EQ(SKeyboard::ShowMouseCursor(false), -1);
  EXPECT_EQ(SKeyboard::ShowMouseCursor(false), -2);
  EXPECT_EQ(SKeyboard::ShowMouseCursor(true), -1);
  EXPECT_EQ(SKeyboard::ShowMouseCursor(true), 0);
  int count = 0;
  while (count < original) count = ShowCursor(TRUE);
  while (count > original) count = ShowCursor(FALSE);
}

}  // namespace
