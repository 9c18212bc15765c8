#include "window/controls/SStaticCtrl.h"

#include "window/FrameworkMessage.h"
#include "window/controls/ControlWindow.h"

SStaticCtrl::SStaticCtrl() : m_edgeType(0), m_borderFlags(0) { m_windowType = kWindowStatic; }

bool SStaticCtrl::Create(DWORD style, DWORD exStyle, const RECT* rect, HWND parent, int id, void* creationData) {
  return CreateControlWindow(*this, "STATIC", SS_OWNERDRAW, "", style, exStyle, rect, parent, id, creationData);
}

void SStaticCtrl::SetEdge(int type) { m_edgeType = type >= 1 && type <= 10 && type != 3 && type != 7 ? type : 0; }

void SStaticCtrl::DrawFrame(HDC dc) {
  if (m_edgeType == 0 || m_borderFlags == 0) return;
  RECT client;
  if (!::GetClientRect(GetHwnd(), &client)) return;
  DrawEdge(dc, &client, UINT(m_edgeType), UINT(m_borderFlags));
}

LRESULT SStaticCtrl::WindowProc(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_ERASEBKGND:
      // lparam is the memory DC that holds the framework's background.
      if (lparam) DrawFrame(reinterpret_cast<HDC>(lparam));
      break;
    case WM_PRINTCLIENT: {
      HDC dc = reinterpret_cast<HDC>(wparam);
      PaintBackground(dc, dc);
      DrawFrame(dc);
      break;
    }
    case kCreatedMessage:
      m_eraseWhenSubclassed = true;
      SWnd::SetBackColor(GetSysColor(COLOR_BTNFACE));
      break;
  }
  return SWnd::WindowProc(message, wparam, lparam);
}
