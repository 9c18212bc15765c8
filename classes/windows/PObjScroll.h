// PObjScroll: the script class "Scroll", a control over the framework's scroll bar.
// The user's scrolling is stepped, snapped and clamped by the parent
// window, which reports a real change as event POSITION_CHANGED.
#pragma once

#include <cstdint>

#include "classes/windows/PObjControlPart.h"
#include "classes/windows/PObjInnerCtrl.h"
#include "window/controls/SScrollCtrl.h"

class PObjScroll : public PObjControlPart {
 public:
  static constexpr TypeCode kTypeCode = MakeTypeCode(ORIGIN_BUILTIN, 'S', 'C', 'R');
  static const int16_t kControlNumber = 25;

  enum Member : uint16_t {
    CREATE = 0,
    DESTROY = 1,
    GET_MAX = 2,
    GET_MIN = 3,
    GET_POS = 4,
    SET_RANGE = 5,
    SET_POS = 6,
    EVENT_MOUSE = 7,
    EVENT_POSITION_CHANGED = 8,
    EVENT_FOCUS = 9,
    MEMBER_COUNT = 13,
  };

  class _PScrollCtrl : public PObjInnerCtrl<SScrollCtrl, EVENT_FOCUS> {};

  static void Register(PObjectDefinition* definition);
  static bool Declare(PObjectDefinition* definition);
  static PObject* New(PObjectDefinition* definition);
  bool Call(uint16_t member, PArgs* args, PResultCell* result, PObject* caller) override;

 private:
  explicit PObjScroll(PObjectDefinition* definition) : PObjControlPart(definition) {}

  bool CallOnWindow(SScrollCtrl* bar, uint16_t member, PArgs* args, PResultCell* result);
};
