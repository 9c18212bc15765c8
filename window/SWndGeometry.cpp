// SWnd geometry: outer and client sizes, the frame around the client area,
// placing and centring, the work-area fit of popups, the menu bar that
// keeps the client height, and the size limits.
//
// SetWindowPos flags used below, by what they leave alone:
//   kSizeOnly   no move, no z-order, no activation, no owner z-order
//   kResize     the same, with the frame recomputed
//   kMoveOnly   no size, no z-order, no activation, no owner z-order
#include <windows.h>

#include "window/SWnd.h"

namespace {

const UINT kSizeOnly = SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER;  // 0x216
const UINT kResize = kSizeOnly | SWP_FRAMECHANGED;                                    // 0x236
const UINT kMoveOnly = SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER;  // 0x215

// The client-area margins are measured on a client rectangle of this side.
const int kReferenceSide = 1000;

}  // namespace

// ==== Reading sizes ==============================================================================

bool SWnd::GetWindowRect(RECT* rect) const { return ::GetWindowRect(m_hwnd, rect) != 0; }

bool SWnd::GetClientRect(RECT* rect) const { return ::GetClientRect(m_hwnd, rect) != 0; }

int SWnd::GetWidth() const {
  RECT rect;
  return GetWindowRect(&rect) ? rect.right - rect.left : 0;
}

int SWnd::GetHeight() const {
  RECT rect;
  return GetWindowRect(&rect) ? rect.bottom - rect.top : 0;
}

int SWnd::GetClientWidth() const {
  RECT rect;
  return GetClientRect(&rect) ? rect.right : 0;
}

int SWnd::GetClientHeight() const {
  RECT rect;
  return GetClientRect(&rect) ? rect.bottom : 0;
}

bool SWnd::GetClientRectInWindow(RECT* rect) const {
  RECT window;
  if (!GetWindowRect(&window) || !GetClientRect(rect) || !ClientToScreenRect(rect)) return false;
  OffsetRect(rect, -window.left, -window.top);
  return true;
}

bool SWnd::GetFrameSizes(int* left, int* top, int* right, int* bottom) const {
  RECT client;
  if (!GetClientRectInWindow(&client)) {
    *left = *top = *right = *bottom = 0;
    return false;
  }
  *left = client.left;
  *top = client.top;
  *right = GetWidth() - client.right;
  *bottom = GetHeight() - client.bottom;
  if (*right < 0) *right = 0;
  if (*bottom < 0) *bottom = 0;
  return true;
}

void SWnd::GetNonClientMargins(int* left, int* top, int* right, int* bottom) const {
  DWORD style = DWORD(GetStyle());
  DWORD exStyle = DWORD(GetExStyle());
  // Only a plain window's menu counts: other types hold no menu bar of
  // their own, and a child's "menu" is its id.
  bool menu = m_windowType == kWindowPlain && m_hwnd && IsMenu(GetMenu(m_hwnd));
  RECT adjusted = {0, 0, kReferenceSide, kReferenceSide};
  AdjustWindowRectEx(&adjusted, style, menu, exStyle);

  // AdjustWindowRectEx leaves the scroll bars out: they take their room
  // from inside the window rectangle, at the side the style puts them.
  int leftReference = 0, rightReference = kReferenceSide;
  int bottomReference = (style & WS_HSCROLL) ? kReferenceSide - GetSystemMetrics(SM_CYHSCROLL) : kReferenceSide;
  if (style & WS_VSCROLL) {
    if (exStyle & WS_EX_LEFTSCROLLBAR)
      leftReference = GetSystemMetrics(SM_CXVSCROLL);
    else
      rightReference = kReferenceSide - GetSystemMetrics(SM_CXVSCROLL);
  }
  *left = leftReference - adjusted.left;
  *top = -adjusted.top;
  *right = adjusted.right - rightReference;
  *bottom = adjusted.bottom - bottomReference;
}

