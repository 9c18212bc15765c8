// What the control tests share: one parent window on screen for a suite,
// since hiding a window that was active waits for a window manager that
// Xvfb does not have, and real typing on its controls.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "../InputTesting.h"
#include "../WindowTesting.h"
#include "files/SKeyboard.h"
#include "window/ControlNotify.h"

// Suite names the test suite (each suite its own parent); Parent is the
// parent's class, a TestWnd.
template <class Suite, class Parent = TestWnd>
class ParentOnScreen : public WindowTest {
 public:
  static void SetUpTestSuite() {
    WindowTest::SetUpTestSuite();
    s_parent = new Parent;
    ShowOnTop(*s_parent, 100, 100, 360, 260);
  }
  static void TearDownTestSuite() {
    delete s_parent;
    s_parent = nullptr;
    WindowTest::TearDownTestSuite();
  }

 protected:
  static inline Parent* s_parent = nullptr;
  Parent& parent = *s_parent;
};

// A parent that keeps a copy of each mouse report of the family's message
// (the record lives only during the delivery).
class ReportingParent : public TestWnd {
 public:
  UINT mouseMessage = 0;
  std::vector<int32_t> mouseCodes;
  ReportingParent() {
    handler = [this](UINT message, WPARAM, LPARAM lparam, LRESULT*) {
      if (message == mouseMessage) mouseCodes.push_back(reinterpret_cast<ControlMouseRecord*>(lparam)->code);
      return false;
    };
  }
};

// The reporting parent, brought to the front and emptied before each test.
class OnScreenControls : public ParentOnScreen<OnScreenControls, ReportingParent> {
 protected:
  void SetUp() override {
    ASSERT_NE(nullptr, parent.GetHwnd());
    SetForegroundWindow(parent.GetHwnd());
    parent.Forget();
    parent.mouseCodes.clear();
  }

  static RECT Rect(int x, int y, int width, int height) { return {x, y, x + width, y + height}; }

  // Real key presses into the focus window, the modifiers held around
  // them; letters as their virtual keys (lower case without Shift).
  static void Type(const std::vector<int>& keys, const std::vector<int>& modifiers = {}) {
    for (int key : modifiers) SKeyboard::PressKey(key);
    for (int key : keys) SKeyboard::TapKey(key);
    for (int key : modifiers) SKeyboard::ReleaseKey(key);
    PumpFor(60);
  }
  static void TypeText(const char* letters) {
    std::vector<int> keys;
    for (const char* c = letters; *c; c++) keys.push_back(*c >= 'a' && *c <= 'z' ? *c - 'a' + 'A' : *c);
    Type(keys);
  }
};
