// STrayIcon: one icon with a tool tip in the taskbar's notification area.
//
// The icon is a hidden popup window of its own, which receives the shell's
// callbacks (kTrayIconMessage) and reports mouse actions on the icon to its
// owner window as control mouse events, a click report after each release.
// The tool tip is the window's text, cut to what the shell shows.
#pragma once

#include <windows.h>

#include <shellapi.h>

#include "window/SWnd.h"

class STrayIcon : public SWnd {
 public:
  // The icon's id among those of its window.
  static constexpr UINT kIconId = 100;
  // The longest tip kept, in characters.
  static constexpr int kMaxTip = 63;

  STrayIcon();
  // Removes the icon from the notification area when it is there.
  ~STrayIcon() override;

  // Creates the hidden window, owned by owner, with a copy of the icon (may
  // be null) and the tip (may be null); shows the icon when asked. False
  // without an owner or when the window cannot be made.
  bool Create(HWND owner, HICON icon, const char* tip, bool show);
  // Replaces the icon by a copy of this one (null: none).
  void SetIcon(HICON icon);
  // Adds the icon to the notification area or removes it; nothing when it
  // already is as asked, or without a window.
  void Show(bool show);
  bool IsShown() const { return m_shown; }
  const char* GetTip() const { return m_data.szTip; }

  LRESULT WindowProc(UINT message, WPARAM wparam, LPARAM lparam) override;

 private:
  bool Notify(DWORD action, UINT flags);
  void RemoveIcon();
  // A shell callback carrying a mouse message: the report to the owner,
  // then the click after a release.
  void ReportMouse(UINT mouseMessage);
  void SendReport(HWND target, int32_t code);

  NOTIFYICONDATAA m_data;  // the first NOTIFYICONDATAA_V2_SIZE bytes are used
  bool m_shown;
};
