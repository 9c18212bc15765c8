// Every test starts with floating-point exceptions masked, as a Windows
// process starts. Code run by an earlier test in this process may leave
// them unmasked, and the system's own drawing and input code that later
// tests reach expects them masked: an unmasked one ends the test process in
// a crash report that waits for a person, so the whole run stalls.
#include <float.h>
#include <gtest/gtest.h>

namespace {

class FloatExceptionMask : public ::testing::EmptyTestEventListener {
  void OnTestStart(const ::testing::TestInfo&) override {
    _clearfp();
    _controlfp(_MCW_EM, _MCW_EM);
  }
};

// Registered before main runs the tests; gtest takes the listener over.
const bool kRegistered = [] {
  ::testing::UnitTest::GetInstance()->listeners().Append(new FloatExceptionMask);
  return true;
}();

}  // namespace
