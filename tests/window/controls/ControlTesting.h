// The fixture of the control tests: one parent window on screen for a
// whole suite, since hiding a window that was active waits for a window
// manager that Xvfb does not have.
#pragma once

#include "../InputTesting.h"
#include "../WindowTesting.h"

// Suite names the test suite (each suite its own parent); Parent is the
// parent's class, a TestWnd.
template <class Suite, class Parent = TestWnd>
class ParentOnScreen : public WindowTest {
 public:
  static void SetUpTestSuite() {
    WindowTest::SetUpTestSuite();
    s_parent = new Parent;
    ShowOnTop(*s_parent, 100, 100, 360, 240);
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
