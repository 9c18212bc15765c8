// SWnd's non-client zones: hot rectangles of the frame (custom title bars,
// the docking layout's bars) that report the mouse entering, moving in and
// leaving them through three virtual hooks. Only while zones are enabled.
#include "window/SWnd.h"
#include "window/SWndLifeGuard.h"

int SWnd::HitTestZone(int x, int y) const {
  POINT point = {x, y};
  for (int i = 0; i < m_zones.GetCount(); i++) {
    RECT zone = m_zones.GetAt(i);
    if (PtInRect(&zone, point)) return i;
  }
  return -1;
}

const RECT* SWnd::GetZone(int index) const {
  return index >= 0 && index < m_zones.GetCount() ? m_zones.GetPtr(index) : nullptr;
}

// A copy of the zone, since a hook may change the list.
void SWnd::CallZoneHook(void (SWnd::*hook)(const RECT*, int, int, int), int index, POINT point) {
  const RECT* zone = GetZone(index);
  RECT copy = zone ? *zone : RECT{};
  (this->*hook)(zone ? &copy : nullptr, point.x, point.y, zone ? index : -1);
}

bool SWnd::OnZoneMouseMove(LPARAM screenPoint) {
  if (!m_zonesEnabled) return true;
  RECT window;
  ::GetWindowRect(m_hwnd, &window);
  POINT p = {short(LOWORD(screenPoint)) - window.left, short(HIWORD(screenPoint)) - window.top};
  int current = HitTestZone(p.x, p.y);
  int entered = m_currentZone;
  SWndLifeGuard guard(this);
  if (entered != -2 && current == entered) {
    CallZoneHook(&SWnd::OnZoneMove, current, p);
  } else {
    if (entered != -2) CallZoneHook(&SWnd::OnZoneLeave, entered, p);
    if (!guard.IsAlive()) return false;
    CallZoneHook(&SWnd::OnZoneEnter, current, p);
    if (!guard.IsAlive()) return false;
    m_currentZone = current;
  }
  if (!guard.IsAlive()) return false;
  TRACKMOUSEEVENT track = {sizeof track, TME_LEAVE | TME_NONCLIENT, m_hwnd, 0};
  TrackMouseEvent(&track);
  return true;
}

bool SWnd::OnZoneMouseLeave() {
  if (!m_zonesEnabled) return true;
  RECT window;
  POINT p = {0, 0};
  ::GetCursorPos(&p);
  ::GetWindowRect(m_hwnd, &window);
  p.x -= window.left;
  p.y -= window.top;
  int left = m_currentZone;
  SWndLifeGuard guard(this);
  CallZoneHook(&SWnd::OnZoneLeave, left, p);
  if (!guard.IsAlive()) return false;
  m_currentZone = -2;
  return true;
}
