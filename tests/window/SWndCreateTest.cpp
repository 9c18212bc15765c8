// Creating, destroying and deleting window objects, and the enumeration of
// their relatives.
#include "WindowTesting.h"
#include "window/SWndApp.h"

namespace {

class SWndCreate : public WindowTest {};

TEST_F(SWndCreate, CreatedMessageSetsDefaultsAndVisibilityComesAfterIt) {
  TestWnd window;
  bool visibleWhenCreated = true;
  HWND seenHandle = nullptr;
  window.handler = [&](UINT message, WPARAM, LPARAM, LRESULT*) {
    if (message == kCreatedMessage) {
      visibleWhenCreated = IsWindowVisible(window.GetHwnd()) != 0;
      seenHandle = window.GetHwnd();
    }
    return false;
  };
  int data = 42;
  RECT rect = {5, 6, 105, 56};
  ASSERT_TRUE(window.Create(WS_VISIBLE | WS_CAPTION | WS_SYSMENU, "title", 0, &rect, nullptr, nullptr, &data,
                            GetModuleHandleA(nullptr), true));
  ASSERT_EQ(1, window.Count(kCreatedMessage));
  EXPECT_EQ(0u, window.Last(kCreatedMessage)->wparam);
  EXPECT_EQ(reinterpret_cast<LPARAM>(&data), window.Last(kCreatedMessage)->lparam);
  EXPECT_EQ(window.GetHwnd(), seenHandle);
  EXPECT_FALSE(visibleWhenCreated);
  EXPECT_TRUE(window.IsVisible());

  char className[16] = {};
  GetClassNameA(window.GetHwnd(), className, sizeof className);
  EXPECT_STREQ("TAVRIN2", className);
  EXPECT_TRUE(window.IsPopup());  // no parent
  EXPECT_EQ("title", std::string(window.GetText().GetText()));
  EXPECT_EQ(GetSysColor(COLOR_BTNFACE), window.GetBackColor());
  EXPECT_EQ(GetDefaultFont(), window.GetFont());
  EXPECT_TRUE(window.IsRestored());
  RECT outer;
  GetWindowRect(window.GetHwnd(), &outer);
  EXPECT_EQ(100, outer.right - outer.left);

  // Created once, not twice.
  EXPECT_FALSE(window.Create(0, "", 0, nullptr, nullptr, nullptr, nullptr, GetModuleHandleA(nullptr), false));
}

TEST_F(SWndCreate, RefusedCreationLeavesNoWindow) {
  TestWnd window;
  window.answers[kCreatedMessage] = 1;
  bool shown = false;
  window.handler = [&](UINT message, WPARAM wparam, LPARAM, LRESULT*) {
    if (message == WM_SHOWWINDOW && wparam) shown = true;
    return false;
  };
  EXPECT_FALSE(window.Create(WS_VISIBLE, "", 0, nullptr, nullptr, nullptr, nullptr, GetModuleHandleA(nullptr), false));
  EXPECT_EQ(nullptr, window.GetHwnd());
  EXPECT_FALSE(shown);
  EXPECT_EQ(1, FindWindowThreadRecord(GetCurrentThreadId())->windows.GetCount());  // the application window
  // The same for a control.
  TestWnd control(kWindowEdit);
  control.answers[kCreatedMessage] = 1;
  TestWnd parent;
  ASSERT_TRUE(parent.Make());
  EXPECT_FALSE(control.MakeControl("EDIT", parent.GetHwnd()));
  EXPECT_EQ(nullptr, GetTopWindow(parent.GetHwnd()));
}

TEST_F(SWndCreate, ChildrenAreNumberedInCreationOrder) {
  TestWnd parent;
  TestWnd children[3];
  for (int round = 0; round < 2; round++) {
    ASSERT_TRUE(parent.Make());
    for (int i = 0; i < 3; i++) {
      ASSERT_TRUE(children[i].Make(parent.GetHwnd()));
      EXPECT_EQ(i, children[i].GetCreationIndex());
      EXPECT_EQ(WS_CHILD, children[i].GetStyle() & (WS_CHILD | WS_POPUP));
    }
    // Resetting the parent destroys its window (and so its children), and
    // its next children count from 0 again.
    parent.ResetFields();
    EXPECT_EQ(nullptr, parent.GetHwnd());
    for (TestWnd& child : children) EXPECT_EQ(nullptr, child.GetHwnd());
  }
}

// A control class of the test's own, so that what reaches the control's
// own procedure can be seen.
struct OwnControl {
  static inline int destroyed = 0, nonClientDestroyed = 0, created = 0;
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_DESTROY) destroyed++;
    if (message == WM_NCDESTROY) nonClientDestroyed++;
    if (message == kCreatedMessage) created++;
    if (message == WM_APP + 77) return 5;
    return DefWindowProcA(window, message, wparam, lparam);
  }
  static void Register() {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = Procedure;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "WndTestControl";
    RegisterClassA(&wc);
  }
};

