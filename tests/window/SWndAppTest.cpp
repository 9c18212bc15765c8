// The hidden application window: the playing sounds stepped by its timer,
// and capture drags between two windows on screen with synthesised input.
#include <windows.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "InputTesting.h"
#include "WindowTesting.h"
#include "files/SKeyboard.h"
#include "window/SWndApp.h"

namespace {

// ---- Playing sounds -------------------------------------------------------------------

// A sound that logs its name at each step; a step may also run an action.
class TestSound : public PlayingSound {
 public:
  explicit TestSound(std::string* log, char name = '?') : name(name), m_log(log) {}
  virtual ~TestSound() = default;
  void Update() override {
    *m_log += name;
    if (action) action(this);
  }
  char name;
  std::function<void(TestSound*)> action;

 private:
  std::string* m_log;
};

class AppWindowSounds : public WindowTest {
 protected:
  void SetUp() override {
    app = GetAppWindow();
    ASSERT_NE(nullptr, app);
    ASSERT_EQ(0, app->GetPlayingSounds().GetCount());
  }
  void TearDown() override {
    while (app->GetPlayingSounds().GetCount() > 0) app->RemovePlayingSound(app->GetPlayingSounds().GetAt(0));
  }
  void Tick() { SendMessageA(app->GetHwnd(), WM_TIMER, 1, 0); }

  SWndApp* app = nullptr;
  std::string log;
};

// Sounds in address order: the order of the list.
void SortByAddress(std::vector<TestSound*>& sounds) {
  std::sort(sounds.begin(), sounds.end(), [](TestSound* a, TestSound* b) {
    return reinterpret_cast<uintptr_t>(a) < reinterpret_cast<uintptr_t>(b);
  });
}

TEST_F(AppWindowSounds, TheListIsSortedAndSteppedInOrder) {
  TestSound a(&log, 'a'), b(&log, 'b'), c(&log, 'c');
  std::vector<TestSound*> sounds = {&c, &a, &b};
  for (TestSound* s : sounds) EXPECT_TRUE(app->AddPlayingSound(s));
  EXPECT_FALSE(app->AddPlayingSound(&b));  // no duplicates
  EXPECT_FALSE(app->AddPlayingSound(nullptr));
  ASSERT_EQ(3, app->GetPlayingSounds().GetCount());
  SortByAddress(sounds);
  std::string order;
  for (int i = 0; i < 3; i++) {
    EXPECT_EQ(sounds[i], app->GetPlayingSounds().GetAt(i));
  }
  for (TestSound* s : sounds) order += s == &a ? 'a' : s == &b ? 'b' : 'c';
  Tick();
  EXPECT_EQ(order, log);
  EXPECT_TRUE(app->RemovePlayingSound(&b));
  EXPECT_FALSE(app->RemovePlayingSound(&b));
  log.clear();
  Tick();
  order.erase(order.find('b'), 1);
  EXPECT_EQ(order, log);
}

TEST_F(AppWindowSounds, StepsMayEndOrDeleteSoundsWithoutSkippingOthers) {
  std::vector<TestSound*> sounds;
  for (int i = 0; i < 4; i++) sounds.push_back(new TestSound(&log));
  SortByAddress(sounds);
  for (int i = 0; i < 4; i++) {
    sounds[i]->name = char('a' + i);
    ASSERT_TRUE(app->AddPlayingSound(sounds[i]));
  }
  TestSound* third = sounds[2];
  // a ends its own play and c's; b ends its play and deletes itself.
  sounds[0]->action = [&](TestSound* self) {
    app->RemovePlayingSound(self);
    app->RemovePlayingSound(third);
  };
  sounds[1]->action = [&](TestSound* self) {
    app->RemovePlayingSound(self);
    delete self;
  };
  Tick();
  EXPECT_EQ("abd", log);  // c had ended before its turn; d is not skipped
  ASSERT_EQ(1, app->GetPlayingSounds().GetCount());
  EXPECT_EQ(sounds[3], app->GetPlayingSounds().GetAt(0));
  for (int i : {0, 2, 3}) delete sounds[i];
  app->RemovePlayingSound(sounds[3]);
}

TEST_F(AppWindowSounds, AStepThatRunsAMessageLoopIsNotEnteredAgain) {
  TestSound a(&log, 'a'), b(&log, 'b');
  ASSERT_TRUE(app->AddPlayingSound(&a));
  ASSERT_TRUE(app->AddPlayingSound(&b));
  int depth = 0;
  auto nested = [&](TestSound*) {
    if (depth++ == 0) Tick();  // a tick dispatched while the step waits
  };
  a.action = nested;
  Tick();
  EXPECT_EQ(2u, log.size()) << log;
  // The walk is over: the next tick steps again.
  a.action = nullptr;
  Tick();
  EXPECT_EQ(4u, log.size()) << log;
}

TEST_F(AppWindowSounds, TheTimerRunsWhileSoundsPlay) {
  TestSound a(&log, 'a'), b(&log, 'b');
  HWND window = app->GetHwnd();
  ASSERT_TRUE(app->AddPlayingSound(&a));
  ASSERT_TRUE(app->AddPlayingSound(&b));
  EXPECT_TRUE(PumpUntil([&] { return log.size() >= 6; }));  // ticks every 10 ms
  EXPECT_TRUE(app->RemovePlayingSound(&a));
  log.clear();
  EXPECT_TRUE(PumpUntil([&] { return log.size() >= 2; }));
  EXPECT_EQ(std::string(log.size(), 'b'), log);
  EXPECT_TRUE(app->RemovePlayingSound(&b));
  // The last sound out killed the timer.
  EXPECT_FALSE(KillTimer(window, 1));
  log.clear();
  PumpFor(50);
  EXPECT_EQ("", log);
}

// ---- Capture drags --------------------------------------------------------------------

// Two windows on screen for the suite, side by side: a drag starts in the
// first (its target) and moves over the second.
class AppWindowDrags : public WindowTest {
 public:
  static void SetUpTestSuite() {
    WindowTest::SetUpTestSuite();
    s_source = new TestWnd;
    s_other = new TestWnd;
    ShowOnTop(*s_source, 100, 100, 200, 150);
    ShowOnTop(*s_other, 340, 120, 200, 150);
  }
  static void TearDownTestSuite() {
    delete s_other;
    delete s_source;
    WindowTest::TearDownTestSuite();
  }

