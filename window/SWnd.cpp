// SWnd: construction, the per-window state, destruction, and the thin
// wrappers over one system call each.
#include "window/SWnd.h"

#include <shellapi.h>

#include "window/FrameworkMessage.h"
#include "window/FrameworkWindowClasses.h"
#include "window/SWndLifeGuard.h"

// ==== Construction and the per-window state =====================================================

SWnd::SWnd()
    : m_threadId(0),
      m_previousProc(nullptr),
      m_hwnd(nullptr),
      m_windowType(kWindowPlain),
      m_controlNumber(0),
      m_name(""),
      m_scriptObject(nullptr),
      m_lineStepX(1),
      m_lineStepY(1),
      m_pageStepX(10),
      m_pageStepY(10),
      m_snapX(1),
      m_snapY(1),
      m_shortcutMask(0),
      m_skinImages(nullptr),
      m_toolTip(nullptr) {
  ResetFields();
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &m_workArea, 0);
  SetBackColor(kColorNone);
  m_transparentColor = kColorNone;
  SetRectEmpty(&m_margins);
}

void SWnd::ResetFields() {
  DestroyRemainingWindow();
  m_threadId = 0;
  m_previousProc = nullptr;
  m_eraseWhenSubclassed = false;
  m_redrawEnabled = true;

  m_minTrackWidth = GetSystemMetrics(SM_CXMIN);
  m_minTrackHeight = GetSystemMetrics(SM_CYMIN);
  m_maxTrackWidth = m_maxTrackHeight = -1;
  m_minClientWidth = m_minClientHeight = m_maxClientWidth = m_maxClientHeight = -1;
  m_hasBorder = m_hasCaption = m_moveWithMouse = false;
  m_anchorFlags = m_anchorParentWidth = m_anchorParentHeight = 0;
  SetRectEmpty(&m_anchorRect);
  m_eraseDepth = 0;
  m_eraseSavedDC = 0;
  m_font = nullptr;

  m_restored = true;
  m_refuseNextFocus = false;
  m_inSizeMove = false;
  m_notifyChanges = true;
  m_keepEnabledDuringModal = false;
  m_enterMeansOk = true;
  m_escapeMeansCancel = true;
  m_modalRunning = false;
  m_modalResult = 0;

  m_caretEnabled = m_caretCreated = m_caretPositionSet = false;
  m_caretWidth = m_caretHeight = m_caretX = m_caretY = 0;
  m_cursorVisible = true;
  m_cursor = nullptr;

  m_zonesEnabled = false;
  m_zones.RemoveAll();
  m_currentZone = -2;
  m_dragging = false;
  m_grabX = m_grabY = 0;

  delete[] m_skinImages;
  m_skinImages = nullptr;
  m_buttonMode = m_hover = m_pressed = m_checked = false;
  m_childCounter = 0;
  m_tabGroup = -1;
  m_creationIndex = 0;

  m_parentPaintsNow = false;
  if (m_toolTip) DestroyWindow(m_toolTip);
  m_toolTip = nullptr;
  m_toolTipText = "";
}

SWnd::~SWnd() {
  DestroyRemainingWindow();
  if (m_toolTip) DestroyWindow(m_toolTip);
  delete[] m_skinImages;
  // Nothing may find this object any more: not the table, not a click slot
  // (a later object at the same address would get a stranger's click), not
  // a handler's caller still on the stack.
  RemoveWindowObject(this);
  ForgetClickTracking(this);
  SWndLifeGuard::MarkDeleted(this);
}

void SWnd::DestroyRemainingWindow() {
  if (!m_hwnd) return;
  HWND window = m_hwnd;
  WNDPROC previous = m_previousProc;
  // Inside its own WM_DESTROY the window is already on its way out; a second
  // DestroyWindow there would re-enter the destruction.
  if (!SWndLifeGuard::IsHandling(this, WM_DESTROY)) {
    ShowWindow(window, SW_HIDE);
    DestroyWindow(window);  // its WM_DESTROY unregisters it and clears m_hwnd
  }
  if (m_hwnd) {
    ForgetDestroyedWindow(this, window, previous);
    m_hwnd = nullptr;
  }
}

