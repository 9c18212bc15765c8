// SWnd::WindowProc: the default processing that every window class's own
// WindowProc ends in for the messages it leaves alone.
#include "window/SWnd.h"

#include <shellapi.h>

#include "window/FrameworkMessage.h"
#include "window/SMenu.h"

namespace {

// Sent by handle: a handler of one descendant may delete another.
void SendToDescendants(const SWnd* window, UINT message, WPARAM wparam) {
  SArray<SWnd*> descendants;
  window->GetChildren(descendants, nullptr, true, -1);
  SArray<HWND> handles;
  for (int i = 0; i < descendants.GetCount(); i++) handles.Add(descendants.GetAt(i)->GetHwnd());
  LPARAM source = reinterpret_cast<LPARAM>(window->GetHwnd());
  for (int i = 0; i < handles.GetCount(); i++) SendMessageA(handles.GetAt(i), message, wparam, source);
}

}  // namespace

LRESULT SWnd::WindowProc(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_DESTROY: {
      DetachMenuBar();
      m_backImage.Clear();
      SetRectEmpty(&m_margins);
      SetWindowRgn(m_hwnd, nullptr, FALSE);
      RedrawWindow(m_hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
      LRESULT answer = DefaultWindowProc(message, wparam, lparam);
      // Out of the table before the handle goes, so that the table stays
      // sorted by the handles it holds.
      RemoveWindowObject(this);
      m_hwnd = nullptr;
      return answer;
    }
    case WM_MOVE:
    case WM_SIZE: {
      LRESULT answer = DefaultWindowProc(message, wparam, lparam);
      SendToDescendants(this, message == WM_SIZE ? kParentResizedMessage : kParentMovedMessage, wparam);
      return answer;
    }
    case WM_ERASEBKGND:
      return EndErase(wparam, lparam);
    case WM_HSCROLL:
    case WM_VSCROLL:
      return OnScrollMessage(message, wparam, lparam);
    case kModalStartMessage:
      return 0;
    case WM_ENTERSIZEMOVE:
      m_inSizeMove = true;
      return DefaultWindowProc(message, wparam, lparam);
    case WM_EXITSIZEMOVE:
      m_inSizeMove = false;
      RedrawWindow(m_hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
      return DefaultWindowProc(message, wparam, lparam);
    case kCreatedMessage:
      return m_previousProc ? DefaultWindowProc(message, wparam, lparam) : 0;
    case kModalOkMessage:
    case kModalCancelMessage:
      EndModal(message == kModalOkMessage ? 0 : -1);
      return DefaultWindowProc(message, wparam, lparam);
    case WM_DROPFILES:
      // The paths went out as kFilesDroppedMessage; the drop handle is ours
      // to release unless a control of its own takes the drop.
      if (m_previousProc) return DefaultWindowProc(message, wparam, lparam);
      DragFinish(reinterpret_cast<HDROP>(wparam));
      return 0;
    case WM_MENUCOMMAND:
      // The owner may be deleted by the report: nothing of it is touched after.
      if (SMenu::ReportCommand(m_hwnd, wparam, lparam)) return 0;
      return DefaultWindowProc(message, wparam, lparam);
    default:
      return DefaultWindowProc(message, wparam, lparam);
  }
}
