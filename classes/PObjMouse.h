// PObjMouse: the script class "Mouse": the cursor's position, the buttons'
// state, synthesised clicks, and capture drags run by the application
// window and reported as events through a hidden window of the object.
#pragma once

#include <windows.h>

#include <cstdint>

#include "engine/PObject.h"
#include "window/SWnd.h"

class PObjMouse : public PObject {
 public:
  static constexpr TypeCode kTypeCode = MakeTypeCode(ORIGIN_BUILTIN, 'M', 'O', 'U');

  enum Member : uint16_t {
    END_DRAG = 0,
    START_DRAG = 1,
    CLICK_LEFT = 2,
    DOUBLE_CLICK_LEFT = 3,
    PRESS_LEFT = 4,
    RELEASE_LEFT = 5,
    CLICK_MIDDLE = 6,
    DOUBLE_CLICK_MIDDLE = 7,
    PRESS_MIDDLE = 8,
    RELEASE_MIDDLE = 9,
    CLICK_RIGHT = 10,
    DOUBLE_CLICK_RIGHT = 11,
    PRESS_RIGHT = 12,
    RELEASE_RIGHT = 13,
    GET_POSITION = 14,
    GET_X = 15,
    GET_Y = 16,
    IS_LEFT_DOWN = 17,
    IS_MIDDLE_DOWN = 18,
    IS_RIGHT_DOWN = 19,
    MOVE_TO = 20,
    SHOW_CURSOR = 21,
    // Events: x, y and the drag button (1 left, 4 right).
    ON_DRAG_LOST = 22,
    ON_DRAG_DROP = 23,
    ON_DRAG_MOVE = 24,
    MEMBER_COUNT = 25,
  };

  // The hidden window that the application window reports a drag to; it
  // turns the reports into the Mouse's events.
  class _PWnd : public SWnd {
   public:
    explicit _PWnd(PObjMouse* owner) : m_owner(owner) {}
    LRESULT WindowProc(UINT message, WPARAM wparam, LPARAM lparam) override;

   private:
    PObjMouse* m_owner;
  };

  explicit PObjMouse(PObjectDefinition* definition);

  static void Register(PObjectDefinition* definition);
  static bool Declare(PObjectDefinition* definition);
  static PObject* New(PObjectDefinition* definition);
  bool Call(uint16_t member, PArgs* args, PResultCell* result, PObject* caller) override;

  HWND GetDragTarget() const { return m_window.GetHwnd(); }

 private:
  _PWnd m_window;
};
