// PObjCheck: the script class "Check", a check box with three states. A
// click toggles it through the framework and reaches the owner as event 9
// with the new state.
#pragma once

#include <cstdint>

#include "classes/windows/PObjControlPart.h"
#include "classes/windows/PObjInnerCtrl.h"
#include "window/controls/SCheckCtrl.h"

class PObjCheck : public PObjControlPart {
 public:
  static constexpr TypeCode kTypeCode = MakeTypeCode(ORIGIN_BUILTIN, 'C', 'H', 'K');
  static const int kControlNumber = 4;

  enum State : int32_t { UNCHECKED = 0, CHECKED = 1, INDETERMINATE = 2 };

  enum Member : uint16_t {
    CREATE = 0,
    DESTROY = 1,
    GET_STATE = 2,
    SET_STATE = 3,
    // Events.
    ON_MOUSE = 4,
    ON_FOCUS = 5,
    ON_MOUSE_ENTER = 6,
    ON_MOUSE_LEAVE = 7,
    ON_MOUSE_MOVE = 8,
    ON_STATE_CHANGED = 9,
  };

  class _PCheckCtrl : public PObjInnerCtrl<SCheckCtrl, ON_FOCUS> {};

  explicit PObjCheck(PObjectDefinition* definition) : PObjControlPart(definition) {}

  static void Register(PObjectDefinition* definition);
  static bool Declare(PObjectDefinition* definition);
  static PObject* New(PObjectDefinition* definition);
  bool Call(uint16_t member, PArgs* args, PResultCell* result, PObject* caller) override;
};