bool SWnd::GetClientRectWithoutBars(RECT* rect) const {
  if (!GetClientRect(rect)) return false;
  SArray<SWnd*> controlBars, statusBars;
  GetChildren(controlBars, nullptr, false, kWindowControlBar);
  GetChildren(statusBars, nullptr, false, kWindowStatusBar);
  if (controlBars.GetCount() == 0 && statusBars.GetCount() == 0) return true;
  int top = rect->top;
  for (int i = 0; i < controlBars.GetCount(); i++) {
    int height = controlBars.GetAt(i)->GetHeight();
    if (height > top) top = height;
  }
  int bottom = rect->bottom;
  for (int i = 0; i < statusBars.GetCount(); i++) {
    int above = rect->bottom - statusBars.GetAt(i)->GetHeight();
    if (above < bottom) bottom = above;
  }
  rect->top = top;
  rect->bottom = bottom;
  return true;
}

// ==== Placing and sizing ===========================================================================

bool SWnd::SetSize(int width, int height) { return SetWindowPos(nullptr, 0, 0, width, height, kResize); }

bool SWnd::SetWidth(int width) { return SetSize(width, GetHeight()); }

bool SWnd::SetHeight(int height) { return SetSize(GetWidth(), height); }

namespace {

// The outer size for a client size; a dimension not given keeps its outer value.
bool SizeForClient(SWnd& window, const int* width, const int* height) {
  int left, top, right, bottom;
  window.GetNonClientMargins(&left, &top, &right, &bottom);
  int outerWidth = width ? *width + left + right : window.GetWidth();
  int outerHeight = height ? *height + top + bottom : window.GetHeight();
  return window.SetWindowPos(nullptr, 0, 0, outerWidth, outerHeight, kSizeOnly);
}

}  // namespace

bool SWnd::SetClientSize(int width, int height) { return SizeForClient(*this, &width, &height); }

bool SWnd::SetClientWidth(int width) { return SizeForClient(*this, &width, nullptr); }

bool SWnd::SetClientHeight(int height) { return SizeForClient(*this, nullptr, &height); }

bool SWnd::SetPosition(int x, int y) { return SetWindowPos(nullptr, x, y, 0, 0, kMoveOnly); }

bool SWnd::Move(int x, int y, int width, int height, bool repaint) {
  return MoveWindow(m_hwnd, x, y, width, height, repaint) != 0;
}

bool SWnd::MoveToRect(const RECT& rect, bool repaint) {
  return Move(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, repaint);
}

bool SWnd::SetWindowPos(HWND insertAfter, int x, int y, int width, int height, UINT flags) {
  return ::SetWindowPos(m_hwnd, insertAfter, x, y, width, height, flags) != 0;
}

bool SWnd::ClientToScreen(POINT* point) const { return ::ClientToScreen(m_hwnd, point) != 0; }

bool SWnd::ScreenToClient(POINT* point) const { return ::ScreenToClient(m_hwnd, point) != 0; }

bool SWnd::ClientToScreenRect(RECT* rect) const {
  POINT* corners = reinterpret_cast<POINT*>(rect);
  return ClientToScreen(&corners[0]) && ClientToScreen(&corners[1]);
}

bool SWnd::ScreenToClientRect(RECT* rect) const {
  POINT* corners = reinterpret_cast<POINT*>(rect);
  return ScreenToClient(&corners[0]) && ScreenToClient(&corners[1]);
}

bool SWnd::CenterWindow(bool onParent) {
  HWND parent = GetParent();
  RECT target = m_workArea;
  if (onParent && parent) ::GetWindowRect(parent, &target);
  POINT position = {(target.left + target.right) / 2 - GetWidth() / 2,
                    (target.top + target.bottom) / 2 - GetHeight() / 2};
  // A child is placed in its parent's client coordinates.
  if (parent && !IsPopup()) ::ScreenToClient(parent, &position);
  return SetPosition(position.x, position.y);
}

namespace {

// Shifts a span back inside an area, past its end first, so that a span
// longer than the area keeps its start in it.
void ShiftInto(LONG* start, LONG* end, LONG areaStart, LONG areaEnd) {
  LONG length = *end - *start;
  if (*end > areaEnd) {
    *end = areaEnd;
    *start = *end - length;
  }
  if (*start < areaStart) {
    *start = areaStart;
    *end = *start + length;
  }
}

}  // namespace

