// SWnd's caret and mouse cursor. The caret is one pixel wide and survives
// focus changes: the system caret is made while the window has the focus
// (again at each WM_SETFOCUS) and given up when it loses it. The cursor is
// applied by WM_SETCURSOR; changing it moves the mouse onto its own
// position so that the change shows at once.
#include "window/SWnd.h"

namespace {

// A WM_SETCURSOR comes without the mouse moving.
void NudgeMouse() {
  POINT at;
  if (::GetCursorPos(&at)) ::SetCursorPos(at.x, at.y);
}

}  // namespace

bool SWnd::CreateCaret(int height) {
  if (m_caretEnabled) DestroyCaret();  // clears the fields when it works
  m_caretEnabled = true;
  m_caretWidth = 1;
  m_caretHeight = height;
  m_caretPositionSet = true;
  m_caretX = m_caretY = 0;
  if (m_hwnd && ::GetFocus() == m_hwnd) {
    if (!::CreateCaret(m_hwnd, nullptr, m_caretWidth, m_caretHeight)) {
      m_caretEnabled = false;
      return false;
    }
    SetCaretPos(m_caretX, m_caretY);
    ShowCaret(m_hwnd);
    m_caretCreated = true;
  }
  return true;
}

void SWnd::ShowCursor(bool visible) {
  if (m_cursorVisible == visible) return;
  m_cursorVisible = visible;
  NudgeMouse();
}

void SWnd::SetCursor(HCURSOR cursor) {
  if (cursor == m_cursor) return;
  m_cursor = cursor;
  if (!cursor) {
    NudgeMouse();
    return;
  }
  POINT at;
  RECT rect;
  if (m_hwnd && ::GetCursorPos(&at) && ::GetWindowRect(m_hwnd, &rect) && PtInRect(&rect, at)) ::SetCursor(cursor);
}

bool SWnd::GetCursorPos(POINT* point) const {
  if (!point || !m_hwnd || !::GetCursorPos(point)) return false;
  return ::ScreenToClient(m_hwnd, point) != 0;
}