TEST_F(SWndCreate, SubclassedControlKeepsItsOwnProcedure) {
  OwnControl::Register();
  OwnControl::destroyed = OwnControl::nonClientDestroyed = OwnControl::created = 0;
  TestWnd parent;
  ASSERT_TRUE(parent.Make());
  TestWnd control(kWindowStatic);
  ASSERT_TRUE(control.MakeControl("WndTestControl", parent.GetHwnd()));
  EXPECT_TRUE(control.IsSubclassed());
  EXPECT_EQ(&control, FindWindowObject(control.GetHwnd()));
  EXPECT_EQ(1, OwnControl::created);  // the created message reaches it too
  // Messages go through the framework and on to the control.
  EXPECT_EQ(5, SendMessageA(control.GetHwnd(), WM_APP + 77, 0, 0));
  EXPECT_TRUE(control.Saw(WM_APP + 77));

  HWND handle = control.GetHwnd();
  EXPECT_TRUE(control.Destroy());
  EXPECT_FALSE(IsWindow(handle));
  EXPECT_EQ(nullptr, FindWindowObject(handle));
  EXPECT_EQ(1, OwnControl::destroyed);
  // The control's own procedure also sees the last message, in which system
  // controls free what they hold.
  EXPECT_EQ(1, OwnControl::nonClientDestroyed);

  // A real system control behaves as itself.
  TestWnd edit(kWindowEdit);
  ASSERT_TRUE(edit.MakeControl("EDIT", parent.GetHwnd(), 0, "abc"));
  EXPECT_EQ("abc", std::string(edit.GetText().GetText()));
  SendMessageA(edit.GetHwnd(), EM_SETLIMITTEXT, 17, 0);
  EXPECT_EQ(17, SendMessageA(edit.GetHwnd(), EM_GETLIMITTEXT, 0, 0));
}

TEST_F(SWndCreate, DeletingTheObjectDestroysItsWindow) {
  TestWnd* window = new TestWnd;
  ASSERT_TRUE(window->Make());
  HWND handle = window->GetHwnd();
  TestWnd child;
  ASSERT_TRUE(child.Make(handle));
  delete window;
  EXPECT_FALSE(IsWindow(handle));
  EXPECT_EQ(nullptr, child.GetHwnd());  // destroyed with its parent
  EXPECT_EQ(1, FindWindowThreadRecord(GetCurrentThreadId())->windows.GetCount());  // the application window
}

TEST_F(SWndCreate, CloseAndDestroyAnswerWhetherTheWindowWent) {
  TestWnd window;
  EXPECT_FALSE(window.Close());
  EXPECT_FALSE(window.Destroy());
  ASSERT_TRUE(window.Make());
  window.answers[WM_CLOSE] = 1;  // kept open
  EXPECT_FALSE(window.Close());
  EXPECT_NE(nullptr, window.GetHwnd());
  window.answers.erase(WM_CLOSE);
  EXPECT_TRUE(window.Close());
  EXPECT_EQ(nullptr, window.GetHwnd());

  ASSERT_TRUE(window.CreateHidden(nullptr));
  EXPECT_FALSE(window.IsVisible());
  EXPECT_EQ(&window, FindWindowObject(window.GetHwnd()));
  EXPECT_TRUE(window.Destroy());
}

