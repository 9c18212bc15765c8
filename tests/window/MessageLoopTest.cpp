// The application and modal message loops, the idle callback and the
// dialog-message list. Every loop runs under a watchdog that ends it when
// the message it waits for does not come.
#include "WindowTesting.h"
#include "window/MessageLoop.h"

namespace {

class MessageLoop : public WindowTest {
 protected:
  void TearDown() override {
    ClearDialogWindowList();
    PumpMessages();
  }
};

const UINT kSwitchToPolling = WM_APP + 40;
const UINT kEndRun = WM_APP + 41;

TEST_F(MessageLoop, BlockingLoopRunsUntilQuit) {
  TestWnd window;
  ASSERT_TRUE(window.Make());
  PostMessageA(window.GetHwnd(), WM_APP + 1, 0, 0);
  PostMessageA(window.GetHwnd(), WM_APP + 2, 0, 0);
  PostQuitMessage(7);
  Watchdog watchdog(5000, [] { PostQuitMessage(99); });
  bool wait = true;
  int idles = 0;
  RunMessageLoop(&wait, [](void* user) { return ++*static_cast<int*>(user) > 0; }, &idles);
  EXPECT_FALSE(watchdog.Fired());
  EXPECT_EQ(0, idles);
  EXPECT_EQ(1, window.Count(WM_APP + 1));
  EXPECT_EQ(1, window.Count(WM_APP + 2));
  MSG left;
  EXPECT_FALSE(PeekMessageA(&left, nullptr, 0, 0, PM_NOREMOVE));  // the quit was taken
}

TEST_F(MessageLoop, SwitchingToPollingRunsTheIdleFunctionOnAnEmptyQueue) {
  TestWnd window;
  ASSERT_TRUE(window.Make());
  struct State {
    bool wait = true;
    int idles = 0;
    int idlesAtSwitch = -1;
  } state;
  window.handler = [&](UINT message, WPARAM, LPARAM, LRESULT*) {
    if (message != kSwitchToPolling) return false;
    state.idlesAtSwitch = state.idles;
    state.wait = false;  // read by the loop after this message
    return true;
  };
  PostMessageA(window.GetHwnd(), kSwitchToPolling, 0, 0);
  Watchdog watchdog(5000, [] { PostQuitMessage(99); });
  RunMessageLoop(
      &state.wait,
      [](void* user) {
        State* s = static_cast<State*>(user);
        if (++s->idles == 3) PostQuitMessage(0);
        return true;
      },
      &state);
  EXPECT_FALSE(watchdog.Fired());
  EXPECT_EQ(0, state.idlesAtSwitch);  // no idle while blocking
  EXPECT_EQ(3, state.idles);          // the quit ended it after the third
}

TEST_F(MessageLoop, ModalLoopTurnsEnterAndEscapeIntoOkAndCancel) {
  const struct {
    WPARAM key;
    bool enterMeansOk, escapeMeansCancel;
    int result;  // 5: not ended by the key
  } cases[] = {
      {VK_RETURN, true, true, 0},
      {VK_ESCAPE, true, true, -1},
      {VK_RETURN, false, true, 5},
      {VK_ESCAPE, true, false, 5},
      {VK_F2, true, true, 5},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.key << " " << c.enterMeansOk << " " << c.escapeMeansCancel);
    TestWnd window;
    ASSERT_TRUE(window.Make());
    window.SetDefaultKeys(c.enterMeansOk, c.escapeMeansCancel);
    window.SetModalRunning(true);
    window.handler = [&](UINT message, WPARAM, LPARAM, LRESULT*) {
      if (message == kEndRun) window.EndModal(5);
      return false;
    };
    PostMessageA(window.GetHwnd(), WM_KEYDOWN, c.key, 0);
    PostMessageA(window.GetHwnd(), kEndRun, 0, 0);
    Watchdog watchdog(5000, [&] { window.EndModal(99); });
    RunModalLoop(&window);
    EXPECT_FALSE(watchdog.Fired());
    EXPECT_FALSE(window.IsModal());
    EXPECT_EQ(c.result, window.GetModalResult());
    EXPECT_TRUE(window.Saw(WM_KEYDOWN));  // the key still reaches the window
    if (c.result != 5) {
      const TestWnd::Event* event = window.Last(c.result == 0 ? kModalOkMessage : kModalCancelMessage);
      ASSERT_NE(nullptr, event);
      EXPECT_EQ(1, event->lparam);
    }
    PumpMessages();
  }
}

