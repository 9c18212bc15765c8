// Modal runs on real windows: which windows a run disables and enables
// again (checked before, during - from timers inside the nested loops - and
// after), refusal, Enter and Escape as queued key messages, windows and
// window objects deleted during a run, and bringing a window to the front.
//
// Windows are shown without being activated wherever the test allows: an
// activated window is handed to the display's window management, which
// makes hiding it slow.
#include "WindowTesting.h"

#include <initializer_list>
#include <map>
#include <string>

#include "window/MessageLoop.h"

namespace {

class SWndModal : public WindowTest {};

class ModalWnd : public TestWnd {
 public:
  using TestWnd::TestWnd;
  void SetKeepEnabled(bool keep) { m_keepEnabledDuringModal = keep; }
};

// Runs actions from inside the nested loops: each once, after its delay.
class Timeline {
 public:
  ~Timeline() {
    for (auto& entry : s_actions) KillTimer(nullptr, entry.first);
    s_actions.clear();
  }
  void After(UINT ms, std::function<void()> action) { s_actions[SetTimer(nullptr, 0, ms, Fire)] = std::move(action); }

 private:
  static void CALLBACK Fire(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    auto found = s_actions.find(id);
    if (found == s_actions.end()) return;
    std::function<void()> action = std::move(found->second);
    s_actions.erase(found);
    action();
  }
  static inline std::map<UINT_PTR, std::function<void()>> s_actions;
};

// "name+" for an enabled window, "name-" for a disabled one.
struct Named {
  const char* name;
  const SWnd* window;
};
std::string States(std::initializer_list<Named> windows) {
  std::string text;
  for (const Named& w : windows) {
    if (!text.empty()) text += ' ';
    text += w.name;
    text += IsWindowEnabled(w.window->GetHwnd()) ? '+' : '-';
  }
  return text;
}

void ShowQuietly(SWnd& window) { window.Show(SW_SHOWNOACTIVATE); }

// ---- Which windows a run disables ------------------------------------------------------------

TEST_F(SWndModal, NestedRunsRestoreEveryWindowsEnabledState) {
  ModalWnd main, child, owned, disabled, keep, stay, outer, inner;
  ASSERT_TRUE(main.Make());
  ASSERT_TRUE(child.Make(main.GetHwnd()));
  ASSERT_TRUE(owned.Make(main.GetHwnd(), WS_POPUP));
  ASSERT_TRUE(disabled.Make());
  disabled.Enable(false);
  ASSERT_TRUE(keep.Make());
  keep.SetKeepEnabled(true);
  ASSERT_TRUE(stay.Make());
  ASSERT_TRUE(outer.Make());
  ShowQuietly(outer);
  auto all = [&] {
    return States({{"main", &main}, {"child", &child}, {"owned", &owned}, {"disabled", &disabled},
                   {"keep", &keep}, {"stay", &stay}, {"outer", &outer}});
  };
  EXPECT_EQ("main+ child+ owned+ disabled- keep+ stay+ outer+", all());

  Timeline timeline;
  Watchdog watchdog(5000, [&] {
    inner.EndModalCancel();
    outer.EndModalCancel();
  });
  std::string duringOuter, duringInner, afterInner;
  int innerResult = 99;
  timeline.After(30, [&] {
    duringOuter = all();
    // A dialog made during the run runs modally itself, leaving the
    // already disabled windows to the outer run.
    ASSERT_TRUE(inner.Make());
    ShowQuietly(inner);
    timeline.After(30, [&] {
      duringInner = all() + " inner" + (inner.IsEnabled() ? "+" : "-");
      inner.EndModal(7);
    });
    innerResult = inner.RunModal(1, 2, nullptr, false);
    afterInner = all();
    PostMessageA(outer.GetHwnd(), WM_KEYDOWN, VK_ESCAPE, 0);
  });
  SArray<SWnd*> stayEnabled;
  stayEnabled.Add(&stay);
  int outerResult = outer.RunModal(0, 0, &stayEnabled, false);

  EXPECT_FALSE(watchdog.Fired());
  EXPECT_EQ("main- child+ owned- disabled- keep+ stay+ outer+", duringOuter);
  EXPECT_EQ("main- child+ owned- disabled- keep+ stay- outer- inner+", duringInner);
  EXPECT_EQ(7, innerResult);
  EXPECT_EQ("main- child+ owned- disabled- keep+ stay+ outer+", afterInner);
  EXPECT_EQ(-1, outerResult);
  EXPECT_EQ("main+ child+ owned+ disabled- keep+ stay+ outer+", all());
  EXPECT_FALSE(outer.IsModal());
  EXPECT_TRUE(outer.IsVisible());  // no hiding asked for
}

TEST_F(SWndModal, WithoutDisableAllOnlyTheOwningPopupIsDisabled) {
  ModalWnd owner, sibling, other, dialog;
  ASSERT_TRUE(owner.Make());
  ASSERT_TRUE(sibling.Make(owner.GetHwnd(), WS_POPUP));
  ASSERT_TRUE(other.Make());
  ASSERT_TRUE(dialog.Make(owner.GetHwnd(), WS_POPUP));
  ShowQuietly(dialog);
  std::string during;
  Timeline timeline;
  Watchdog watchdog(5000, [&] { dialog.EndModalCancel(); });
  timeline.After(30, [&] {
    during = States({{"owner", &owner}, {"sibling", &sibling}, {"other", &other}, {"dialog", &dialog}});
    dialog.EndModalOk();
  });
  EXPECT_EQ(0, dialog.DoModal(nullptr, 0, 0, false, true));
  EXPECT_EQ("owner- sibling- other+ dialog+", during);
  EXPECT_EQ("owner+ sibling+ other+ dialog+", States({{"owner", &owner}, {"sibling", &sibling}, {"other", &other},
                                                        {"dialog", &dialog}}));
  EXPECT_FALSE(dialog.IsVisible());  // hidden at the end
}

TEST_F(SWndModal, ARefusedRunReturnsAtOnceAndRestoresEverything) {
  ModalWnd main, disabled, dialog;
  ASSERT_TRUE(main.Make());
  ASSERT_TRUE(disabled.Make());
  disabled.Enable(false);
  ASSERT_TRUE(dialog.Make());
  dialog.answers[kModalStartMessage] = 1;
  EXPECT_EQ(0, dialog.RunModal(0x1234, 0x5678, nullptr, true));
  const TestWnd::Event* start = dialog.Last(kModalStartMessage);
  ASSERT_NE(nullptr, start);
  EXPECT_EQ(WPARAM(0x1234), start->wparam);
  EXPECT_EQ(LPARAM(0x5678), start->lparam);
  EXPECT_FALSE(dialog.IsModal());
  EXPECT_FALSE(dialog.IsVisible());
  EXPECT_EQ("main+ disabled- dialog+", States({{"main", &main}, {"disabled", &disabled}, {"dialog", &dialog}}));
}

// ---- Ending a run ----------------------------------------------------------------------------

TEST_F(SWndModal, EnterAndEscapeEndTheRunAsQueuedKeys) {
  ModalWnd dialog;
  ASSERT_TRUE(dialog.Make());
  ShowQuietly(dialog);
  Watchdog watchdog(5000, [&] { dialog.EndModal(99); });
  const struct {
    bool enterMeansOk, escapeMeansCancel;
    WPARAM key;
    int expected;  // 5: the key was ignored and the timer ended the run
  } cases[] = {
      {true, true, VK_RETURN, 0},
      {true, true, VK_ESCAPE, -1},
      {false, true, VK_RETURN, 5},
      {true, false, VK_ESCAPE, 5},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "key " << c.key << " enter " << c.enterMeansOk << " escape "
                                    << c.escapeMeansCancel);
    dialog.SetDefaultKeys(c.enterMeansOk, c.escapeMeansCancel);
    dialog.Forget();
    Timeline timeline;
    timeline.After(20, [&] { PostMessageA(dialog.GetHwnd(), WM_KEYDOWN, c.key, 0); });
    timeline.After(150, [&] { dialog.EndModal(5); });
    EXPECT_EQ(c.expected, dialog.RunModal(0, 0, nullptr, false));
    EXPECT_TRUE(dialog.Saw(WM_KEYDOWN));  // the key still reached the window
  }
  EXPECT_FALSE(watchdog.Fired());
}

