#include "window/SWndApp.h"

#include "window/Framework.h"
#include "window/FrameworkMessage.h"

namespace {

// The sound timer: every playing sound is stepped this often.
const UINT_PTR kSoundTimer = 1;
const UINT kSoundTimerPeriod = 10;  // ms

SWndApp* g_appWindow;

LPARAM PointParam(POINT p) { return MAKELPARAM(p.x, p.y); }

}  // namespace

SWndApp::SWndApp() : m_captureTarget(nullptr), m_dragButton(0), m_stepping(false) {}

// Destroyed while still an SWndApp, so that a drag it carries still
// reports the lost capture.
SWndApp::~SWndApp() { Destroy(); }

bool SWndApp::Create(HINSTANCE instance) {
  return SWnd::Create(0, "", 0, nullptr, nullptr, nullptr, nullptr, instance, false);
}

bool SWndApp::AddPlayingSound(PlayingSound* sound) {
  if (!sound || m_playing.BinaryFind(sound) >= 0) return false;
  m_playing.InsertSorted(sound);
  if (m_playing.GetCount() == 1 && m_hwnd) SetTimer(kSoundTimerPeriod, kSoundTimer);
  return true;
}

bool SWndApp::RemovePlayingSound(PlayingSound* sound) {
  int index = m_playing.BinaryFind(sound);
  if (index < 0) return false;
  m_playing.RemoveAt(index);
  if (m_playing.GetCount() == 0 && m_hwnd) KillTimer(kSoundTimer);
  return true;
}

LRESULT SWndApp::WindowProc(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_TIMER:
      StepPlayingSounds();
      break;
    case WM_MOUSEMOVE:
      OnDragMove(lparam);
      break;
    case WM_LBUTTONUP:
      OnDragButtonUp(kDragLeft, lparam);
      break;
    case WM_RBUTTONUP:
      OnDragButtonUp(kDragRight, lparam);
      break;
    case WM_CAPTURECHANGED:
      OnCaptureChanged();
      break;
  }
  return SWnd::WindowProc(message, wparam, lparam);
}

// A step may end its own sound or another, or delete them: the walk goes
// over a copy and steps only the sounds still playing. A step that runs a
// message loop (an event handler showing a message box) gets no nested
// walk from the ticks it dispatches.
void SWndApp::StepPlayingSounds() {
  if (m_stepping) return;
  m_stepping = true;
  SArray<PlayingSound*> sounds(m_playing);
  for (int i = 0; i < sounds.GetCount(); i++) {
    PlayingSound* sound = sounds.GetAt(i);
    if (m_playing.BinaryFind(sound) >= 0) sound->Update();
  }
  m_stepping = false;
}

void SWndApp::OnDragMove(LPARAM point) {
  if (!m_captureTarget) return;
  POINT p = {short(LOWORD(point)), short(HIWORD(point))};
  ::ClientToScreen(m_hwnd, &p);
  ::ScreenToClient(m_captureTarget, &p);
  ::SendMessageA(m_captureTarget, kCaptureDragMoveMessage, WPARAM(m_dragButton), PointParam(p));
}

// The target is forgotten before the capture goes, so that the capture
// change that follows reports no loss.
void SWndApp::OnDragButtonUp(int32_t button, LPARAM point) {
  if (button != m_dragButton) return;
  HWND target = m_captureTarget;
  m_captureTarget = nullptr;
  if (GetCapture() == m_hwnd) ReleaseCapture();
  if (!target) return;
  POINT p = {short(LOWORD(point)), short(HIWORD(point))};
  ::ClientToScreen(m_hwnd, &p);
  ::ScreenToClient(target, &p);
  ::SendMessageA(target, kCaptureDragMoveMessage, WPARAM(button), PointParam(p));
  ::SendMessageA(target, kCaptureDragDropMessage, WPARAM(button), PointParam(p));
}

void SWndApp::OnCaptureChanged() {
  HWND target = m_captureTarget;
  m_captureTarget = nullptr;
  if (!target) return;
  POINT p = {0, 0};
  ::GetCursorPos(&p);
  ::ScreenToClient(m_hwnd, &p);
  ::SendMessageA(target, kCaptureLostMessage, WPARAM(m_dragButton), PointParam(p));
}

// ---- The application window of the framework ------------------------------------------

SWndApp* GetAppWindow() {
  StartWindowing();
  return g_appWindow;
}

HWND CreateAppWindow(HINSTANCE instance) {
  DeleteAppWindow();
  g_appWindow = new SWndApp;
  g_appWindow->Create(instance);
  return g_appWindow->GetHwnd();
}

void DeleteAppWindow() {
  delete g_appWindow;
  g_appWindow = nullptr;
}

bool StartAppCapture(HWND target, bool leftAllowed, bool rightAllowed) {
  SWndApp* app = g_appWindow;
  if (!target || !app || !app->GetHwnd() || GetCapture() == app->GetHwnd()) return false;
  int32_t button;
  if (GetAsyncKeyState(VK_LBUTTON) < 0) {
    if (!leftAllowed) return false;
    button = kDragLeft;
  } else if (GetAsyncKeyState(VK_RBUTTON) < 0 && rightAllowed) {
    button = kDragRight;
  } else {
    return false;
  }
  app->SetCaptureTarget(target, button);
  SetCapture(app->GetHwnd());
  return true;
}

bool ReleaseAppCapture() {
  SWndApp* app = g_appWindow;
  if (!app || !app->GetCaptureTarget() || GetCapture() != app->GetHwnd()) return false;
  ReleaseCapture();
  return true;
}
