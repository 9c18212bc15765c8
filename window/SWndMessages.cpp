// SWnd::OnMessage: the handling that every framework window shares,
// whatever its class, before (or instead of) its class's WindowProc.
//
// A handler reached from here may delete this window object: after a
// message is sent to this window or to another, the code below touches the
// object only when a guard says it survived. Keys, mouse clicks, the erase
// and scrolling have files of their own.
#include "window/SWnd.h"

#include <commctrl.h>
#include <shellapi.h>

#include "core/SStringArray.h"
#include "files/SDisk.h"
#include "window/ControlNotify.h"
#include "window/Framework.h"
#include "window/FrameworkMessage.h"
#include "window/FrameworkWindowClasses.h"
#include "window/SCursor.h"
#include "window/SMenu.h"
#include "window/SWnd.h"
#include "window/SWndLifeGuard.h"
#include "window/controls/SListCtrl.h"

namespace {

// Far outside any window: a caret whose position was never set stays
// invisible until it is.
const int kHiddenCaretPosition = -182;

}  // namespace

bool SWnd::OnMessage(UINT message, WPARAM* wparam, LPARAM* lparam, LRESULT* result) {
  switch (message) {
    case WM_DESTROY:
      EndModal(-1);
      DestroyCaret();
      DetachMenuBar();
      return true;
    case WM_SIZE:
      return OnSizeMessage(*wparam);
    case WM_SETFOCUS:
      return OnSetFocusMessage(*wparam);
    case WM_KILLFOCUS:
      ClearClickTracking();
      if (m_caretEnabled && m_caretCreated) {
        ::DestroyCaret();
        m_caretCreated = false;
      }
      return true;
    case WM_CLOSE:
      return OnCloseMessage();
    case WM_ERASEBKGND:
      return BeginErase(wparam, lparam);
    case WM_SETCURSOR:
      return OnSetCursorMessage(result);
    case WM_GETMINMAXINFO:
      OnGetMinMaxInfoMessage(reinterpret_cast<MINMAXINFO*>(*lparam));
      return true;
    // Owner-drawn menu items and list-box items: only records the framework
    // made are read.
    case WM_MEASUREITEM: {
      auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(*lparam);
      if (measure->CtlType == ODT_MENU ? SMenu::MeasureOwnerDrawn(measure) : MeasureListItem(measure)) {
        *result = TRUE;
        return false;
      }
      return true;
    }
    case WM_DRAWITEM: {
      auto* draw = reinterpret_cast<DRAWITEMSTRUCT*>(*lparam);
      if (draw->CtlType == ODT_MENU ? SMenu::DrawOwnerDrawn(draw) : DrawListItem(draw)) {
        *result = TRUE;
        return false;
      }
      return true;
    }
    case WM_SETFONT:
      m_font = reinterpret_cast<HFONT>(*wparam);
      return true;
    case WM_GETFONT: {
      // The class still sees the question; the answer is the font it was given.
      SWndLifeGuard guard(this);
      WindowProc(message, *wparam, *lparam);
      if (guard.IsAlive()) *result = reinterpret_cast<LRESULT>(m_font);
      return false;
    }
    case WM_NOTIFY:
      return OnNotifyMessage(reinterpret_cast<NMHDR*>(*lparam), result);
    case WM_STYLECHANGED:
      return OnStyleChangedMessage();
    case WM_NCMOUSEMOVE:
    case WM_NCLBUTTONDOWN:
    case WM_NCMBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
    case WM_NCLBUTTONUP:
    case WM_NCMBUTTONUP:
    case WM_NCRBUTTONUP:
      return OnNonClientMouseMessage(message, *lparam);
    case WM_KEYDOWN:
      return OnKeyDownMessage(*wparam);
    case WM_CHAR:
      // An edit control that is not multi-line would only beep at a Tab.
      return !(*wparam == '\t' && m_windowType == kWindowEdit);
    case WM_SYSKEYDOWN:
      return OnSysKeyDownMessage(*wparam);
    case WM_COMMAND:
      if (SWnd* child = FindWindowObject(reinterpret_cast<HWND>(*lparam)))
        return TranslateControlCommand(this, child, HIWORD(*wparam));
      return true;
    case WM_INITMENUPOPUP:
      ::SetCursor(GetStandardCursor(kCursorArrow));
      return true;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
      return OnCtlColorMessage(message, *wparam, *lparam, result);
    case WM_MOUSEMOVE:
      return OnMouseMoveMessage(*wparam, *lparam);
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
      return OnButtonMessage(message, *wparam, *lparam);
    case WM_DROPFILES:
      return OnDropFilesMessage(*wparam);
    case WM_MOUSELEAVE:
      return OnZoneMouseLeave() && SendToSelf(kMouseLeaveMessage, 0, 0);
    case WM_NCMOUSELEAVE:
      return OnZoneMouseLeave();
    case WM_CAPTURECHANGED:
      // Whoever took the capture, a window drag cannot follow the mouse any more.
      return reinterpret_cast<HWND>(*lparam) == m_hwnd || EndDrag();
    case kTransferStartMessage:
    case kTransferChunkMessage:
    case kTransferEndMessage:
    case kStringDeliveredMessage:
      return OnTransferMessage(message, *wparam, *lparam, result);
    case kCreatedMessage:
      return OnCreatedMessage();
    case kParentResizedMessage:
      return OnParentResizedMessage();
    case kMouseEnterMessage:
      if (m_buttonMode) SetButtonSkinState(true, m_pressed && (*wparam & MK_LBUTTON));
      return true;
    case kMouseLeaveMessage:
      if (m_buttonMode) SetButtonSkinState(false, m_pressed);
      return true;
  }
  return true;
}