bool SWnd::FitToWorkArea(const RECT* bounds, const RECT* rect, int maxWidth, int lineHeight) {
  if (!IsPopup()) return false;
  RECT area;
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
  if (bounds) {
    if (bounds->left > area.left) area.left = bounds->left;
    if (bounds->top > area.top) area.top = bounds->top;
    if (bounds->right < area.right) area.right = bounds->right;
    if (bounds->bottom < area.bottom) area.bottom = bounds->bottom;
    // Bounds that miss the work area leave nothing to fit into; a window
    // narrowed below nothing would get a negative width.
    if (area.right < area.left || area.bottom < area.top) return false;
  }
  RECT current;
  if (!GetWindowRect(&current)) return false;
  RECT fit = rect ? *rect : current;
  int width = fit.right - fit.left;

  int available = area.right - area.left;
  if (maxWidth >= 0 && maxWidth < available) available = maxWidth;
  if (lineHeight < 0) lineHeight = fit.bottom - fit.top;
  // Narrowed, the text wraps: one more line of room below.
  if (width > available) {
    fit.right = fit.left + available;
    if (available != 0) fit.bottom += lineHeight;
  }

  ShiftInto(&fit.left, &fit.right, area.left, area.right);
  ShiftInto(&fit.top, &fit.bottom, area.top, area.bottom);
  if (EqualRect(&fit, &current)) return false;
  return MoveToRect(fit, true);
}

bool SWnd::SetMenu(HMENU menu, bool keepClientHeight) {
  int clientHeight = GetClientHeight();
  if (!::SetMenu(m_hwnd, menu)) return false;
  if (keepClientHeight) SetClientHeight(clientHeight);
  return true;
}

// ==== Size limits ====================================================================================

namespace {

// A limit of one kind replaces the limit of the other kind.
void SetLimit(int32_t* width, int32_t* height, int32_t* otherWidth, int32_t* otherHeight, int newWidth,
              int newHeight) {
  *width = newWidth;
  *height = newHeight;
  *otherWidth = *otherHeight = -1;
}

// The outer limit, or the client limit with the frame around it when that
// is set; negative: no limit.
int TrackLimit(int outer, int client, int frame) { return client >= 0 ? client + frame : outer; }

void WriteLimit(LONG* target, int limit) {
  if (limit >= 0) *target = limit;
}

}  // namespace

void SWnd::SetMinTrackSize(int width, int height) {
  SetLimit(&m_minTrackWidth, &m_minTrackHeight, &m_minClientWidth, &m_minClientHeight, width, height);
}

void SWnd::SetMaxTrackSize(int width, int height) {
  SetLimit(&m_maxTrackWidth, &m_maxTrackHeight, &m_maxClientWidth, &m_maxClientHeight, width, height);
}

void SWnd::SetMinClientSize(int width, int height) {
  SetLimit(&m_minClientWidth, &m_minClientHeight, &m_minTrackWidth, &m_minTrackHeight, width, height);
}

void SWnd::SetMaxClientSize(int width, int height) {
  SetLimit(&m_maxClientWidth, &m_maxClientHeight, &m_maxTrackWidth, &m_maxTrackHeight, width, height);
}

void SWnd::OnGetMinMaxInfoMessage(MINMAXINFO* info) const {
  int left, top, right, bottom;
  GetFrameSizes(&left, &top, &right, &bottom);
  WriteLimit(&info->ptMinTrackSize.x, TrackLimit(m_minTrackWidth, m_minClientWidth, left + right));
  WriteLimit(&info->ptMinTrackSize.y, TrackLimit(m_minTrackHeight, m_minClientHeight, top + bottom));
  WriteLimit(&info->ptMaxTrackSize.x, TrackLimit(m_maxTrackWidth, m_maxClientWidth, left + right));
  WriteLimit(&info->ptMaxTrackSize.y, TrackLimit(m_maxTrackHeight, m_maxClientHeight, top + bottom));
}
