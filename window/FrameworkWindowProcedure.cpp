// WindowProcedure: the one entry through which every message of every
// framework window, of both framework classes and of every subclassed
// control, reaches its SWnd. Framework code also calls it directly to
// deliver its own messages before the call returns.
#include "window/FrameworkWindowClasses.h"
#include "window/SWnd.h"
#include "window/SWndLifeGuard.h"

LRESULT CALLBACK WindowProcedure(HWND handle, UINT message, WPARAM wparam, LPARAM lparam) {
  SWnd* window = FindWindowObject(handle);
  if (!window) return DefWindowProcA(handle, message, wparam, lparam);

  // Read before any handler runs: a handler may delete the object.
  WNDPROC previous = window->m_previousProc;
  SWndLifeGuard guard(window, message);
  LRESULT result = 0;
  if (window->OnMessage(message, &wparam, &lparam, &result) && guard.IsAlive())
    result = window->WindowProc(message, wparam, lparam);
  if (message == WM_DESTROY) SWnd::ForgetDestroyedWindow(guard.IsAlive() ? window : nullptr, handle, previous);
  return result;
}
