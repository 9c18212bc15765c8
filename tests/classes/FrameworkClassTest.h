// Calling members of the classes over the window system: the framework runs
// for the whole suite, as it does for an application.
#pragma once

#include "tests/classes/MemberCall.h"
#include "tests/window/WindowTesting.h"

namespace classtest {

class FrameworkClassTest : public ValueClassTest {
 public:
  static void SetUpTestSuite() { WindowTest::SetUpTestSuite(); }
  static void TearDownTestSuite() { WindowTest::TearDownTestSuite(); }
};

}  // namespace classtest
