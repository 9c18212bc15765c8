#include "window/controls/ControlWindow.h"

#include "window/ControlNotify.h"
#include "window/Framework.h"
#include "window/FrameworkWindowClasses.h"
#include "window/SWnd.h"
#include "window/SWndLifeGuard.h"

bool CreateControlWindow(SWnd& control, const char* className, DWORD classBits, const char* text, DWORD style,
                         DWORD exStyle, const RECT* rect, HWND parent, int id, void* creationData) {
  if (!(style & WS_POPUP)) style |= WS_CHILD;
  style |= classBits;
  return control.CreateControl(rect, style, className, text, exStyle, parent,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), creationData,
                               GetInstanceHandle());
}

bool ReportControlMouse(SWnd& control, UINT report, UINT message, LPARAM point) {
  int32_t code = MouseEventCodeFor(message);
  if (code == 0) return true;
  HWND parent = control.GetParent();
  if (!parent) return true;
  ControlMouseRecord record = MakeControlMouseRecord(control.GetHwnd(), code, point);
  // Delivered before the control itself handles the message, bypassing the
  // queue; the parent's answer means nothing here.
  SWndLifeGuard guard(&control);
  WindowProcedure(parent, report, reinterpret_cast<WPARAM>(&control), reinterpret_cast<LPARAM>(&record));
  return guard.IsAlive();
}

LRESULT ControlWindowProc(SWnd& control, UINT report, UINT message, WPARAM wparam, LPARAM lparam) {
  if (!ReportControlMouse(control, report, message, lparam)) return 0;
  return control.SWnd::WindowProc(message, wparam, lparam);
}

HBRUSH ControlBrush::ForBackColor(uint32_t color) {
  Release();
  if (color == kColorNone) return nullptr;
  if (color == kColorParentPaints) {
    m_brush = static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
    return m_brush;
  }
  m_brush = CreateSolidBrush(color);
  return m_brush;
}

void ControlBrush::Release() {
  if (m_brush && m_brush != GetStockObject(NULL_BRUSH)) DeleteObject(m_brush);
  m_brush = nullptr;
}

HBRUSH ButtonBrush(SWnd& control, ControlBrush& brush) { return brush.ForBackColor(control.GetBackColor()); }

HBRUSH BackgroundBrush(SWnd& control, ControlBrush& brush, HDC dc) {
  uint32_t back = control.GetBackColor();
  HBRUSH answer = brush.ForBackColor(back);
  if (back == kColorParentPaints)
    SetBkMode(dc, TRANSPARENT);
  else if (back != kColorNone)
    SetBkColor(dc, back);
  return answer;
}
