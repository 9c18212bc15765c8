// What the window tests share: the framework running for each suite, a
// window class that records the framework messages reaching its
// WindowProc, bounded message pumping, and a window object whose storage
// shows whether anything touched it after it was deleted.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "window/Framework.h"
#include "window/FrameworkMessage.h"
#include "window/SWnd.h"
#include "window/ThreadWindowTable.h"

// The framework runs for a whole suite; the start-up tests start and stop
// it themselves, between suites.
class WindowTest : public testing::Test {
 public:
  static void SetUpTestSuite() { FrameworkInit(GetModuleHandleA(nullptr), SW_HIDE, kStartNoCom); }
  static void TearDownTestSuite() { FrameworkExit(); }
};

// A window that records every framework message (WM_APP and above) that
// reaches its WindowProc, answers some of them as told, and names the
// command-key hooks called on it. Tests reach the protected state through it.
class TestWnd : public SWnd {
 public:
  struct Event {
    UINT message;
    WPARAM wparam;
    LPARAM lparam;
  };

  explicit TestWnd(int windowType = kWindowPlain) { m_windowType = windowType; }

  // Runs before anything else; true means handled, with *answer.
  std::function<bool(UINT, WPARAM, LPARAM, LRESULT*)> handler;
  std::map<UINT, LRESULT> answers;
  std::vector<Event> events;
  std::vector<UINT> seen;  // every message that reached WindowProc
  std::string hooks;

  LRESULT WindowProc(UINT message, WPARAM wparam, LPARAM lparam) override {
    seen.push_back(message);
    if (message >= WM_APP) events.push_back({message, wparam, lparam});
    LRESULT answer = 0;
    if (handler && handler(message, wparam, lparam, &answer)) return answer;
    auto found = answers.find(message);
    if (found != answers.end()) return found->second;
    return SWnd::WindowProc(message, wparam, lparam);
  }

  int Count(UINT message) const {
    int n = 0;
    for (const Event& e : events) n += e.message == message;
    return n;
  }
  const Event* Last(UINT message) const {
    for (auto e = events.rbegin(); e != events.rend(); ++e)
      if (e->message == message) return &*e;
    return nullptr;
  }
  bool Saw(UINT message) const {
    for (UINT m : seen)
      if (m == message) return true;
    return false;
  }
  void Forget() {
    events.clear();
    seen.clear();
    hooks.clear();
  }

  // A plain popup (or child of parent) of the given client-ish size.
  bool Make(HWND parent = nullptr, DWORD style = 0, int width = 120, int height = 80) {
    RECT rect = {10, 10, 10 + width, 10 + height};
    if (parent && !(style & WS_POPUP)) style |= WS_CHILD;
    return Create(style, "test", 0, &rect, parent, nullptr, nullptr, GetModuleHandleA(nullptr), false);
  }
  bool MakeControl(const char* className, HWND parent, DWORD style = 0, const char* text = "") {
    RECT rect = {0, 0, 100, 60};
    return CreateControl(&rect, style | WS_CHILD, className, text, 0, parent, nullptr, nullptr,
                         GetModuleHandleA(nullptr));
  }

  void SetShortcutMask(uint32_t mask) { m_shortcutMask = mask; }
  void SetModalRunning(bool running) { m_modalRunning = running; }
  void SetDefaultKeys(bool enter, bool escape) {
    m_enterMeansOk = enter;
    m_escapeMeansCancel = escape;
  }
  void SetScrollSteps(int line, int page, int unit) {
    m_lineStepX = m_lineStepY = line;
    m_pageStepX = m_pageStepY = page;
    m_snapX = m_snapY = unit;
  }
  void SetEraseWhenSubclassed(bool erase) { m_eraseWhenSubclassed = erase; }
  bool RefusesNextFocus() const { return m_refuseNextFocus; }
  void ForgeHandle(HWND handle, uint32_t threadId) {
    m_hwnd = handle;
    m_threadId = threadId;
  }

  void OnUndo() override { hooks += "undo "; }
  void OnCut() override { hooks += "cut "; }
  void OnCopy() override { hooks += "copy "; }
  void OnPaste() override { hooks += "paste "; }
  void OnDelete() override { hooks += "delete "; }
  void OnSelectAll() override { hooks += "selectall "; }
  void OnFind() override { hooks += "find "; }
  void OnReplace() override { hooks += "replace "; }
  void OnGoto() override { hooks += "goto "; }
  void OnPrint() override { hooks += "print "; }
  void OnEscape() override { hooks += "escape "; }
  void OnNew() override { hooks += "new "; }
  void OnOpen() override { hooks += "open "; }
  void OnSave() override { hooks += "save "; }
  void OnSaveAs() override { hooks += "saveas "; }
};

// A TestWnd whose storage, once deleted, is filled with a pattern and never
// reused: a later write shows up as a changed byte, and a later virtual call
// crashes on the spoilt table. One at a time.
class PoisonedWnd : public TestWnd {
 public:
  static void* operator new(size_t size) noexcept {
    if (size > sizeof s_storage) return nullptr;
    s_size = size;
    s_deleted = false;
    return s_storage;
  }
  static void operator delete(void*) {
    std::memset(s_storage, kPoison, s_size);
    s_deleted = true;
  }
  static bool Deleted() { return s_deleted; }
  // Nothing touched the storage after the delete.
  static bool Untouched() {
    for (size_t i = 0; i < s_size; i++)
      if (s_storage[i] != kPoison) return false;
    return true;
  }

 private:
  static const unsigned char kPoison = 0xA5;
  alignas(16) static inline unsigned char s_storage[2048];
  static inline size_t s_size = 0;
  static inline bool s_deleted = false;
};

// Dispatches what is queued for this thread, at most limit messages.
inline void PumpMessages(int limit = 200) {
  MSG message;
  for (int i = 0; i < limit && PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE); i++) {
    if (message.message == WM_QUIT) {
      PostQuitMessage(int(message.wParam));
      return;
    }
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

// Runs the action when a loop under test has not ended in time, so that no
// test waits for ever on a message that does not come. The timer belongs to
// the thread and fires in any loop that dispatches.
class Watchdog {
 public:
  Watchdog(UINT ms, std::function<void()> action) {
    s_action = std::move(action);
    s_fired = false;
    m_timer = SetTimer(nullptr, 0, ms, Fire);
  }
  ~Watchdog() {
    KillTimer(nullptr, m_timer);
    s_action = nullptr;
  }
  bool Fired() const { return s_fired; }

 private:
  static void CALLBACK Fire(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    s_fired = true;
    if (s_action) s_action();
  }
  UINT_PTR m_timer;
  static inline std::function<void()> s_action;
  static inline bool s_fired = false;
};

inline LPARAM PointParam(int x, int y) { return MAKELPARAM(x, y); }