 protected:
  void SetUp() override {
    ASSERT_NE(nullptr, source.GetHwnd());
    ASSERT_NE(nullptr, other.GetHwnd());
    if (!SlideCursorTo(source.GetHwnd(), 50, 40)) GTEST_SKIP() << "the cursor cannot be moved on this display";
    PumpMessages();
    source.Forget();
    other.Forget();
  }
  void TearDown() override {
    // No button stays down and no drag runs into the next test.
    if (GetAsyncKeyState(VK_LBUTTON) < 0) SKeyboard::ReleaseLeft();
    if (GetAsyncKeyState(VK_RBUTTON) < 0) SKeyboard::ReleaseRight();
    PumpFor(20);
    ReleaseAppCapture();
  }

  // Presses a button and waits until the system knows it is down.
  static bool Press(void (*press)(), int key) {
    press();
    return PumpUntil([key] { return GetAsyncKeyState(key) < 0; }, 1000);
  }
  static bool Release(void (*release)(), int key) {
    release();
    return PumpUntil([key] { return GetAsyncKeyState(key) >= 0; }, 1000);
  }
  // The point of other's client area in source's client coordinates.
  LPARAM InSource(int x, int y) const {
    POINT p = {x, y};
    MapWindowPoints(other.GetHwnd(), source.GetHwnd(), &p, 1);
    return MAKELPARAM(p.x, p.y);
  }
  bool AppHoldsCapture() const { return GetCapture() == GetAppWindowHandle(); }

