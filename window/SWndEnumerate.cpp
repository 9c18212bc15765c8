// The relatives of a window: siblings, children and popup ancestors, read
// from the window's thread record and the system's window tree. None of
// these creates a window.
#include "window/SWnd.h"
#include "window/ThreadWindowTable.h"

namespace {

// Framework windows or not, in z-order; a child before its own children.
int EnumHandles(HWND parent, SArray<HWND>& handles, const SArray<HWND>* excluded, bool recursive) {
  int added = 0;
  for (HWND child = GetTopWindow(parent); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (excluded && excluded->Find(child) >= 0) continue;
    handles.Add(child);
    added++;
    if (recursive) added += EnumHandles(child, handles, excluded, true);
  }
  return added;
}

}  // namespace

int SWnd::GetSiblings(SArray<SWnd*>& windows, int windowType) const {
  ThreadWindowRecord* record = FindWindowThreadRecord(m_threadId);
  if (!record || !m_hwnd) return 0;
  HWND parent = GetParent();
  int added = 0;
  for (int i = 0; i < record->windows.GetCount(); i++) {
    SWnd* window = record->windows.GetAt(i);
    if (window == this || window->GetParent() != parent) continue;
    if (windowType != -1 && window->m_windowType != windowType) continue;
    windows.Add(window);
    added++;
  }
  return added;
}

int SWnd::GetChildren(SArray<SWnd*>& windows, const SArray<SWnd*>* excluded, bool recursive, int windowType) const {
  ThreadWindowRecord* record = FindWindowThreadRecord(m_threadId);
  if (!record || !m_hwnd) return 0;
  int added = 0;
  for (int i = 0; i < record->windows.GetCount(); i++) {
    SWnd* window = record->windows.GetAt(i);
    if (window->GetParent() != m_hwnd) continue;
    if (excluded && excluded->Find(window) >= 0) continue;
    if (windowType == -1 || window->m_windowType == windowType) {
      windows.Add(window);
      added++;
    }
    if (recursive) added += window->GetChildren(windows, excluded, true, windowType);
  }
  return added;
}

int SWnd::EnumChildHandles(SArray<HWND>& handles, const SArray<HWND>* excluded, bool recursive) const {
  return m_hwnd ? EnumHandles(m_hwnd, handles, excluded, recursive) : 0;
}

HWND SWnd::GetPopupAncestor(bool evenIfPopup) const {
  if (!m_hwnd) return nullptr;
  if (!evenIfPopup && IsPopup()) return nullptr;
  for (HWND window = ::GetParent(m_hwnd); window; window = ::GetParent(window)) {
    if (GetWindowLongA(window, GWL_STYLE) & WS_POPUP) return window;
  }
  return nullptr;
}

HWND SWnd::GetOutermostPopupAncestor(bool outermost) const {
  if (!outermost) return GetPopupAncestor(false);
  if (!m_hwnd) return nullptr;
  HWND found = nullptr;
  for (HWND window = ::GetParent(m_hwnd); window; window = ::GetParent(window)) {
    if (GetWindowLongA(window, GWL_STYLE) & WS_POPUP) found = window;
  }
  return found;
}