bool SWnd::SendToSelf(UINT message, WPARAM wparam, LPARAM lparam, LRESULT* answer) {
  SWndLifeGuard guard(this);
  LRESULT result = ::SendMessageA(m_hwnd, message, wparam, lparam);
  if (answer) *answer = result;
  return guard.IsAlive();
}

bool SWnd::OnSizeMessage(WPARAM kind) {
  UINT event = 0;
  if (kind == SIZE_MINIMIZED) {
    m_restored = false;
    event = kMinimizedMessage;
  } else if (kind == SIZE_MAXIMIZED) {
    m_restored = false;
    event = kMaximizedMessage;
  } else if (kind == SIZE_RESTORED && !m_restored) {
    m_restored = true;
    event = kRestoredMessage;
  }
  return event == 0 || SendToSelf(event, 0, 0);
}

bool SWnd::OnSetFocusMessage(WPARAM previous) {
  if (m_refuseNextFocus) {
    m_refuseNextFocus = false;
    ::SetFocus(reinterpret_cast<HWND>(previous));
    return false;
  }
  // The system has one caret per thread: it follows the focus.
  if (m_caretEnabled) {
    if (m_caretCreated) ::DestroyCaret();
    ::CreateCaret(m_hwnd, nullptr, m_caretWidth, m_caretHeight);
    if (m_caretPositionSet)
      SetCaretPos(m_caretX, m_caretY);
    else
      SetCaretPos(kHiddenCaretPosition, kHiddenCaretPosition);
    ShowCaret(m_hwnd);
    m_caretCreated = true;
  }
  return true;
}

// A modal window is not destroyed by its close box: its run ends as
// cancelled and it only hides, for its owner to read it and delete it.
bool SWnd::OnCloseMessage() {
  if (!m_modalRunning) return true;
  SWndLifeGuard guard(this);
  WindowProcedure(m_hwnd, kModalCancelMessage, 0, 0);
  if (!guard.IsAlive()) return false;
  // Enabled before this window hides, so that the activation goes back to
  // the application rather than to another program.
  if (HWND outermost = GetOutermostPopupAncestor(true)) EnableWindow(outermost, TRUE);
  ShowWindow(m_hwnd, SW_HIDE);
  return false;
}

