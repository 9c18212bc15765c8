// Scrolling: a window's own scroll bars and its scroll-bar and slider
// children. Positions move by the window's line and page steps and snap
// down to its snap unit; a scroll-bar child that moved, and any slider
// child, report to the window as ControlNotifyMessages.
#include "window/ControlNotify.h"
#include "window/SWnd.h"

namespace {

enum : int { kScrollChanged = 1, kSliderChanged = 1 };

// Toward zero, as the division truncates; a unit of 0 means no snapping.
int Snap(int position, int unit) { return unit != 0 ? position - position % unit : position; }

struct ScrollSteps {
  int line, page, unit;
};

// The thumb's position of a thumb request. The message carries only its low
// 16 bits, so a bar with a range above 65535 would jump back on a drag; the
// bar's own 32-bit tracking position serves when it matches them (a request
// sent by a program rather than a drag carries the position alone).
int ThumbPosition(HWND window, int bar, WPARAM request) {
  SCROLLINFO info = {};
  info.cbSize = sizeof info;
  info.fMask = SIF_TRACKPOS;
  if (GetScrollInfo(window, bar, &info) && (UINT(info.nTrackPos) & 0xFFFF) == HIWORD(request)) return info.nTrackPos;
  return HIWORD(request);
}

int NextPosition(WPARAM request, int thumb, int current, int minimum, int maximum, const ScrollSteps& steps) {
  int position;
  switch (LOWORD(request)) {
    case SB_LINEUP:
      position = current - steps.line;
      break;
    case SB_LINEDOWN:
      position = current + steps.line;
      break;
    case SB_PAGEUP:
      position = current - steps.page;
      break;
    case SB_PAGEDOWN:
      position = current + steps.page;
      break;
    case SB_TOP:
      position = minimum;
      break;
    case SB_BOTTOM:
      position = maximum;
      break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
      position = thumb;
      break;
    default:
      position = current;
      break;
  }
  position = Snap(position, steps.unit);
  if (position < minimum) position = minimum;
  if (position > maximum) position = maximum;
  return position;
}

}  // namespace

void SWnd::SetHorzScrollPos(int position) { SetScrollPos(m_hwnd, SB_HORZ, Snap(position, m_snapX), TRUE); }

void SWnd::SetVertScrollPos(int position) { SetScrollPos(m_hwnd, SB_VERT, Snap(position, m_snapY), TRUE); }

void SWnd::ScrollPageUp() { SetVertScrollPos(GetScrollPos(m_hwnd, SB_VERT) - m_pageStepY); }

void SWnd::ScrollPageDown() { SetVertScrollPos(GetScrollPos(m_hwnd, SB_VERT) + m_pageStepY); }

LRESULT SWnd::OnScrollMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  bool horizontal = message == WM_HSCROLL;
  ScrollSteps steps = horizontal ? ScrollSteps{m_lineStepX, m_pageStepX, m_snapX}
                                 : ScrollSteps{m_lineStepY, m_pageStepY, m_snapY};
  HWND control = reinterpret_cast<HWND>(lparam);
  if (control) {
    SWnd* child = FindWindowObject(control);
    if (child && child->GetType() == kWindowScroll) {
      int current = int(::SendMessageA(control, SBM_GETPOS, 0, 0));
      int minimum = 0, maximum = 0;
      ::SendMessageA(control, SBM_GETRANGE, reinterpret_cast<WPARAM>(&minimum), reinterpret_cast<LPARAM>(&maximum));
      int position = NextPosition(wparam, ThumbPosition(control, SB_CTL, wparam), current, minimum, maximum, steps);
      if (position != current) {
        ::SendMessageA(control, SBM_SETPOS, position, TRUE);
        SendToSelf(ControlNotifyMessage(kControlClassScroll, kScrollChanged), reinterpret_cast<WPARAM>(child), 0);
      }
      return 0;
    }
    if (child && child->GetType() == kWindowSlider) {
      if (!SendToSelf(ControlNotifyMessage(kControlClassSlider, kSliderChanged), reinterpret_cast<WPARAM>(child), 0))
        return 0;
    }
    return DefaultWindowProc(message, wparam, lparam);
  }
  if (m_previousProc) return DefaultWindowProc(message, wparam, lparam);

  int bar = horizontal ? SB_HORZ : SB_VERT;
  int current = GetScrollPos(m_hwnd, bar);
  int minimum = 0, maximum = 0;
  GetScrollRange(m_hwnd, bar, &minimum, &maximum);
  int position = NextPosition(wparam, ThumbPosition(m_hwnd, bar, wparam), current, minimum, maximum, steps);
  if (position != current) {
    if (horizontal)
      SetHorzScrollPos(position);
    else
      SetVertScrollPos(position);
    WPARAM positions = (WPARAM(UINT(position)) << 16) | (UINT(current) & 0xFFFF);
    SendToSelf(horizontal ? kScrolledHorzMessage : kScrolledVertMessage, positions, 0);
  }
  return 0;
}
