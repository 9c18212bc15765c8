// SWndApp: the one hidden application window that FrameworkInit makes.
//
// It owns the DirectSound cooperative level; its timer steps every playing
// sound; and it holds the mouse capture for drags that start in one window
// and end over another, reporting to the window that started the drag
// (the capture target) each move, the drop and a lost capture.
//
// A drag runs from its start (StartAppCapture, or a window that sets the
// target and button itself and captures the mouse for this window) until
// the drag button goes up, ReleaseAppCapture, or any other loss of the
// capture. Every report goes to the target with the drag button (1 left,
// 4 right) as wparam and a point (x low, y high) as lparam.
#pragma once

#include <windows.h>

#include <cstdint>

#include "core/SArray.h"
#include "window/SWnd.h"

// A sound that plays: the sound class implements it. While it plays it is
// in the application window's playing list, and every tick of the window's
// timer calls its step, which may end the sound's play (taking it out of
// the list) or delete it.
class PlayingSound {
 public:
  virtual void Update() = 0;

 protected:
  ~PlayingSound() = default;
};

// The drag buttons.
enum : int32_t { kDragLeft = 1, kDragRight = 4 };

class SWndApp : public SWnd {
 public:
  SWndApp();
  ~SWndApp() override;

  // Style WS_POPUP only, no parent, never shown.
  bool Create(HINSTANCE instance);

  // For the windows that start drags themselves: the target and button are
  // set, then SetCapture on this window.
  void SetCaptureTarget(HWND target, int32_t button) {
    m_captureTarget = target;
    m_dragButton = button;
  }
  HWND GetCaptureTarget() const { return m_captureTarget; }
  int32_t GetDragButton() const { return m_dragButton; }

  // The playing list, kept sorted and without duplicates. The first sound
  // in starts timer 1 (10 ms); the last one out kills it. False when the
  // sound was already in, or was not.
  bool AddPlayingSound(PlayingSound* sound);
  bool RemovePlayingSound(PlayingSound* sound);
  const SArray<PlayingSound*>& GetPlayingSounds() const { return m_playing; }

  LRESULT WindowProc(UINT message, WPARAM wparam, LPARAM lparam) override;

 private:
  void StepPlayingSounds();
  void OnDragMove(LPARAM point);
  void OnDragButtonUp(int32_t button, LPARAM point);
  void OnCaptureChanged();

  HWND m_captureTarget;  // null while no drag runs
  int32_t m_dragButton;
  SArray<PlayingSound*> m_playing;  // not owned
  bool m_stepping;  // a step that runs a message loop does not start another walk
};

// The application window; null outside FrameworkInit and FrameworkExit.
// After a deferred start, a call on the user-interface thread makes it
// (StartWindowing).
SWndApp* GetAppWindow();
// Made by the framework's start, at once or at its first need, and deleted
// after COM is shut down; CreateAppWindow answers the window's handle.
HWND CreateAppWindow(HINSTANCE instance);
void DeleteAppWindow();

// Starts a drag for target with the button that is down now (left first).
// False without a target, while a drag runs, or when neither button is
// down and allowed.
bool StartAppCapture(HWND target, bool leftAllowed, bool rightAllowed);
// Ends a running drag by releasing the capture: the target then gets
// kCaptureLostMessage, never a drop. False when no drag ran.
bool ReleaseAppCapture();