// The program ends during the run: the run ends as cancelled and the quit
// is left for the loop around it.
TEST_F(SWndModal, AQuitEndsTheRunAsCancelled) {
  ModalWnd main, dialog;
  ASSERT_TRUE(main.Make());
  ASSERT_TRUE(dialog.Make());
  ShowQuietly(dialog);
  Timeline timeline;
  Watchdog watchdog(5000, [&] { dialog.EndModal(99); });
  timeline.After(30, [] { PostQuitMessage(3); });
  EXPECT_EQ(-1, dialog.RunModal(0, 0, nullptr, false));
  EXPECT_FALSE(dialog.IsModal());
  EXPECT_TRUE(main.IsEnabled());
  MSG quit;
  ASSERT_TRUE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(WPARAM(3), quit.wParam);
}

TEST_F(SWndModal, EndingWhenNotModalChangesNothing) {
  ModalWnd window;
  ASSERT_TRUE(window.Make());
  window.EndModalCancel();
  EXPECT_FALSE(window.IsModal());
  EXPECT_EQ(0, window.GetModalResult());

  // A child has no modal run; a window without a handle none either.
  ModalWnd child;
  ASSERT_TRUE(child.Make(window.GetHwnd()));
  EXPECT_EQ(0, child.RunModal(0, 0, nullptr, true));
  EXPECT_TRUE(window.IsEnabled());
  ModalWnd none;
  EXPECT_EQ(-1, none.RunModal(0, 0, nullptr, true));
}

