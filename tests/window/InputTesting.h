// Synthesised mouse input for the window tests: the cursor put on a point
// of a window, and message pumping until what the input causes has arrived.
#pragma once

#include <windows.h>

#include <functional>

#include "AbsoluteMouse.h"
#include "WindowTesting.h"

// Dispatches messages until the condition holds or ms have passed.
inline bool PumpUntil(const std::function<bool()>& done, DWORD ms = 2000) {
  DWORD start = GetTickCount();
  while (!done()) {
    if (GetTickCount() - start > ms) return false;
    PumpMessages();
    Sleep(1);
  }
  return true;
}

// Dispatches for a while: what would arrive has arrived.
inline void PumpFor(DWORD ms) {
  DWORD start = GetTickCount();
  while (GetTickCount() - start < ms) {
    PumpMessages();
    Sleep(1);
  }
}

// Puts the cursor on a point of the window's client area; false when the
// display does not move it there.
inline bool MoveCursorTo(HWND window, int x, int y) {
  POINT p = {x, y};
  ClientToScreen(window, &p);
  SetCursorPos(p.x, p.y);
  POINT now;
  GetCursorPos(&now);
  return now.x == p.x && now.y == p.y;
}

// Queues a synthesised move to a screen point; safe from any thread.
inline void SendCursorTo(POINT p) { SendAbsoluteMouse(MOUSEEVENTF_MOVE, p); }

// Moves the mouse onto a point of the window's client area with
// synthesised input, so that the window under it (or the capture) sees the
// move; false when the cursor did not get there.
inline bool SlideCursorTo(HWND window, int x, int y) {
  POINT p = {x, y};
  ClientToScreen(window, &p);
  SendCursorTo(p);
  PumpUntil([&] {
    POINT now;
    GetCursorPos(&now);
    return now.x == p.x && now.y == p.y;
  }, 500);
  POINT now;
  GetCursorPos(&now);
  return now.x == p.x && now.y == p.y;
}

// A visible popup on top, in front, with the given client size at (x, y).
inline bool ShowOnTop(TestWnd& window, int x, int y, int width, int height) {
  RECT rect = {x, y, x + width, y + height};
  if (!window.Create(WS_VISIBLE, "test", WS_EX_TOPMOST, &rect, nullptr, nullptr, nullptr, GetModuleHandleA(nullptr),
                     false))
    return false;
  SetForegroundWindow(window.GetHwnd());
  UpdateWindow(window.GetHwnd());
  PumpMessages();
  return true;
}

// A key pressed and released with synthesised input.
inline void PressKey(WORD key) {
  INPUT input[2] = {};
  input[0].type = input[1].type = INPUT_KEYBOARD;
  input[0].ki.wVk = input[1].ki.wVk = key;
  input[1].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(2, input, sizeof input[0]);
}
