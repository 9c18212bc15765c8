// Anchoring: a child window that follows its parent's edges as the
// parent's client area changes size.
//
// The place is computed afresh each time from the rectangle and the parent
// size stored when the anchor was set, so that rounding never accumulates
// over many resizes. Divisions truncate toward zero.
#include "window/FrameworkMessage.h"
#include "window/SWnd.h"
#include "window/SWndLifeGuard.h"

namespace {

// No z-order, no activation, no owner z-order, no WM_WINDOWPOSCHANGING.
const UINT kAnchorPlacing = SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER | SWP_NOSENDCHANGING;  // 0x614

// One axis: the position and length from their stored values for a parent
// grown by delta.
void FollowAxis(int32_t flags, int32_t center, int32_t edge, int32_t grow, int32_t half, int delta, LONG* position,
                LONG* length) {
  if (flags & center) *position += (flags & half) ? delta / 4 : delta / 2;
  if (flags & half) delta /= 2;
  if (flags & edge) *position += delta;
  if (flags & grow) *length += delta;
}

}  // namespace

void SWnd::SetAnchor(int32_t flags) {
  HWND parent = GetParent();
  RECT rect;
  if (flags == 0 || !parent || !GetWindowRect(&rect)) {
    m_anchorFlags = 0;
    return;
  }
  RECT client;
  ::GetClientRect(parent, &client);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
  m_anchorFlags = flags;
  m_anchorParentWidth = client.right;
  m_anchorParentHeight = client.bottom;
  m_anchorRect = rect;
}

HWND SWnd::ApplyAnchor() {
  HWND parent = GetParent();
  if (!m_anchorFlags || !parent) return nullptr;
  RECT client;
  ::GetClientRect(parent, &client);
  LONG x = m_anchorRect.left, y = m_anchorRect.top;
  LONG width = m_anchorRect.right - m_anchorRect.left, height = m_anchorRect.bottom - m_anchorRect.top;
  FollowAxis(m_anchorFlags, kAnchorCenterX, kAnchorRight, kAnchorWidth, kAnchorHalfX,
             client.right - m_anchorParentWidth, &x, &width);
  FollowAxis(m_anchorFlags, kAnchorCenterY, kAnchorBottom, kAnchorHeight, kAnchorHalfY,
             client.bottom - m_anchorParentHeight, &y, &height);
  SetWindowPos(nullptr, x, y, width, height, kAnchorPlacing);
  return parent;
}

bool SWnd::OnParentResizedMessage() {
  if (!m_anchorFlags || !GetParent()) return true;
  SWndLifeGuard guard(this);
  HWND parent = ApplyAnchor();
  if (!guard.IsAlive()) return false;
  if (parent) ::SendMessageA(parent, kAnchoredMessage, reinterpret_cast<WPARAM>(this), 0);
  return guard.IsAlive();
}
