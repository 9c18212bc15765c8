// SWndLifeGuard: tells code that runs a window's handlers whether the
// window object survived them.
//
// A handler may delete its own window object (a click that closes and
// deletes a dialog), and the code that called it - the window procedure,
// the shared message handling, a modal loop - must then touch the object no
// more. Each such caller holds a guard on its stack while it calls out; the
// guards of a thread form a list, and the destructor of SWnd marks every
// guard of its object. Guards live on one thread and end in reverse order
// of their start, as stack objects do.
#pragma once

#include <windows.h>

class SWnd;

class SWndLifeGuard {
 public:
  // message: what the guarded call is handling (0 for none).
  explicit SWndLifeGuard(SWnd* window, UINT message = 0);
  ~SWndLifeGuard();
  SWndLifeGuard(const SWndLifeGuard&) = delete;
  SWndLifeGuard& operator=(const SWndLifeGuard&) = delete;

  bool IsAlive() const { return !m_deleted; }

  // Called by the destructor of SWnd: every guard of the object on this
  // thread reports it gone.
  static void MarkDeleted(const SWnd* window);
  // Whether this thread is inside the handling of message for window.
  static bool IsHandling(const SWnd* window, UINT message);

 private:
  const SWnd* m_window;
  UINT m_message;
  bool m_deleted;
  SWndLifeGuard* m_next;  // the guard started before this one on the thread
};
