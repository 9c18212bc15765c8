// PObjGroup: the script class "Group", a group box whose caption has a text
// colour of its own. It raises no events.
#pragma once

#include <cstdint>

#include "classes/windows/PObjControlPart.h"
#include "classes/windows/PObjInnerCtrl.h"
#include "window/controls/SGroupCtrl.h"

class PObjGroup : public PObjControlPart {
 public:
  static constexpr TypeCode kTypeCode = MakeTypeCode(ORIGIN_BUILTIN, 'G', 'R', 'P');
  static const int kControlNumber = 11;

  enum Member : uint16_t {
    CREATE = 0,
    DESTROY = 1,
    GET_TEXT_COLOR = 2,
    SET_TEXT_COLOR = 3,
  };

  class _PGroupCtrl : public PObjInnerCtrl<SGroupCtrl, -1> {};

  explicit PObjGroup(PObjectDefinition* definition) : PObjControlPart(definition) {}

  static void Register(PObjectDefinition* definition);
  static bool Declare(PObjectDefinition* definition);
  static PObject* New(PObjectDefinition* definition);
  bool Call(uint16_t member, PArgs* args, PResultCell* result, PObject* caller) override;
};
