// The Timer and Path programs of the packed-program test, run here on the
// engine's own build. Only the host build runs them here: in the Windows
// build their result box would wait for a click (tests/e2e runs them there
// as applications).
#include <gtest/gtest.h>

#include <string>

#include "classes/PObjString.h"
#include "engine/PEngine.h"
#include "engine/PObjStruct.h"
#include "engine/PObjectDefinition.h"
#include "engine/PObjectRef.h"
#include "tests/e2e/TimerPathClassPrograms.h"
#include "tests/engine/ProgramBuild.h"

namespace {

using timerpathprograms::TimerPathProgram;

class TimerPathPrograms : public ::testing::TestWithParam<TimerPathProgram> {};

TEST_P(TimerPathPrograms, FindWhatTheyExpect) {
#ifdef _WIN32
  GTEST_SKIP() << "the packed-program test runs these under Windows";
#endif
  PEngine run;
  ASSERT_TRUE(programtest::BuildProgram(run, GetParam().program)) << programtest::FailureOf(run);
  ASSERT_TRUE(run.Start(nullptr));
  PObject* app = run.GetApplication();
  PObjectInfo* info = app->GetDefinition()->FindVariable("r");
  ASSERT_NE(info, nullptr);
  PObject* r = static_cast<PObjStruct*>(app)->FindRef(info)->GetRefObject();
  EXPECT_EQ(static_cast<PObjString*>(r)->GetText(), std::string(GetParam().result));
  run.Stop(false);
}

INSTANTIATE_TEST_SUITE_P(Host, TimerPathPrograms, ::testing::ValuesIn(timerpathprograms::Programs()),
                         [](const ::testing::TestParamInfo<TimerPathProgram>& info) { return info.param.name; });

}  // namespace