TEST_F(SWndModal, DestroyingTheModalWindowCancelsTheRun) {
  ModalWnd main, dialog;
  ASSERT_TRUE(main.Make());
  ASSERT_TRUE(dialog.Make());
  ShowQuietly(dialog);
  Timeline timeline;
  Watchdog watchdog(5000, [&] { dialog.EndModal(99); });
  timeline.After(30, [&] { dialog.Destroy(); });
  EXPECT_EQ(-1, dialog.RunModal(0, 0, nullptr, true));
  EXPECT_EQ(nullptr, dialog.GetHwnd());
  EXPECT_TRUE(main.IsEnabled());
}

// ---- Windows deleted during a run ----------------------------------------------------------------

TEST_F(SWndModal, AModalWindowDeletedByItsHandlerEndsTheRunUntouched) {
  ModalWnd main;
  ASSERT_TRUE(main.Make());
  for (bool inStart : {false, true}) {
    SCOPED_TRACE(inStart ? "deleted on the modal start" : "deleted during the run");
    PoisonedWnd* dialog = new PoisonedWnd;
    ASSERT_TRUE(dialog->Make());
    ShowQuietly(*dialog);
    Timeline timeline;
    Watchdog watchdog(5000, [&] {
      if (!PoisonedWnd::Deleted()) dialog->EndModal(99);
    });
    if (inStart) {
      dialog->handler = [dialog](UINT message, WPARAM, LPARAM, LRESULT*) {
        if (message != kModalStartMessage) return false;
        delete dialog;
        return true;
      };
    } else {
      timeline.After(30, [dialog] { delete dialog; });
    }
    EXPECT_EQ(-1, dialog->RunModal(0, 0, nullptr, true));
    EXPECT_TRUE(PoisonedWnd::Deleted());
    EXPECT_TRUE(PoisonedWnd::Untouched());
    EXPECT_TRUE(main.IsEnabled());
  }
}

