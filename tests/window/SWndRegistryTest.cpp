// The handle-to-object registry: each thread's framework windows sorted by
// handle, found from any thread.
#include <thread>
#include <vector>

#include "WindowTesting.h"
#include "window/SWndApp.h"

namespace {

class SWndRegistry : public WindowTest {};

ThreadWindowRecord* OwnRecord() { return FindWindowThreadRecord(GetCurrentThreadId()); }

bool SortedByHandle(const SArray<SWnd*>& windows) {
  for (int i = 1; i < windows.GetCount(); i++) {
    if (uintptr_t(windows.GetAt(i - 1)->GetHwnd()) >= uintptr_t(windows.GetAt(i)->GetHwnd())) return false;
  }
  return true;
}

TEST_F(SWndRegistry, WindowsAreFoundByHandleUntilDestroyed) {
  TestWnd windows[5];
  for (TestWnd& w : windows) ASSERT_TRUE(w.Make());
  ThreadWindowRecord* record = OwnRecord();
  ASSERT_NE(nullptr, record);
  EXPECT_EQ(6, record->windows.GetCount());  // and the application window
  EXPECT_TRUE(SortedByHandle(record->windows));
  for (TestWnd& w : windows) {
    EXPECT_EQ(&w, FindWindowObject(w.GetHwnd()));
    EXPECT_EQ(GetCurrentThreadId(), w.GetThreadId());
  }

  HWND gone = windows[2].GetHwnd();
  EXPECT_TRUE(windows[2].Destroy());
  EXPECT_EQ(nullptr, windows[2].GetHwnd());
  EXPECT_EQ(nullptr, FindWindowObject(gone));
  EXPECT_EQ(5, record->windows.GetCount());
  EXPECT_EQ(&windows[3], FindWindowObject(windows[3].GetHwnd()));

  EXPECT_EQ(GetAppWindow(), FindWindowObject(GetAppWindowHandle()));
  // Not framework windows at all.
  EXPECT_EQ(nullptr, FindWindowObject(nullptr));
  EXPECT_EQ(nullptr, FindWindowObject(GetDesktopWindow()));

  // A destroyed object can be created again and is registered again.
  ASSERT_TRUE(windows[2].Make());
  EXPECT_EQ(&windows[2], FindWindowObject(windows[2].GetHwnd()));
  EXPECT_TRUE(SortedByHandle(record->windows));
}

TEST_F(SWndRegistry, HandlesAreOrderedAsUnsignedValues) {
  // Forged handles: only the order of the array is looked at.
  const uintptr_t values[] = {0x80001000u, 0x00002000u, 0xFFFF0000u, 0x7FFFFFF0u, 0x00001000u};
  TestWnd windows[5];
  for (int i = 0; i < 5; i++) {
    windows[i].ForgeHandle(reinterpret_cast<HWND>(values[i]), GetCurrentThreadId());
    ASSERT_TRUE(AddWindowObject(&windows[i]));
  }
  // The application window's handle takes its place among them.
  SArray<SWnd*>& array = OwnRecord()->windows;
  ASSERT_EQ(6, array.GetCount());
  EXPECT_TRUE(SortedByHandle(array));
  std::vector<uintptr_t> order;
  for (int i = 0; i < array.GetCount(); i++)
    if (array.GetAt(i) != GetAppWindow()) order.push_back(uintptr_t(array.GetAt(i)->GetHwnd()));
  EXPECT_EQ((std::vector<uintptr_t>{0x00001000u, 0x00002000u, 0x7FFFFFF0u, 0x80001000u, 0xFFFF0000u}), order);
  for (TestWnd& w : windows) {
    EXPECT_TRUE(RemoveWindowObject(&w));
    w.ForgeHandle(nullptr, 0);
  }
  EXPECT_EQ(1, array.GetCount());

  TestWnd unregistered;
  EXPECT_FALSE(AddWindowObject(nullptr));
  EXPECT_FALSE(AddWindowObject(&unregistered));  // no handle
  unregistered.ForgeHandle(reinterpret_cast<HWND>(0x1234), GetCurrentThreadId() + 1);
  EXPECT_FALSE(AddWindowObject(&unregistered));  // no slot for that thread
  EXPECT_FALSE(RemoveWindowObject(&unregistered));
  unregistered.ForgeHandle(nullptr, 0);
}

TEST_F(SWndRegistry, WorkerThreadWindowsAreFoundFromAnyThread) {
  HANDLE made = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  HANDLE done = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  TestWnd window;
  bool created = false;
  std::thread worker([&] {
    RegisterWindowThread();
    created = window.Make();
    SetEvent(made);
    WaitForSingleObject(done, 30000);
    window.Destroy();
    UnregisterWindowThread();
  });
  ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(made, 30000));
  EXPECT_TRUE(created);
  EXPECT_EQ(&window, FindWindowObject(window.GetHwnd()));
  EXPECT_NE(GetCurrentThreadId(), window.GetThreadId());
  // The window is in its own thread's record, not in this one's.
  EXPECT_EQ(-1, OwnRecord()->windows.Find(&window));
  SetEvent(done);
  worker.join();
  CloseHandle(made);
  CloseHandle(done);
  EXPECT_EQ(nullptr, window.GetHwnd());
}

TEST_F(SWndRegistry, ThreadWithoutSlotMakesPlainWindows) {
  bool created = false, registered = true, subclassed = true;
  LRESULT check = 0;
  std::thread worker([&] {
    TestWnd window;
    created = window.Make();
    registered = FindWindowObject(window.GetHwnd()) != nullptr;
    TestWnd box;
    box.MakeControl("BUTTON", window.GetHwnd(), BS_CHECKBOX);
    subclassed = box.IsSubclassed();
    // The control still answers through its own procedure.
    SendMessageA(box.GetHwnd(), BM_SETCHECK, BST_CHECKED, 0);
    check = SendMessageA(box.GetHwnd(), BM_GETCHECK, 0, 0);
  });
  worker.join();
  EXPECT_TRUE(created);
  EXPECT_FALSE(registered);
  EXPECT_FALSE(subclassed);
  EXPECT_EQ(BST_CHECKED, check);
}

}  // namespace
