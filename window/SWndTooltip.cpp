// SWnd's tooltip: one tool over the whole client area, whose text the
// window gives each time the tooltip is about to show (TTN_GETDISPINFOA in
// the shared message handling).
#include <windows.h>

#include <commctrl.h>

#include "window/Framework.h"
#include "window/FrameworkDelayLoad.h"
#include "window/SWnd.h"

namespace {

// The tool structure as version-5 common controls know it: a program
// without a manifest gets those, and they refuse the larger size that the
// headers give under newer system versions.
const UINT kToolInfoSize = TTTOOLINFOA_V2_SIZE;

}  // namespace

bool SWnd::EnableToolTip(bool enable) {
  if (!m_hwnd) return false;
  if (!enable) {
    if (m_toolTip) ::DestroyWindow(m_toolTip);
    m_toolTip = nullptr;
    return true;
  }
  HINSTANCE instance = GetInstanceHandle();
  LoadCommonControls();
  HWND tip = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                             CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, m_hwnd, nullptr, instance,
                             nullptr);
  if (!tip) return false;
  ::SetWindowPos(tip, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  TTTOOLINFOA tool = {};
  tool.cbSize = kToolInfoSize;
  tool.uFlags = TTF_SUBCLASS | TTF_TRANSPARENT;
  tool.hwnd = m_hwnd;
  tool.uId = 0;
  ::GetClientRect(m_hwnd, &tool.rect);
  tool.hinst = instance;
  tool.lpszText = LPSTR_TEXTCALLBACKA;
  ::SendMessageA(tip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
  if (m_toolTip) ::DestroyWindow(m_toolTip);
  m_toolTip = tip;
  return true;
}

void SWnd::SetToolTipText(const char* text) { m_toolTipText = text ? text : ""; }

SString SWnd::GetToolTipText() const { return m_toolTipText; }