TEST_F(MessageLoop, QuitDuringAModalRunEndsBothLoops) {
  TestWnd window;
  ASSERT_TRUE(window.Make());
  window.SetModalRunning(true);
  PostQuitMessage(3);
  Watchdog watchdog(5000, [&] { window.EndModal(99); });
  RunModalLoop(&window);
  EXPECT_FALSE(watchdog.Fired());
  EXPECT_TRUE(window.IsModal());  // the run did not end: the loop left it
  // The quit was posted again, for the application loop around.
  MSG quit;
  ASSERT_TRUE(PeekMessageA(&quit, nullptr, 0, 0, PM_NOREMOVE));
  EXPECT_EQ(UINT(WM_QUIT), quit.message);
  EXPECT_EQ(3u, quit.wParam);
  bool wait = true;
  RunMessageLoop(&wait, nullptr, nullptr);
  EXPECT_FALSE(watchdog.Fired());
  EXPECT_FALSE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE));

  // A window destroyed during its run ends the loop too, as cancelled.
  window.SetModalRunning(true);
  window.handler = [&](UINT message, WPARAM, LPARAM, LRESULT*) {
    if (message == kEndRun) DestroyWindow(window.GetHwnd());
    return false;
  };
  PostMessageA(window.GetHwnd(), kEndRun, 0, 0);
  RunModalLoop(&window);
  EXPECT_FALSE(watchdog.Fired());
  EXPECT_EQ(nullptr, window.GetHwnd());
  EXPECT_EQ(-1, window.GetModalResult());
}

TEST_F(MessageLoop, ModalWindowDeletedByItsHandlerEndsTheLoop) {
  PoisonedWnd* window = new PoisonedWnd;
  ASSERT_TRUE(window->Make());
  window->SetModalRunning(true);
  window->handler = [window](UINT message, WPARAM, LPARAM, LRESULT*) {
    if (message != kEndRun) return false;
    delete window;
    return true;
  };
  PostMessageA(window->GetHwnd(), kEndRun, 0, 0);
  Watchdog watchdog(5000, [] { PostQuitMessage(99); });
  RunModalLoop(window);
  EXPECT_FALSE(watchdog.Fired());
  EXPECT_TRUE(PoisonedWnd::Deleted());
  EXPECT_TRUE(PoisonedWnd::Untouched());
}

TEST_F(MessageLoop, DialogListIsOfferedEveryMessageFirst) {
  TestWnd dialog, window;
  ASSERT_TRUE(dialog.Make());
  ASSERT_TRUE(window.Make());
  AddDialogWindow(dialog.GetHwnd());
  AddDialogWindow(dialog.GetHwnd());
  AddDialogWindow(nullptr);
  ASSERT_EQ(2, GetDialogWindowList().GetCount());  // no duplicate
  RemoveDialogWindow(-1);
  RemoveDialogWindow(2);
  EXPECT_EQ(2, GetDialogWindowList().GetCount());

  // With a dialog in the list, Enter in a modal window is not its OK.
  window.SetModalRunning(true);
  window.handler = [&](UINT message, WPARAM, LPARAM, LRESULT*) {
    if (message == kEndRun) window.EndModal(5);
    return false;
  };
  PostMessageA(window.GetHwnd(), WM_KEYDOWN, VK_RETURN, 0);
  PostMessageA(window.GetHwnd(), kEndRun, 0, 0);
  Watchdog watchdog(5000, [&] { window.EndModal(99); });
  RunModalLoop(&window);
  EXPECT_EQ(5, window.GetModalResult());
  EXPECT_EQ(0, window.Count(kModalOkMessage));
  EXPECT_TRUE(window.Saw(WM_KEYDOWN));

  // A message for the dialog itself is the dialog's to handle.
  dialog.Forget();
  PostMessageA(dialog.GetHwnd(), WM_APP + 9, 0, 0);
  PostQuitMessage(0);
  bool wait = true;
  RunMessageLoop(&wait, nullptr, nullptr);
  EXPECT_EQ(1, dialog.Count(WM_APP + 9));

  int index = GetDialogWindowList().Find(dialog.GetHwnd());
  ASSERT_GE(index, 0);
  RemoveDialogWindow(index);
  EXPECT_EQ(-1, GetDialogWindowList().Find(dialog.GetHwnd()));
  // Shutting the framework down empties the list.
  AddDialogWindow(dialog.GetHwnd());
  dialog.Destroy();
  window.Destroy();
  FrameworkExit();
  EXPECT_EQ(0, GetDialogWindowList().GetCount());
  FrameworkInit(GetModuleHandleA(nullptr), SW_HIDE, kStartNoCom);
}

TEST_F(MessageLoop, FlushDropsOnlyKeyboardAndMouseInput) {
  TestWnd window;
  // Input goes to the thread of the foreground window.
  ASSERT_TRUE(window.Make(nullptr, WS_VISIBLE));
  SetForegroundWindow(window.GetHwnd());
  window.SetFocus();
  PumpMessages();
  keybd_event(VK_F7, 0, 0, 0);
  keybd_event(VK_F7, 0, KEYEVENTF_KEYUP, 0);
  PostMessageA(window.GetHwnd(), WM_APP + 12, 0, 0);
  EXPECT_NE(0u, HIWORD(GetQueueStatus(QS_KEY)));
  FlushInputMessages();
  EXPECT_EQ(0u, HIWORD(GetQueueStatus(QS_KEY)));
  MSG left;
  EXPECT_TRUE(PeekMessageA(&left, nullptr, WM_APP + 12, WM_APP + 12, PM_REMOVE));
}

}  // namespace
