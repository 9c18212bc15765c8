// Dialogs for the window tests: an SDialog that records the framework
// messages reaching it, on screen in front, and the description records the
// dialog builder hands to it.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <vector>

#include "InputTesting.h"
#include "WindowTesting.h"
#include "files/SKeyboard.h"
#include "window/SDialog.h"

class TestDialog : public SDialog {
 public:
  std::function<bool(UINT, WPARAM, LPARAM, LRESULT*)> handler;
  std::vector<TestWnd::Event> events;
  std::function<SWnd*(int, const ControlRecord*)> objects;

  LRESULT WindowProc(UINT message, WPARAM wparam, LPARAM lparam) override {
    if (message >= WM_APP) events.push_back({message, wparam, lparam});
    LRESULT answer = 0;
    if (handler && handler(message, wparam, lparam, &answer)) return answer;
    return SDialog::WindowProc(message, wparam, lparam);
  }
  SWnd* CreateControlObject(int number, const ControlRecord* record) override {
    return objects ? objects(number, record) : nullptr;
  }

  // A captioned popup in front, of that client size at (x, y).
  bool Make(int x = 60, int y = 60, int width = 400, int height = 240) {
    RECT rect = {x, y, x + width, y + height};
    DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE;
    AdjustWindowRectEx(&rect, style, FALSE, WS_EX_TOPMOST);
    if (!Create(style, "Dialog", WS_EX_TOPMOST, &rect, nullptr, nullptr, nullptr, GetModuleHandleA(nullptr), false))
      return false;
    SetForegroundWindow(GetHwnd());
    UpdateWindow(GetHwnd());
    PumpMessages();
    return true;
  }
  int ClientHeight() const {
    RECT client;
    ::GetClientRect(GetHwnd(), &client);
    return client.bottom;
  }
  int ClientWidth() const {
    RECT client;
    ::GetClientRect(GetHwnd(), &client);
    return client.right;
  }
  int Count(UINT message) const {
    int n = 0;
    for (const TestWnd::Event& e : events) n += e.message == message;
    return n;
  }
  std::vector<LPARAM> Params(UINT message) const {
    std::vector<LPARAM> all;
    for (const TestWnd::Event& e : events)
      if (e.message == message) all.push_back(e.lparam);
    return all;
  }
};

// A control record as the description holds it.
inline std::unique_ptr<SDialog::ControlRecord> MakeRecord(int id, const char* name, const char* face = "",
                                                          int points = 0, uint32_t fontStyle = 0) {
  auto record = std::make_unique<SDialog::ControlRecord>();
  record->id = int16_t(id);
  record->name = name;
  record->fontFace = face;
  record->fontSize = uint16_t(points);
  record->fontStyle = fontStyle;
  return record;
}

// A left click at a point of the window's client area, with synthesised
// input; false when the cursor cannot be put there.
inline bool ClickAt(HWND window, int x, int y) {
  if (!MoveCursorTo(window, x, y)) return false;
  SKeyboard::PressLeft();
  SKeyboard::ReleaseLeft();
  return true;
}
