// The handle-to-object registry: each thread's framework windows, sorted by
// handle value in the thread's ThreadWindowTable record, so that the lookup
// that every message of every window makes is a scan of the slots by
// thread id and a binary search.
#include <cstdint>

#include "window/SWnd.h"
#include "window/ThreadWindowTable.h"

namespace {

uintptr_t HandleValue(HWND window) { return reinterpret_cast<uintptr_t>(window); }

}  // namespace

SWnd* FindWindowObject(HWND window) {
  if (!window) return nullptr;
  DWORD thread = GetWindowThreadProcessId(window, nullptr);
  if (!thread) return nullptr;
  ThreadWindowRecord* record = FindWindowThreadRecord(thread);
  if (!record) return nullptr;
  // Another thread may read this array while its own thread changes it;
  // the count is read once so that the search stays inside what it saw.
  SArray<SWnd*>& windows = record->windows;
  uintptr_t key = HandleValue(window);
  int low = 0, high = windows.GetCount();
  while (low < high) {
    int middle = (low + high) / 2;
    SWnd* candidate = windows.GetAt(middle);
    uintptr_t value = HandleValue(candidate->GetHwnd());
    if (value == key) return candidate;
    if (value < key)
      low = middle + 1;
    else
      high = middle;
  }
  return nullptr;
}

bool AddWindowObject(SWnd* window) {
  if (!window || !window->GetHwnd()) return false;
  ThreadWindowRecord* record = FindWindowThreadRecord(window->GetThreadId());
  if (!record) return false;
  SArray<SWnd*>& windows = record->windows;
  uintptr_t key = HandleValue(window->GetHwnd());
  int low = 0, high = windows.GetCount();
  while (low < high) {
    int middle = (low + high) / 2;
    if (HandleValue(windows.GetAt(middle)->GetHwnd()) <= key)
      low = middle + 1;
    else
      high = middle;
  }
  return windows.InsertAt(window, low) >= 0;
}

bool RemoveWindowObject(SWnd* window) {
  if (!window) return false;
  ThreadWindowRecord* record = FindWindowThreadRecord(window->GetThreadId());
  if (!record) return false;
  int index = record->windows.Find(window);
  if (index >= 0) record->windows.RemoveAt(index);
  return true;
}

int CollectThreadWindows(SArray<SWnd*>& windows) {
  ThreadWindowRecord* record = FindWindowThreadRecord(GetCurrentThreadId());
  if (!record) return 0;
  int added = 0;
  for (int i = 0; i < record->windows.GetCount(); i++) {
    SWnd* window = record->windows.GetAt(i);
    if (window->GetHwnd()) {
      windows.Add(window);
      added++;
    }
  }
  return added;
}

int GetTopLevelWindows(const SWnd* window, SArray<SWnd*>& windows) {
  if (!window) return 0;
  ThreadWindowRecord* record = FindWindowThreadRecord(window->GetThreadId());
  if (!record) return 0;
  int added = 0;
  for (int i = 0; i < record->windows.GetCount(); i++) {
    SWnd* candidate = record->windows.GetAt(i);
    if (candidate->IsPopup() && !candidate->GetParent()) {
      windows.Add(candidate);
      added++;
    }
  }
  return added;
}