void SWnd::ForgetDestroyedWindow(SWnd* window, HWND handle, WNDPROC previous) {
  if (window) RemoveWindowObject(window);
  if (previous && IsWindow(handle) &&
      GetWindowLongPtrA(handle, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(WindowProcedure)) {
    SetWindowLongPtrA(handle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
  }
}

void SWnd::ComputeFrameFlags(DWORD style, DWORD exStyle) {
  m_hasBorder = (style & (WS_BORDER | WS_THICKFRAME)) != 0 ||
                (exStyle & (WS_EX_WINDOWEDGE | WS_EX_CLIENTEDGE | WS_EX_STATICEDGE)) != 0;
  m_hasCaption = (style & WS_SYSMENU) != 0 && (style & WS_CAPTION) != 0;
}

// ==== Virtual defaults ==============================================================================

LRESULT SWnd::Print(HDC dc, LPARAM flags) {
  return ::SendMessageA(m_hwnd, WM_PRINT, reinterpret_cast<WPARAM>(dc), flags);
}

void SWnd::SetBackColor(uint32_t color) {
  m_backColor = color;
  m_backImage.SetBackColor(color);
}

uint32_t SWnd::GetBackColor() { return m_backColor; }

LRESULT SWnd::DefaultWindowProc(UINT message, WPARAM wparam, LPARAM lparam) {
  if (m_previousProc) return CallWindowProcA(m_previousProc, m_hwnd, message, wparam, lparam);
  return DefWindowProcA(m_hwnd, message, wparam, lparam);
}

// ==== Modal state, caret, menu bar =====================================================================

void SWnd::EndModal(int result) {
  if (!m_modalRunning) return;
  m_modalResult = result;
  m_modalRunning = false;
}

bool SWnd::DestroyCaret() {
  if (!m_caretEnabled) return false;
  if (m_caretCreated && !::DestroyCaret()) return false;
  m_caretEnabled = m_caretCreated = m_caretPositionSet = false;
  m_caretWidth = m_caretHeight = m_caretX = m_caretY = 0;
  return true;
}

// A child's "menu" is its id: only a top-level window can have a menu bar.
void SWnd::DetachMenuBar() {
  if (!m_hwnd || (GetStyle() & WS_CHILD) || !GetMenu(m_hwnd)) return;
  SetMenu(nullptr, true);
}

// ==== Thin wrappers ===================================================================================

LRESULT SWnd::SendMessage(UINT message, WPARAM wparam, LPARAM lparam) const {
  return ::SendMessageA(m_hwnd, message, wparam, lparam);
}

LRESULT SWnd::SendToParent(UINT message, WPARAM wparam, LPARAM lparam) const {
  HWND parent = GetParent();
  return parent ? ::SendMessageA(parent, message, wparam, lparam) : 0;
}

bool SWnd::PostUserMessage(WPARAM first, LPARAM second) const {
  return PostMessageA(m_hwnd, kUserMessage, first, second) != 0;
}

void SWnd::NotifyChanged(LPARAM value, SWnd* source) {
  if (!m_notifyChanges) return;
  SendToParent(kContentChangedMessage, reinterpret_cast<WPARAM>(source ? source : this), value);
}

bool SWnd::Show(int showCommand) { return ShowWindow(m_hwnd, showCommand) != 0; }

bool SWnd::Restore() { return ShowWindow(m_hwnd, SW_RESTORE) != 0; }

bool SWnd::Maximize() { return ShowWindow(m_hwnd, SW_MAXIMIZE) != 0; }

bool SWnd::Minimize() { return ShowWindow(m_hwnd, IsVisible() ? SW_MINIMIZE : SW_SHOWMINIMIZED) != 0; }

bool SWnd::Enable(bool enable) { return EnableWindow(m_hwnd, enable) != 0; }

bool SWnd::IsEnabled() const { return IsWindowEnabled(m_hwnd) != 0; }

bool SWnd::IsVisible() const { return IsWindowVisible(m_hwnd) != 0; }

bool SWnd::IsMinimized() const { return IsIconic(m_hwnd) != 0; }

bool SWnd::IsMaximized() const { return IsZoomed(m_hwnd) != 0; }

bool SWnd::IsPopup() const { return (GetStyle() & WS_POPUP) != 0; }

bool SWnd::IsTopLevel() const { return !GetParent() || IsPopup(); }

HWND SWnd::SetFocus() { return m_hwnd ? ::SetFocus(m_hwnd) : nullptr; }

bool SWnd::HasFocus() const { return m_hwnd && GetFocus() == m_hwnd; }

bool SWnd::SetText(const char* text) { return SetWindowTextA(m_hwnd, text) != 0; }

SString SWnd::GetText() const {
  SString text("");
  int length = GetWindowTextLengthA(m_hwnd);
  if (length <= 0) return text;
  text.SetLength(length, false);
  int copied = GetWindowTextA(m_hwnd, text.GetBuffer(), length + 1);
  text.SetLength(copied < 0 ? 0 : copied, true);
  return text;
}

int SWnd::GetTextLength() const { return GetWindowTextLengthA(m_hwnd); }

LONG SWnd::SetStyle(LONG style) { return SetWindowLongA(m_hwnd, GWL_STYLE, style); }

LONG SWnd::GetStyle() const { return m_hwnd ? GetWindowLongA(m_hwnd, GWL_STYLE) : 0; }

LONG SWnd::SetExStyle(LONG exStyle) { return SetWindowLongA(m_hwnd, GWL_EXSTYLE, exStyle); }

LONG SWnd::GetExStyle() const { return m_hwnd ? GetWindowLongA(m_hwnd, GWL_EXSTYLE) : 0; }

LONG SWnd::SetUserData(LONG data) { return SetWindowLongA(m_hwnd, GWL_USERDATA, data); }

LONG SWnd::GetUserData() const { return GetWindowLongA(m_hwnd, GWL_USERDATA); }

void SWnd::SetFont(HFONT font, bool redraw) {
  ::SendMessageA(m_hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), redraw);
}

HFONT SWnd::GetFont() const { return reinterpret_cast<HFONT>(::SendMessageA(m_hwnd, WM_GETFONT, 0, 0)); }

HWND SWnd::GetParent() const { return m_hwnd ? ::GetParent(m_hwnd) : nullptr; }

HWND SWnd::SetParent(HWND parent) { return ::SetParent(m_hwnd, parent); }

HWND SWnd::GetRootOwner() const { return GetAncestor(m_hwnd, GA_ROOTOWNER); }

HWND SWnd::GetTopChild() const { return GetTopWindow(m_hwnd); }

UINT_PTR SWnd::SetTimer(UINT elapse, UINT_PTR id, TIMERPROC callback) {
  return ::SetTimer(m_hwnd, id, elapse, callback);
}

bool SWnd::KillTimer(UINT_PTR id) { return ::KillTimer(m_hwnd, id) != 0; }

void SWnd::DragAcceptFiles(bool accept) { ::DragAcceptFiles(m_hwnd, accept); }

bool SWnd::SetTopMost(bool topMost) {
  return ::SetWindowPos(m_hwnd, topMost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE) != 0;
}

bool SWnd::ApplyFrameChange() {
  return ::SetWindowPos(m_hwnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_FRAMECHANGED) != 0;
}

bool SWnd::IsButtonChecked() const { return ::SendMessageA(m_hwnd, BM_GETCHECK, 0, 0) == BST_CHECKED; }