// The deleted window's storage holds another window by the end of the run:
// neither its enabled state nor the activation may be handed to it.
TEST_F(SWndModal, WindowsDeletedDuringTheRunAreLeftAlone) {
  PoisonedWnd* previous = new PoisonedWnd;
  ASSERT_TRUE(previous->Make(nullptr, WS_VISIBLE));
  SetForegroundWindow(previous->GetHwnd());
  PumpMessages();
  ASSERT_EQ(previous->GetHwnd(), GetForegroundWindow());
  ModalWnd main, dialog;
  ASSERT_TRUE(main.Make());
  ASSERT_TRUE(dialog.Make());
  ShowQuietly(dialog);

  PoisonedWnd* stranger = nullptr;
  Timeline timeline;
  Watchdog watchdog(5000, [&] { dialog.EndModal(99); });
  timeline.After(30, [&] {
    EXPECT_FALSE(IsWindowEnabled(previous->GetHwnd()));
    delete previous;
    stranger = new PoisonedWnd;  // the same storage
    ASSERT_EQ(static_cast<void*>(previous), static_cast<void*>(stranger));
    ASSERT_TRUE(stranger->Make());
    ShowQuietly(*stranger);
    stranger->Enable(false);
    dialog.EndModalOk();
  });
  EXPECT_EQ(0, dialog.RunModal(0, 0, nullptr, true));
  ASSERT_NE(nullptr, stranger);
  EXPECT_FALSE(stranger->IsEnabled());
  EXPECT_NE(stranger->GetHwnd(), GetForegroundWindow());
  EXPECT_TRUE(main.IsEnabled());
  delete stranger;
}

// ---- Bringing to the front ------------------------------------------------------------------------

bool IsAbove(HWND upper, HWND lower) {
  for (HWND w = GetWindow(lower, GW_HWNDPREV); w; w = GetWindow(w, GW_HWNDPREV))
    if (w == upper) return true;
  return false;
}

TEST_F(SWndModal, ActivateRaisesAWindowInItsOwnBand) {
  ModalWnd low, high, pinned, hidden;
  ASSERT_TRUE(low.Make());
  ASSERT_TRUE(high.Make());
  ASSERT_TRUE(pinned.Make());
  ASSERT_TRUE(hidden.Make());
  ShowQuietly(low);
  ShowQuietly(high);
  ShowQuietly(pinned);
  pinned.SetTopMost(true);
  SetWindowPos(high.GetHwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  ASSERT_TRUE(IsAbove(high.GetHwnd(), low.GetHwnd()));

  low.Activate(false);
  EXPECT_TRUE(IsAbove(low.GetHwnd(), high.GetHwnd()));
  EXPECT_FALSE(low.GetExStyle() & WS_EX_TOPMOST);
  EXPECT_TRUE(IsAbove(pinned.GetHwnd(), low.GetHwnd()));  // still under the topmost band
  EXPECT_EQ(low.GetHwnd(), GetForegroundWindow());

  pinned.Activate(false);
  EXPECT_TRUE(pinned.GetExStyle() & WS_EX_TOPMOST);
  EXPECT_EQ(pinned.GetHwnd(), GetForegroundWindow());

  // A hidden window is left alone unless asked to show.
  hidden.Activate(false);
  EXPECT_FALSE(hidden.IsVisible());
  EXPECT_EQ(pinned.GetHwnd(), GetForegroundWindow());
  hidden.Activate(true);
  EXPECT_TRUE(hidden.IsVisible());
  EXPECT_TRUE(IsAbove(hidden.GetHwnd(), low.GetHwnd()));
}

// The window active before a run is active again after it.
TEST_F(SWndModal, TheRunGivesTheActivationBack) {
  ModalWnd main, dialog;
  ASSERT_TRUE(main.Make(nullptr, WS_VISIBLE));
  SetForegroundWindow(main.GetHwnd());
  PumpMessages();
  ASSERT_TRUE(dialog.Make());
  Timeline timeline;
  Watchdog watchdog(5000, [&] { dialog.EndModal(99); });
  timeline.After(30, [&] {
    EXPECT_TRUE(dialog.IsVisible());
    dialog.EndModalOk();
  });
  EXPECT_EQ(0, dialog.RunModal(0, 0, nullptr, true));
  EXPECT_FALSE(dialog.IsVisible());
  EXPECT_TRUE(main.IsEnabled());
  EXPECT_EQ(main.GetHwnd(), GetForegroundWindow());
  EXPECT_EQ(main.GetHwnd(), GetFocus());
}

}  // namespace
