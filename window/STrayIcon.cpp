#include "window/STrayIcon.h"

#include <cstring>

#include "window/ControlNotify.h"
#include "window/FrameworkMessage.h"
#include "window/Framework.h"
#include "window/FrameworkWindowClasses.h"

// The record's size as Windows XP's shell accepts it; the full size of
// newer headers is refused there.
static_assert(NOTIFYICONDATAA_V2_SIZE == 488, "the version 2 notify record is 488 bytes");

STrayIcon::STrayIcon() : m_shown(false) {
  m_windowType = kWindowTrayIcon;
  std::memset(&m_data, 0, sizeof m_data);
  m_data.cbSize = NOTIFYICONDATAA_V2_SIZE;
}

STrayIcon::~STrayIcon() {
  // The base destructor destroys the window, but no longer through this
  // class's procedure: the icon goes here.
  RemoveIcon();
  if (m_data.hIcon) DestroyIcon(m_data.hIcon);
  m_data.hIcon = nullptr;
}

bool STrayIcon::Notify(DWORD action, UINT flags) {
  m_data.uFlags = flags;
  return Shell_NotifyIconA(action, &m_data) != FALSE;
}

void STrayIcon::RemoveIcon() {
  if (m_shown && Notify(NIM_DELETE, 0)) m_shown = false;
}

bool STrayIcon::Create(HWND owner, HICON icon, const char* tip, bool show) {
  if (!owner) return false;
  if (!SWnd::Create(WS_POPUP, "", 0, nullptr, owner, nullptr, nullptr, GetInstanceHandle(), false)) return false;
  m_data.hWnd = m_hwnd;
  m_data.uID = kIconId;
  m_data.uCallbackMessage = kTrayIconMessage;
  m_data.szTip[0] = 0;
  m_shown = false;
  if (icon) SetIcon(icon);
  if (tip) SetText(tip);
  if (show) m_shown = Notify(NIM_ADD, NIF_MESSAGE | NIF_ICON | NIF_TIP);
  return true;
}

void STrayIcon::SetIcon(HICON icon) {
  if (!m_hwnd) return;
  if (m_data.hIcon) DestroyIcon(m_data.hIcon);
  m_data.hIcon = icon ? CopyIcon(icon) : nullptr;
  if (m_shown) Notify(NIM_MODIFY, NIF_ICON);
}

void STrayIcon::Show(bool show) {
  if (!m_hwnd) return;
  if (show && !m_shown)
    m_shown = Notify(NIM_ADD, NIF_MESSAGE | NIF_ICON | NIF_TIP);
  else if (!show)
    RemoveIcon();
}

LRESULT STrayIcon::WindowProc(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_DESTROY:
      RemoveIcon();
      break;
    case WM_SETTEXT: {
      const char* text = reinterpret_cast<const char*>(lparam);
      lstrcpynA(m_data.szTip, text ? text : "", kMaxTip + 1);
      if (m_shown) Notify(NIM_MODIFY, NIF_TIP);
      break;
    }
    case kTrayIconMessage:
      if (lparam >= WM_LBUTTONDOWN && lparam <= WM_MBUTTONDBLCLK) ReportMouse(UINT(lparam));
      return 1;
  }
  return SWnd::WindowProc(message, wparam, lparam);
}

void STrayIcon::ReportMouse(UINT mouseMessage) {
  HWND target = ::GetParent(m_hwnd);
  if (!target) return;
  SendReport(target, MouseEventCodeFor(mouseMessage));
  UINT click = mouseMessage == WM_LBUTTONUP   ? kLeftClickMessage
               : mouseMessage == WM_RBUTTONUP ? kRightClickMessage
               : mouseMessage == WM_MBUTTONUP ? kMiddleClickMessage
                                              : 0;
  if (click) SendReport(target, MouseEventCodeFor(click));
}

void STrayIcon::SendReport(HWND target, int32_t code) {
  ControlMouseRecord record = {};
  record.code = code;
  POINT point;
  ::GetCursorPos(&point);
  record.x = point.x;
  record.y = point.y;
  ::ClientToScreen(m_hwnd, &point);
  record.screenX = point.x;
  record.screenY = point.y;
  WindowProcedure(target, ControlNotifyMessage(kControlClassTrayIcon, 0), reinterpret_cast<WPARAM>(this),
                  reinterpret_cast<LPARAM>(&record));
}
