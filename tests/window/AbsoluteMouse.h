// Synthesised mouse input at a screen point, in the absolute units that run
// from 0 to 65535 across the screen, for every test that moves or clicks
// the mouse as a person does.
#pragma once

#include <windows.h>

// Under heavy load Wine at times answers a screen size of 0, for seconds or
// for the rest of a test; dividing by it ended the test process (and left it
// waiting on the debugger). The size is awaited for a few seconds; a screen
// that never gets one sends the input to its corner, and the step that
// checks where the input went fails.
inline SIZE ScreenSizeForInput() {
  SIZE size = {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  for (int tries = 0; (size.cx <= 0 || size.cy <= 0) && tries < 500; tries++) {
    Sleep(10);
    size = {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  }
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