// A handler that deletes its own window object: the window procedure, the
// shared handling and the creation must touch the object no more.
TEST_F(SWndCreate, ObjectDeletedByItsOwnHandlerIsNotTouchedAgain) {
  const UINT deleteOn[] = {WM_APP + 5, kLeftClickMessage, WM_DESTROY, kKeyMessage};
  for (UINT trigger : deleteOn) {
    SCOPED_TRACE(trigger);
    TestWnd parent;
    ASSERT_TRUE(parent.Make());
    PoisonedWnd* window = new PoisonedWnd;
    ASSERT_TRUE(window->Make(trigger == kKeyMessage ? parent.GetHwnd() : nullptr));
    HWND handle = window->GetHwnd();
    auto deleter = [window, trigger](UINT message, WPARAM, LPARAM, LRESULT* answer) {
      if (message != trigger) return false;
      delete window;
      *answer = 9;
      return true;
    };
    if (trigger == kKeyMessage) {
      // The popup that hears a control's key deletes the control.
      parent.handler = deleter;
      SendMessageA(handle, WM_KEYDOWN, 'Q', 0);
    } else {
      window->handler = deleter;
      if (trigger == WM_APP + 5) {
        EXPECT_EQ(9, SendMessageA(handle, trigger, 0, 0));
      }
      if (trigger == kLeftClickMessage) {
        SendMessageA(handle, WM_LBUTTONDOWN, MK_LBUTTON, PointParam(3, 4));
        SendMessageA(handle, WM_LBUTTONUP, 0, PointParam(3, 4));
      }
      if (trigger == WM_DESTROY) DestroyWindow(handle);
    }
    ASSERT_TRUE(PoisonedWnd::Deleted());
    EXPECT_TRUE(PoisonedWnd::Untouched());
    EXPECT_FALSE(IsWindow(handle));
    EXPECT_EQ(nullptr, FindWindowObject(handle));
  }

  // Deleted while answering its creation.
  PoisonedWnd* window = new PoisonedWnd;
  window->handler = [window](UINT message, WPARAM, LPARAM, LRESULT*) {
    if (message != kCreatedMessage) return false;
    delete window;
    return true;
  };
  EXPECT_FALSE(window->Make());
  EXPECT_TRUE(PoisonedWnd::Deleted());
  EXPECT_TRUE(PoisonedWnd::Untouched());
  EXPECT_EQ(1, FindWindowThreadRecord(GetCurrentThreadId())->windows.GetCount());  // the application window
}

// ---- Relatives ---------------------------------------------------------------------------

class SWndEnumerate : public WindowTest {};

TEST_F(SWndEnumerate, ChildrenSiblingsAndPopupAncestors) {
  // top (popup) > a (child, edit type) > b (child); top owns popup q > c (child)
  TestWnd top, a(kWindowEdit), b, q, c(kWindowEdit);
  ASSERT_TRUE(top.Make());
  ASSERT_TRUE(a.Make(top.GetHwnd()));
  ASSERT_TRUE(b.Make(a.GetHwnd()));
  ASSERT_TRUE(q.Make(top.GetHwnd(), WS_POPUP));
  ASSERT_TRUE(c.Make(q.GetHwnd()));
  HWND plain = CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 5, 5, a.GetHwnd(), nullptr, nullptr, nullptr);

  SArray<SWnd*> found;
  EXPECT_EQ(2, top.GetChildren(found));  // a, and q through its owner
  EXPECT_GE(found.Find(&a), 0);
  EXPECT_GE(found.Find(&q), 0);
  found.RemoveAll();
  EXPECT_EQ(4, top.GetChildren(found, nullptr, true));
  EXPECT_LT(found.Find(&a), found.Find(&b));  // a child before its own children
  found.RemoveAll();
  EXPECT_EQ(2, top.GetChildren(found, nullptr, true, kWindowEdit));  // a and c, through q
  found.RemoveAll();
  SArray<SWnd*> excluded;
  excluded.Add(&q);
  EXPECT_EQ(1, top.GetChildren(found, &excluded, true, kWindowEdit));  // c is under q
  EXPECT_EQ(&a, found.GetAt(0));

  found.RemoveAll();
  EXPECT_EQ(1, a.GetSiblings(found));
  EXPECT_EQ(&q, found.GetAt(0));
  found.RemoveAll();
  EXPECT_EQ(0, a.GetSiblings(found, kWindowEdit));

  SArray<HWND> handles;
  EXPECT_EQ(3, top.EnumChildHandles(handles, nullptr, true));  // a, b and the plain static
  EXPECT_GE(handles.Find(plain), 0);
  handles.RemoveAll();
  EXPECT_EQ(1, top.EnumChildHandles(handles));

  EXPECT_EQ(q.GetHwnd(), c.GetPopupAncestor(false));
  EXPECT_EQ(q.GetHwnd(), c.GetOutermostPopupAncestor(false));
  EXPECT_EQ(top.GetHwnd(), c.GetOutermostPopupAncestor(true));
  EXPECT_EQ(nullptr, q.GetPopupAncestor(false));  // a popup itself
  EXPECT_EQ(top.GetHwnd(), q.GetPopupAncestor(true));
  EXPECT_EQ(top.GetHwnd(), b.GetPopupAncestor(false));
  EXPECT_TRUE(q.IsTopLevel());  // a popup with an owner
  EXPECT_TRUE(top.IsTopLevel());
  EXPECT_FALSE(a.IsTopLevel());

  found.RemoveAll();
  EXPECT_EQ(6, CollectThreadWindows(found));  // and the application window
  found.RemoveAll();
  EXPECT_EQ(2, GetTopLevelWindows(&c, found));
  EXPECT_GE(found.Find(&top), 0);
  EXPECT_GE(found.Find(GetAppWindow()), 0);
}

}  // namespace
