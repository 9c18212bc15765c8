// Synthesised mouse input at a screen point, in the absolute units that run
// from 0 to 65535 across the screen, for every test that moves or clicks
// the mouse as a person does.
#pragma once

#include <windows.h>

// Wine at times answers a screen size of 0 through the system metrics, in
// a test process that has run certain programs before, for the rest of its
// life; dividing by it ended the test process (and left it waiting on the
// debugger). The screen's device context, the display settings and the
// cursor's clipping rectangle (the whole screen when nothing clips it) are
// asked in turn; 0 when none knows the size.
inline SIZE ScreenSize() {
  SIZE size = {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  if (size.cx > 0 && size.cy > 0) return size;
  HDC screen = GetDC(nullptr);
  size = {GetDeviceCaps(screen, HORZRES), GetDeviceCaps(screen, VERTRES)};
  ReleaseDC(nullptr, screen);
  if (size.cx > 0 && size.cy > 0) return size;
  DEVMODEA mode = {};
  mode.dmSize = sizeof mode;
  if (EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &mode) && mode.dmPelsWidth && mode.dmPelsHeight)
    return {LONG(mode.dmPelsWidth), LONG(mode.dmPelsHeight)};
  RECT clip = {};
  if (GetClipCursor(&clip) && clip.left == 0 && clip.top == 0 && clip.right > 0 && clip.bottom > 0)
    return {clip.right, clip.bottom};
  return {0, 0};
}

// A screen without a size sends the input to its corner, and the step that
// checks where the input went fails.
inline SIZE ScreenSizeForInput() {
  SIZE size = ScreenSize();
  if (size.cx <= 0) size.cx = 1;
  if (size.cy <= 0) size.cy = 1;
  return size;
}

inline INPUT AbsoluteMouseInput(DWORD flags, POINT p) {
  const SIZE screen = ScreenSizeForInput();
  INPUT input = {};
  input.type = INPUT_MOUSE;
  // Rounded up, the position lands on the pixel meant.
  input.mi.dx = LONG((p.x * 65536LL + screen.cx - 1) / screen.cx);
  input.mi.dy = LONG((p.y * 65536LL + screen.cy - 1) / screen.cy);
  input.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE;
  return input;
}

inline void SendAbsoluteMouse(DWORD flags, POINT p) {
  INPUT input = AbsoluteMouseInput(flags, p);
  SendInput(1, &input, sizeof input);
}
