// PObjStatic: the script class "Static", an owner-drawn frame with an edge,
// a background colour and a background image, and never a text. It raises
// no events.
#pragma once

#include <cstdint>

#include "classes/windows/PObjControlPart.h"
#include "classes/windows/PObjInnerCtrl.h"
#include "window/controls/SStaticCtrl.h"

class PObjStatic : public PObjControlPart {
 public:
  static constexpr TypeCode kTypeCode = MakeTypeCode(ORIGIN_BUILTIN, 'S', 'T', 'C');
  static const int kControlNumber = 29;

  enum Member : uint16_t {
    CREATE = 0,
    DESTROY = 1,
    GET_BACK_COLOR = 2,
    GET_DRAW_MODE = 3,
    SET_BACK_COLOR = 4,
    SET_BACK_IMAGE = 5,
    SET_DRAW_MODE = 6,
    SET_EDGE = 7,
  };

  class _PStaticCtrl : public PObjInnerCtrl<SStaticCtrl, -1> {};

  explicit PObjStatic(PObjectDefinition* definition) : PObjControlPart(definition) {}

  static void Register(PObjectDefinition* definition);
  static bool Declare(PObjectDefinition* definition);
  static PObject* New(PObjectDefinition* definition);
  bool Call(uint16_t member, PArgs* args, PResultCell* result, PObject* caller) override;
};