bool SWnd::OnSetCursorMessage(LRESULT* result) {
  if (!m_cursorVisible) {
    ::SetCursor(nullptr);
    return false;
  }
  if (m_cursor) {
    *result = 1;
    ::SetCursor(m_cursor);
    return false;
  }
  return true;  // the class cursor
}

bool SWnd::OnNotifyMessage(NMHDR* header, LRESULT* result) {
  if (!header) return true;
  if (header->code == TTN_GETDISPINFOA) {
    ::SendMessageA(header->hwndFrom, TTM_SETMAXTIPWIDTH, 0, 300);
    reinterpret_cast<NMTTDISPINFOA*>(header)->lpszText = const_cast<char*>(m_toolTipText.GetText());
    return false;
  }
  SWnd* child = FindWindowObject(header->hwndFrom);
  if (!child) return true;
  return TranslateControlNotify(this, child, header, result);
}

bool SWnd::OnStyleChangedMessage() {
  ComputeFrameFlags(DWORD(GetStyle()), DWORD(GetExStyle()));
  return true;
}

bool SWnd::OnCtlColorMessage(UINT message, WPARAM dc, LPARAM child, LRESULT* result) {
  SWnd* control = FindWindowObject(reinterpret_cast<HWND>(child));
  if (!control) return true;
  HDC context = reinterpret_cast<HDC>(dc);
  HBRUSH brush = nullptr;
  switch (message) {
    case WM_CTLCOLOREDIT:
      brush = control->OnCtlColorEdit(context);
      break;
    case WM_CTLCOLORLISTBOX:
      brush = control->OnCtlColorListBox(context);
      break;
    case WM_CTLCOLORBTN:
      brush = control->OnCtlColorBtn(context);
      break;
    case WM_CTLCOLORDLG:
      brush = control->OnCtlColorDlg(context);
      break;
    case WM_CTLCOLORSCROLLBAR:
      brush = control->OnCtlColorScrollBar(context);
      break;
    case WM_CTLCOLORSTATIC:
      brush = control->OnCtlColorStatic(context);
      break;
  }
  if (!brush) return true;
  *result = reinterpret_cast<LRESULT>(brush);
  return false;
}

bool SWnd::OnDropFilesMessage(WPARAM drop) {
  HDROP files = reinterpret_cast<HDROP>(drop);
  UINT count = DragQueryFileA(files, 0xFFFFFFFF, nullptr, 0);
  SStringArray paths;
  SDisk disk;
  char buffer[MAX_PATH];
  for (UINT i = 0; i < count; i++) {
    if (!DragQueryFileA(files, i, buffer, sizeof buffer)) buffer[0] = 0;
    SString path(buffer);
    // A folder is told apart from a file by its final backslash.
    if (buffer[0] && disk.FolderExists(buffer)) path += "\\";
    paths.Add(path.GetText());
  }
  return SendToSelf(kFilesDroppedMessage, reinterpret_cast<WPARAM>(&paths), 0);
}

bool SWnd::OnCreatedMessage() {
  m_eraseDepth = 0;
  if (m_windowType == kWindowPlain) SetBackColor(GetSysColor(COLOR_BTNFACE));
  if (!SendToSelf(WM_SETFONT, reinterpret_cast<WPARAM>(GetDefaultFont()), IsWindowVisible(m_hwnd))) return false;
  m_cursorVisible = true;
  m_cursor = nullptr;
  m_restored = !IsIconic(m_hwnd) && !IsZoomed(m_hwnd);
  m_refuseNextFocus = false;
  return true;
}

void SWnd::SetButtonSkinState(bool hover, bool pressed) {
  m_hover = hover;
  m_pressed = pressed;
  RedrawWindow(m_hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}
