// The Timer and Path classes as applications use them (the programs are in
// TimerPathClassPrograms.h): a due-date planner, a table of historical
// weekdays, working hours with a stopwatch, and a site publisher that takes
// paths and URLs apart. Each program shows what it found in one box
// captioned "Result" and ends by itself.
//
// Starts are slow under emulation, so every program is started before the
// first box is read.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "tests/e2e/PackedApp.h"
#include "tests/e2e/TimerPathClassPrograms.h"

namespace {

using timerpathprograms::TimerPathProgram;

class TimerPathClasses : public ::testing::TestWithParam<TimerPathProgram> {
 protected:
  static void SetUpTestSuite() {
    for (const TimerPathProgram& p : timerpathprograms::Programs())
      s_batch.Start(std::string("TimerPath") + p.name, p.program);
  }
  static void TearDownTestSuite() { s_batch.Clear(); }

  static e2e::AppBatch s_batch;
};

e2e::AppBatch TimerPathClasses::s_batch;

TEST_P(TimerPathClasses, ShowsItsResult) {
  const std::string name = std::string("TimerPath") + GetParam().name;
  ASSERT_EQ(s_batch.Error(name), "");
  e2e::PackedApp* app = s_batch.Find(name);
  ASSERT_NE(app, nullptr);
  e2e::ExpectBoxesThenExit(*app, "Result", {GetParam().result});
}

INSTANTIATE_TEST_SUITE_P(E2E, TimerPathClasses, ::testing::ValuesIn(timerpathprograms::Programs()),
                         [](const ::testing::TestParamInfo<TimerPathProgram>& info) { return info.param.name; });

}  // namespace
