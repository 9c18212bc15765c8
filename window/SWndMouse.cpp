// The mouse in the shared message handling: clicks, mouse enter and leave.
//
// A click is a button going up over the same window that saw it go down.
// Six process-wide slots remember, per button and per area (client,
// non-client), the window that last saw the button go down; any loss of the
// focus forgets them all.
#include "window/FrameworkMessage.h"
#include "window/SWnd.h"

namespace {

enum : int { kLeft = 0, kMiddle = 1, kRight = 2, kButtons = 3 };

// [0..2] client area, [3..5] non-client area, each left, middle, right.
SWnd* g_clickSlots[2 * kButtons];

SWnd*& ClientSlot(int button) { return g_clickSlots[button]; }
SWnd*& NonClientSlot(int button) { return g_clickSlots[kButtons + button]; }

}  // namespace

void ClearClickTracking() {
  for (SWnd*& slot : g_clickSlots) slot = nullptr;
}

void ForgetClickTracking(const SWnd* window) {
  for (SWnd*& slot : g_clickSlots) {
    if (slot == window) slot = nullptr;
  }
}

bool SWnd::OnNonClientMouseMessage(UINT message, LPARAM point) {
  static const int kVirtualKeys[kButtons] = {VK_LBUTTON, VK_MBUTTON, VK_RBUTTON};
  switch (message) {
    case WM_NCMOUSEMOVE:
      for (int button = 0; button < kButtons; button++) {
        if (GetAsyncKeyState(kVirtualKeys[button]) >= 0) NonClientSlot(button) = nullptr;
      }
      return OnZoneMouseMove(point);
    case WM_NCLBUTTONDOWN:
      NonClientSlot(kLeft) = this;
      return true;
    case WM_NCMBUTTONDOWN:
      NonClientSlot(kMiddle) = this;
      return true;
    case WM_NCRBUTTONDOWN:
      NonClientSlot(kRight) = this;
      return true;
  }
  int button = message == WM_NCLBUTTONUP ? kLeft : message == WM_NCMBUTTONUP ? kMiddle : kRight;
  if (NonClientSlot(button) != this) {
    NonClientSlot(button) = nullptr;
    return true;
  }
  return SendToSelf(kNonClientLeftClickMessage + button, 0, point);
}

bool SWnd::OnButtonMessage(UINT message, WPARAM keys, LPARAM point) {
  (void)keys;
  switch (message) {
    case WM_LBUTTONDOWN:
      if (!BeginDrag(point)) return false;
      ClientSlot(kLeft) = this;
      if (m_buttonMode) SetButtonSkinState(m_hover, true);
      return true;
    case WM_MBUTTONDOWN:
      ClientSlot(kMiddle) = this;
      return true;
    case WM_RBUTTONDOWN:
      ClientSlot(kRight) = this;
      return true;
  }
  int button = message == WM_LBUTTONUP ? kLeft : message == WM_MBUTTONUP ? kMiddle : kRight;
  if (ClientSlot(button) == this) {
    if (!SendToSelf(kLeftClickMessage + button, 0, point)) return false;
  } else {
    ClientSlot(button) = nullptr;
  }
  if (button == kLeft && !EndDrag()) return false;
  if (button == kLeft && m_buttonMode) SetButtonSkinState(m_hover, false);
  return true;
}

bool SWnd::OnMouseMoveMessage(WPARAM keys, LPARAM point) {
  static const WPARAM kHeld[kButtons] = {MK_LBUTTON, MK_MBUTTON, MK_RBUTTON};
  for (int button = 0; button < kButtons; button++) {
    if (!(keys & kHeld[button])) ClientSlot(button) = nullptr;
  }
  // While this window holds the capture the mouse never left it.
  if (GetCapture() != m_hwnd) {
    TRACKMOUSEEVENT query = {};
    query.cbSize = sizeof query;
    query.dwFlags = TME_QUERY;
    TrackMouseEvent(&query);
    if (query.hwndTrack != m_hwnd) {
      HWND window = m_hwnd;
      if (!SendToSelf(kMouseEnterMessage, keys, point)) return false;
      TRACKMOUSEEVENT leave = {};
      leave.cbSize = sizeof leave;
      leave.dwFlags = TME_LEAVE;
      leave.hwndTrack = window;
      TrackMouseEvent(&leave);
    }
  }
  return FollowDrag(keys);
}
