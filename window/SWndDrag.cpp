// Dragging a window by its client area (the move-with-mouse setting).
//
// The left button going down starts the drag unless the window vetoes it;
// the window then holds the capture and follows the cursor, keeping the
// point it was grabbed at under it. The drag ends when the button goes up,
// and also whenever the capture is lost (another window took it, a menu
// opened, the application switched) or a move arrives without the left
// button: a drag that missed its button-up would otherwise keep the window
// stuck to the mouse.
#include "window/FrameworkMessage.h"
#include "window/SWnd.h"
#include "window/SWndLifeGuard.h"

bool SWnd::BeginDrag(LPARAM point) {
  if (!m_moveWithMouse || m_dragging || IsMaximized()) return true;
  LRESULT veto = 0;
  if (!SendToSelf(kWindowDragStartMessage, 0, point, &veto)) return false;
  if (veto != 0 || !m_hwnd) return true;
  int left, top, right, bottom;
  GetFrameSizes(&left, &top, &right, &bottom);
  m_dragging = true;
  m_grabX = short(LOWORD(point)) + left;
  m_grabY = short(HIWORD(point)) + top;
  ::SetCapture(m_hwnd);
  return true;
}

bool SWnd::FollowDrag(WPARAM keys) {
  if (!m_dragging) return true;
  if (!(keys & MK_LBUTTON)) return EndDrag();
  POINT cursor;
  if (!::GetCursorPos(&cursor)) return true;
  HWND parent = GetParent();
  if (parent && (GetStyle() & WS_CHILD)) ::ScreenToClient(parent, &cursor);
  SWndLifeGuard guard(this);
  SetPosition(cursor.x - m_grabX, cursor.y - m_grabY);
  return guard.IsAlive();
}

bool SWnd::EndDrag() {
  if (!m_dragging) return true;
  // Cleared first: releasing the capture sends WM_CAPTURECHANGED, which
  // must not end the drag a second time.
  m_dragging = false;
  if (GetCapture() == m_hwnd) ReleaseCapture();
  return SendToSelf(kWindowDragEndMessage, 0, 0);
}
