// Modal runs and activation.
//
// A modal run disables the other windows of the thread (or only the popup
// that owns the window), runs the nested loop until the window ends its
// run, enables what it disabled and gives the activation back to the
// window that had it. Handlers run inside the nested loop and may destroy
// windows or delete their objects - the modal window's own included - so
// the run keeps window handles and acts afterwards only on windows that
// still exist and still belong to the same object.
#include "window/FrameworkMessage.h"
#include "window/FrameworkWindowClasses.h"
#include "window/MessageLoop.h"
#include "window/SWnd.h"
#include "window/SWndLifeGuard.h"

namespace {

// A window of the run as it was when the run started.
struct KeptWindow {
  HWND handle;
  const SWnd* object;  // compared only, never followed
};

KeptWindow Keep(const SWnd* window) { return {window ? window->GetHwnd() : nullptr, window}; }

// The window still exists and is still the framework window it was.
bool StillThere(const KeptWindow& kept) {
  return kept.handle && IsWindow(kept.handle) && FindWindowObject(kept.handle) == kept.object;
}

// Taking the window out of the topmost band and back (or into it and out)
// raises it to the top of its own band, where it ends.
void BringToFront(HWND window) {
  const UINT kZOrderOnly = SWP_NOSIZE | SWP_NOMOVE;
  bool topMost = (GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
  SetWindowPos(window, topMost ? HWND_NOTOPMOST : HWND_TOPMOST, 0, 0, 0, 0, kZOrderOnly);
  SetWindowPos(window, topMost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, kZOrderOnly);
  ShowWindow(window, SW_SHOW);
}

bool StaysEnabled(const SWnd* window, const SArray<SWnd*>* stayEnabled, bool keepFlag) {
  return keepFlag || (stayEnabled && stayEnabled->Find(const_cast<SWnd*>(window)) >= 0);
}

}  // namespace

int SWnd::DoModal(const SArray<SWnd*>* stayEnabled, WPARAM first, LPARAM second, bool disableAll, bool hideAtEnd) {
  if (GetStyle() & WS_CHILD) return 0;
  if (!m_hwnd) return -1;
  HWND self = m_hwnd;

  // The windows to disable, and the one to activate afterwards.
  SArray<SWnd*> candidates;
  SArray<SWnd*> ownSubtree;
  ownSubtree.Add(this);
  KeptWindow previous;
  if (disableAll) {
    previous = Keep(FindWindowObject(GetForegroundWindow()));
    SArray<SWnd*> topLevel;
    GetTopLevelWindows(this, topLevel);
    for (int i = 0; i < topLevel.GetCount(); i++) {
      if (topLevel.GetAt(i) != this) candidates.Add(topLevel.GetAt(i));
    }
    int count = candidates.GetCount();
    for (int i = 0; i < count; i++) {
      SWnd* window = candidates.GetAt(i);
      if (!StaysEnabled(window, stayEnabled, window->m_keepEnabledDuringModal))
        window->GetChildren(candidates, &ownSubtree, true, -1);
    }
  } else {
    SWnd* owner = FindWindowObject(GetPopupAncestor(true));
    previous = Keep(owner);
    if (owner) {
      candidates.Add(owner);
      owner->GetChildren(candidates, &ownSubtree, true, -1);
    }
  }

  // Children go with their popup; windows already disabled stay so after.
  SArray<KeptWindow> disabled;
  for (int i = 0; i < candidates.GetCount(); i++) {
    SWnd* window = candidates.GetAt(i);
    HWND handle = window->GetHwnd();
    if (!handle || (window->GetStyle() & WS_CHILD) || !IsWindowEnabled(handle)) continue;
    if (StaysEnabled(window, stayEnabled, window->m_keepEnabledDuringModal)) continue;
    EnableWindow(handle, FALSE);
    disabled.Add(Keep(window));
  }

  m_modalResult = 0;
  m_modalRunning = true;
  int result = -1;
  SWndLifeGuard guard(this);
  LRESULT refused = WindowProcedure(self, kModalStartMessage, first, second);
  if (guard.IsAlive() && refused) {
    m_modalRunning = false;
    result = m_modalResult;
  } else if (guard.IsAlive()) {
    if (!IsWindowVisible(self)) ShowWindow(self, SW_SHOW);
    RunModalLoop(this);
    if (guard.IsAlive()) {
      // A WM_QUIT ends the loop without an answer.
      EndModal(-1);
      result = m_modalResult;
      if (hideAtEnd && m_hwnd && IsWindowVisible(m_hwnd)) {
        // Enabled first, so that the activation goes back to it.
        if (StillThere(previous)) EnableWindow(previous.handle, TRUE);
        ShowWindow(m_hwnd, SW_HIDE);
      }
    }
  }

  // From here on this object may be gone: only the kept handles are used.
  for (int i = 0; i < disabled.GetCount(); i++) {
    if (StillThere(disabled.GetAt(i))) EnableWindow(disabled.GetAt(i).handle, TRUE);
  }
  if (StillThere(previous) && IsWindowVisible(previous.handle)) {
    BringToFront(previous.handle);
    ShowWindow(previous.handle, SW_SHOW);
    ::SetFocus(previous.handle);
    SetForegroundWindow(previous.handle);
  }
  return result;
}

void SWnd::Activate(bool updateIfHidden) {
  HWND window = m_hwnd;
  if (!window) return;
  if (IsWindowVisible(window)) {
    BringToFront(window);
    ShowWindow(window, SW_SHOW);
    ::SetFocus(window);
  } else if (updateIfHidden) {
    BringToFront(window);
    UpdateWindow(window);
  } else {
    return;
  }
  SetForegroundWindow(window);
}
