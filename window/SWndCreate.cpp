// Creating and destroying the window of an SWnd.
//
// The messages that CreateWindowExA sends (WM_NCCREATE, WM_CREATE, the
// first WM_SIZE ...) arrive before the window is registered and take the
// default processing; the framework's own initialisation runs on the
// created message, which also lets a window class refuse the creation.
#include "window/Framework.h"
#include "window/FrameworkDelayLoad.h"
#include "window/FrameworkMessage.h"
#include "window/FrameworkWindowClasses.h"
#include "window/SWnd.h"
#include "window/SWndLifeGuard.h"

bool SWnd::CreateWindowObject(const RECT* rect, DWORD style, const char* className, const char* text,
                              DWORD exStyle, HWND parent, HMENU menuOrId, void* creationData,
                              HINSTANCE instance, bool subclass) {
  if (m_hwnd) return false;
  // The framework's classes, cursors and application window come before
  // the first window of the program.
  StartWindowing();
  ResetFields();

  // Tab order follows creation order among a parent's children.
  if (SWnd* parentWindow = FindWindowObject(parent)) m_creationIndex = parentWindow->m_childCounter++;

  bool visible = (style & WS_VISIBLE) != 0;
  style &= ~DWORD(WS_VISIBLE);
  if (!parent) style |= WS_POPUP;
  ComputeFrameFlags(style, exStyle);
  m_previousProc = nullptr;
  m_eraseWhenSubclassed = false;

  int x = 0, y = 0, width = 0, height = 0;
  if (rect) {
    x = rect->left;
    y = rect->top;
    width = rect->right - rect->left;
    height = rect->bottom - rect->top;
  }
  // Any class but the framework's own may be one of the common controls,
  // which exist only once their library is loaded.
  if (IS_INTRESOURCE(className) ||
      (lstrcmpiA(className, kFrameworkClass) != 0 && lstrcmpiA(className, kFrameworkNoCloseClass) != 0))
    LoadCommonControls();
  HWND window = CreateWindowExA(exStyle, className, text ? text : "", style, x, y, width, height, parent,
                                menuOrId, instance, nullptr);
  if (!window) return false;
  m_hwnd = window;
  m_threadId = GetWindowThreadProcessId(window, nullptr);
  // A control whose thread has no table slot keeps its own procedure: the
  // framework could not find it, and every message would miss the control.
  if (AddWindowObject(this) && subclass) {
    m_previousProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(WindowProcedure)));
  }

  SWndLifeGuard guard(this);
  LRESULT answer = WindowProcedure(window, kCreatedMessage, 0, reinterpret_cast<LPARAM>(creationData));
  if (!guard.IsAlive()) return false;
  if (answer == 0) {
    if (visible && m_hwnd) {
      ShowWindow(m_hwnd, SW_SHOW);
      if (!guard.IsAlive()) return false;
    }
    return m_hwnd != nullptr;
  }
  // Refused: the window goes without ever having been shown.
  ShowWindow(window, SW_HIDE);
  if (DestroyWindow(window) && guard.IsAlive()) m_hwnd = nullptr;
  return false;
}

bool SWnd::Create(DWORD style, const char* text, DWORD exStyle, const RECT* rect, HWND parent, HMENU menuOrId,
                  void* creationData, HINSTANCE instance, bool noClose) {
  return CreateWindowObject(rect, style, noClose ? kFrameworkNoCloseClass : kFrameworkClass, text, exStyle, parent,
                            menuOrId, creationData, instance, false);
}

bool SWnd::CreateControl(const RECT* rect, DWORD style, const char* className, const char* text, DWORD exStyle,
                         HWND parent, HMENU menuOrId, void* creationData, HINSTANCE instance) {
  return CreateWindowObject(rect, style, className, text, exStyle, parent, menuOrId, creationData, instance, true);
}

bool SWnd::CreateChild(DWORD style, DWORD exStyle, const RECT* rect, HWND parent, int childId, void* creationData) {
  if (!(style & WS_POPUP)) style |= WS_CHILD;
  return Create(style, "", exStyle, rect, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(childId)),
                creationData, GetInstanceHandle(), false);
}

bool SWnd::CreateHidden(void* creationData) {
  return Create(0, "", 0, nullptr, HWND_MESSAGE, nullptr, creationData, GetInstanceHandle(), false);
}

bool SWnd::Close() {
  if (!m_hwnd) return false;
  return ::SendMessageA(m_hwnd, WM_CLOSE, 0, 0) == 0;
}

bool SWnd::Destroy() {
  if (!m_hwnd) return false;
  HWND window = m_hwnd;
  SWndLifeGuard guard(this);
  ShowWindow(window, SW_HIDE);
  if (!DestroyWindow(window)) return false;
  if (guard.IsAlive()) m_hwnd = nullptr;
  return true;
}
