// The engine's main loop on a real message queue: polling with the
// Application's idle member, an idle member that fails, Exit from another
// thread, and Quit from inside the loop.
#include <gtest/gtest.h>

#include <windows.h>

#include <thread>

#include "engine/PEngine.h"
#include "engine/PObjStruct.h"
#include "engine/PObjectDefinition.h"
#include "engine/PObjectRef.h"
#include "classes/PObjInt.h"
#include "tests/engine/ProgramBuild.h"

using programtest::BuildProgram;
using programtest::FailureOf;

namespace {

// The Integer member variable of the Application.
int64_t IntegerVariable(PEngine& engine, const char* name) {
  PObject* app = engine.GetApplication();
  PObjectRef* cell =
      static_cast<PObjStruct*>(app)->FindRef(app->GetDefinition()->FindVariable(name));
  return static_cast<PObjInt*>(cell->GetRefObject())->GetValue();
}

TEST(PEngineRun, PollingCallsTheIdleMemberUntilItEndsTheProgram) {
  PEngine engine;
  ASSERT_TRUE(BuildProgram(engine,
                           "class Application\n"
                           "  Integer turns\n"
                           "function Void _00000000()\n"
                           "  Global.3(1)\n"
                           "function Void _00000002()\n"
                           "  turns++\n"
                           "  if turns==5\n"
                           "    Global.35()\n"
                           "  end\n"))
      << FailureOf(engine);
  ASSERT_TRUE(engine.Start(nullptr));
  engine.RunLoop();
  EXPECT_EQ(IntegerVariable(engine, "turns"), 5);
  EXPECT_FALSE(engine.IsRunning());
  EXPECT_TRUE(engine.Stop(false));
}

TEST(PEngineRun, AFailingIdleMemberEndsTheProgramAtOnce) {
  PEngine engine;
  ASSERT_TRUE(BuildProgram(engine,
                           "class Application\n"
                           "  Integer turns\n"
                           "function Void _00000000()\n"
                           "  Global.3(1)\n"
                           "function Void _00000002()\n"
                           "  Integer zero\n"
                           "  turns++\n"
                           "  turns/=zero\n"))
      << FailureOf(engine);
  ASSERT_TRUE(engine.Start(nullptr));
  engine.RunLoop();
  EXPECT_EQ(IntegerVariable(engine, "turns"), 1);
  EXPECT_FALSE(engine.IsRunning());
  engine.Stop(false);
}

TEST(PEngineRun, ExitFromAnotherThreadEndsTheWaitingLoop) {
  PEngine engine;
  ASSERT_TRUE(BuildProgram(engine, "class Application\n")) << FailureOf(engine);
  ASSERT_TRUE(engine.Start(nullptr));
  bool first = false, second = true;
  std::thread worker([&] {
    Sleep(200);
    first = engine.Exit();
    second = engine.Exit();
  });
  engine.RunLoop();
  worker.join();
  EXPECT_TRUE(first);
  EXPECT_FALSE(second);
  EXPECT_FALSE(engine.Quit());
  engine.Stop(false);
  // WM_QUIT was posted once: nothing is left in the queue.
  MSG msg;
  EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

PEngine* g_quitting = nullptr;

void CALLBACK QuitFromTheLoop(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  EXPECT_TRUE(g_quitting->Quit());
  EXPECT_FALSE(g_quitting->Quit());
}

TEST(PEngineRun, QuitInsideTheLoopEndsItAndKeepsTheProgramRunningUntilStop) {
  PEngine engine;
  ASSERT_TRUE(BuildProgram(engine, "class Application\n")) << FailureOf(engine);
  ASSERT_TRUE(engine.Start(nullptr));
  g_quitting = &engine;
  SetTimer(nullptr, 0, 50, QuitFromTheLoop);
  engine.RunLoop();
  EXPECT_TRUE(engine.IsRunning());
  // Exit after Quit posts nothing more.
  EXPECT_TRUE(engine.Exit());
  MSG msg;
  EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_TRUE(engine.Stop(false));
  g_quitting = nullptr;
}

}  // namespace