  static inline TestWnd* s_source;
  static inline TestWnd* s_other;
  TestWnd& source = *s_source;
  TestWnd& other = *s_other;
};

TEST_F(AppWindowDrags, ADragReportsMovesAndTheDropToItsTarget) {
  ASSERT_TRUE(Press(SKeyboard::PressLeft, VK_LBUTTON));
  ASSERT_TRUE(StartAppCapture(source.GetHwnd(), true, false));
  EXPECT_TRUE(AppHoldsCapture());
  EXPECT_FALSE(StartAppCapture(other.GetHwnd(), true, true));  // one drag at a time

  ASSERT_TRUE(SlideCursorTo(other.GetHwnd(), 30, 60));
  ASSERT_TRUE(PumpUntil([&] { return source.Count(kCaptureDragMoveMessage) > 0; }));
  EXPECT_EQ(WPARAM(1), source.Last(kCaptureDragMoveMessage)->wparam);
  EXPECT_EQ(InSource(30, 60), source.Last(kCaptureDragMoveMessage)->lparam);
  EXPECT_EQ(0u, other.events.size());  // the window under the mouse sees nothing of it

  ASSERT_TRUE(SlideCursorTo(other.GetHwnd(), 35, 70));
  ASSERT_TRUE(PumpUntil([&] { return source.Last(kCaptureDragMoveMessage)->lparam == InSource(35, 70); }));

  int moves = source.Count(kCaptureDragMoveMessage);
  ASSERT_TRUE(Release(SKeyboard::ReleaseLeft, VK_LBUTTON));
  ASSERT_TRUE(PumpUntil([&] { return source.Count(kCaptureDragDropMessage) > 0; }));
  EXPECT_EQ(moves + 1, source.Count(kCaptureDragMoveMessage));  // the drop's point as a move first
  EXPECT_EQ(WPARAM(1), source.Last(kCaptureDragDropMessage)->wparam);
  EXPECT_EQ(InSource(35, 70), source.Last(kCaptureDragDropMessage)->lparam);
  // Framework events of drags, in order: the last move, then the drop.
  std::vector<UINT> drag;
  for (const auto& e : source.events)
    if (e.message >= kCaptureDragMoveMessage && e.message <= kCaptureLostMessage) drag.push_back(e.message);
  EXPECT_EQ(kCaptureDragDropMessage, drag.back());
  EXPECT_FALSE(AppHoldsCapture());
  PumpFor(20);
  EXPECT_EQ(0, source.Count(kCaptureLostMessage));
  EXPECT_EQ(nullptr, GetAppWindow()->GetCaptureTarget());
  EXPECT_FALSE(ReleaseAppCapture());
}

TEST_F(AppWindowDrags, ARightDragDropsWithTheRightButton) {
  ASSERT_TRUE(Press(SKeyboard::PressRight, VK_RBUTTON));
  ASSERT_TRUE(StartAppCapture(source.GetHwnd(), false, true));
  ASSERT_TRUE(SlideCursorTo(other.GetHwnd(), 10, 10));
  ASSERT_TRUE(Release(SKeyboard::ReleaseRight, VK_RBUTTON));
  ASSERT_TRUE(PumpUntil([&] { return source.Count(kCaptureDragDropMessage) > 0; }));
  EXPECT_EQ(WPARAM(4), source.Last(kCaptureDragDropMessage)->wparam);
  EXPECT_EQ(InSource(10, 10), source.Last(kCaptureDragDropMessage)->lparam);
}

TEST_F(AppWindowDrags, TheRightButtonDuringALeftDragChangesNothing) {
  ASSERT_TRUE(Press(SKeyboard::PressLeft, VK_LBUTTON));
  ASSERT_TRUE(StartAppCapture(source.GetHwnd(), true, true));
  ASSERT_TRUE(Press(SKeyboard::PressRight, VK_RBUTTON));
  ASSERT_TRUE(Release(SKeyboard::ReleaseRight, VK_RBUTTON));
  PumpFor(30);
  EXPECT_EQ(0, source.Count(kCaptureDragDropMessage));
  EXPECT_EQ(0, source.Count(kCaptureLostMessage));
  EXPECT_TRUE(AppHoldsCapture());
  EXPECT_EQ(source.GetHwnd(), GetAppWindow()->GetCaptureTarget());
  ASSERT_TRUE(Release(SKeyboard::ReleaseLeft, VK_LBUTTON));
  ASSERT_TRUE(PumpUntil([&] { return source.Count(kCaptureDragDropMessage) > 0; }));
  EXPECT_EQ(WPARAM(1), source.Last(kCaptureDragDropMessage)->wparam);
}

TEST_F(AppWindowDrags, ALostCaptureIsReportedOnce) {
  ASSERT_TRUE(Press(SKeyboard::PressLeft, VK_LBUTTON));
  ASSERT_TRUE(StartAppCapture(source.GetHwnd(), true, false));
  // Another window takes the mouse.
  SetCapture(other.GetHwnd());
  ASSERT_EQ(1, source.Count(kCaptureLostMessage));
  EXPECT_EQ(WPARAM(1), source.Last(kCaptureLostMessage)->wparam);
  POINT cursor;
  GetCursorPos(&cursor);
  ScreenToClient(GetAppWindowHandle(), &cursor);
  EXPECT_EQ(MAKELPARAM(cursor.x, cursor.y), source.Last(kCaptureLostMessage)->lparam);
  ReleaseCapture();
  ASSERT_TRUE(Release(SKeyboard::ReleaseLeft, VK_LBUTTON));
  PumpFor(20);
  EXPECT_EQ(0, source.Count(kCaptureDragDropMessage));
  EXPECT_EQ(1, source.Count(kCaptureLostMessage));
}

TEST_F(AppWindowDrags, ReleasingTheCaptureEndsTheDragAsLost) {
  ASSERT_TRUE(Press(SKeyboard::PressLeft, VK_LBUTTON));
  ASSERT_TRUE(StartAppCapture(source.GetHwnd(), true, false));
  EXPECT_TRUE(ReleaseAppCapture());
  EXPECT_FALSE(AppHoldsCapture());
  EXPECT_EQ(1, source.Count(kCaptureLostMessage));
  EXPECT_FALSE(ReleaseAppCapture());
  ASSERT_TRUE(Release(SKeyboard::ReleaseLeft, VK_LBUTTON));
  PumpFor(20);
  EXPECT_EQ(0, source.Count(kCaptureDragDropMessage));
}

TEST_F(AppWindowDrags, ADragStartsOnlyWithAnAllowedButtonDown) {
  EXPECT_FALSE(StartAppCapture(source.GetHwnd(), true, true));  // no button down
  EXPECT_FALSE(AppHoldsCapture());
  ASSERT_TRUE(Press(SKeyboard::PressLeft, VK_LBUTTON));
  EXPECT_FALSE(StartAppCapture(nullptr, true, true));
  EXPECT_FALSE(StartAppCapture(source.GetHwnd(), false, true));  // left down, only right allowed
  ASSERT_TRUE(Press(SKeyboard::PressRight, VK_RBUTTON));
  EXPECT_FALSE(StartAppCapture(source.GetHwnd(), false, true));  // both down: the left decides
  EXPECT_FALSE(AppHoldsCapture());
  ASSERT_TRUE(Release(SKeyboard::ReleaseLeft, VK_LBUTTON));
  EXPECT_TRUE(StartAppCapture(source.GetHwnd(), false, true));
  EXPECT_EQ(4, GetAppWindow()->GetDragButton());
  EXPECT_TRUE(ReleaseAppCapture());
}

TEST_F(AppWindowDrags, AButtonUpWithoutADragLeavesOtherCapturesAlone) {
  SWndApp* app = GetAppWindow();
  app->SetCaptureTarget(nullptr, 1);
  SetCapture(other.GetHwnd());
  SendMessageA(app->GetHwnd(), WM_LBUTTONUP, 0, 0);
  EXPECT_EQ(other.GetHwnd(), GetCapture());
  ReleaseCapture();
  EXPECT_EQ(0u, source.events.size());
}

}  // namespace
