// PObjRadio: the script class "Radio", a radio button with a group number.
// A click selects it through the framework (the others of its group under
// the same parent are unchecked) and reaches the owner as event 11.
#pragma once

#include <cstdint>

#include "classes/windows/PObjControlPart.h"
#include "classes/windows/PObjInnerCtrl.h"
#include "window/controls/SRadioCtrl.h"

class PObjRadio : public PObjControlPart {
 public:
  static constexpr TypeCode kTypeCode = MakeTypeCode(ORIGIN_BUILTIN, 'R', 'A', 'D');
  static const int kControlNumber = 23;

  enum Member : uint16_t {
    CREATE = 0,
    DESTROY = 1,
    IS_CHECKED = 2,
    GET_GROUP = 3,
    SELECT = 4,
    SET_GROUP = 5,
    // Events.
    ON_MOUSE = 6,
    ON_FOCUS = 7,
    ON_MOUSE_ENTER = 8,
    ON_MOUSE_LEAVE = 9,
    ON_MOUSE_MOVE = 10,
    ON_SELECTED = 11,
  };

  class _PRadioCtrl : public PObjInnerCtrl<SRadioCtrl, ON_FOCUS> {};

  explicit PObjRadio(PObjectDefinition* definition) : PObjControlPart(definition) {}

  static void Register(PObjectDefinition* definition);
  static bool Declare(PObjectDefinition* definition);
  static PObject* New(PObjectDefinition* definition);
  bool Call(uint16_t member, PArgs* args, PResultCell* result, PObject* caller) override;
};
