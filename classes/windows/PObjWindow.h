// PObjWindow: the script class "Window", the plain child window of a dialog:
// a framework window with no system control behind it, which a program
// paints on (event 8 hands it the erase pass's drawing surface) and takes
// mouse input from, with a background colour or picture.
//
// A plain window sends its parent no notifications, so it raises its
// mouse-record event itself, beside the four events of every control.
#pragma once

#include <cstdint>

#include "classes/windows/PObjControlPart.h"
#include "classes/windows/PObjInnerCtrl.h"
#include "window/SWnd.h"

class PObjWindow : public PObjControlPart {
 public:
  static constexpr TypeCode kTypeCode = MakeTypeCode(ORIGIN_BUILTIN, 'W', 'N', 'D');
  static const int kControlNumber = 35;

  enum Member : uint16_t {
    CREATE = 0,
    DESTROY = 1,
    GET_BACK_COLOR = 2,
    GET_DRAW_MODE = 3,
    SET_BACK_COLOR = 4,
    SET_BACK_IMAGE = 5,
    SET_DRAW_MODE = 6,
    // Events.
    ON_MOUSE = 7,
    ON_ERASE = 8,
    ON_FOCUS = 9,
    ON_MOUSE_ENTER = 10,
    ON_MOUSE_LEAVE = 11,
    ON_MOUSE_MOVE = 12,
    MEMBER_COUNT = 13,
  };

  class _PWindowCtrl : public PObjInnerCtrl<SWnd, ON_FOCUS> {
   protected:
    void RaiseEvents(UINT message, WPARAM wparam, LPARAM lparam) override;
  };

  explicit PObjWindow(PObjectDefinition* definition) : PObjControlPart(definition) {}

  static void Register(PObjectDefinition* definition);
  static bool Declare(PObjectDefinition* definition);
  static PObject* New(PObjectDefinition* definition);
  bool Call(uint16_t member, PArgs* args, PResultCell* result, PObject* caller) override;
};
