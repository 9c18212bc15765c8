// PObjProgress: the script class "Progress", a control over the framework's progress bar.
#pragma once

#include <cstdint>

#include "classes/windows/PObjControlPart.h"
#include "classes/windows/PObjInnerCtrl.h"
#include "window/controls/SProgressCtrl.h"

class PObjProgress : public PObjControlPart {
 public:
  static constexpr TypeCode kTypeCode = MakeTypeCode(ORIGIN_BUILTIN, 'P', 'R', 'G');
  static const int16_t kControlNumber = 21;

  enum Member : uint16_t {
    DELTA_POS = 0,
    CREATE = 1,
    DESTROY = 2,
    GET_MAX = 3,
    GET_MIN = 4,
    GET_POS = 5,
    SET_BACK_COLOR = 6,
    SET_BAR_COLOR = 7,
    SET_MARQUEE = 8,
    SET_RANGE = 9,
    SET_POS = 10,
    EVENT_MOUSE = 11,
    EVENT_FOCUS = 12,
    MEMBER_COUNT = 16,
  };

  class _PProgressCtrl : public PObjInnerCtrl<SProgressCtrl, EVENT_FOCUS> {};

  static void Register(PObjectDefinition* definition);
  static bool Declare(PObjectDefinition* definition);
  static PObject* New(PObjectDefinition* definition);
  bool Call(uint16_t member, PArgs* args, PResultCell* result, PObject* caller) override;

 private:
  explicit PObjProgress(PObjectDefinition* definition) : PObjControlPart(definition) {}

  bool CallOnWindow(SProgressCtrl* bar, uint16_t member, PArgs* args, PResultCell* result);
};
