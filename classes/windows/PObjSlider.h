// PObjSlider: the script class "Slider", a control over the framework's slider.
// Every scroll notification of the slider, each tracking step included,
// reaches the program as event POSITION_CHANGED.
#pragma once

#include <cstdint>

#include "classes/windows/PObjControlPart.h"
#include "classes/windows/PObjInnerCtrl.h"
#include "window/controls/SSliderCtrl.h"

class PObjSlider : public PObjControlPart {
 public:
  static constexpr TypeCode kTypeCode = MakeTypeCode(ORIGIN_BUILTIN, 'S', 'L', 'D');
  static const int16_t kControlNumber = 26;

  enum Member : uint16_t {
    CREATE = 0,
    DESTROY = 1,
    GET_LINE_SIZE = 2,
    GET_MAX = 3,
    GET_MIN = 4,
    GET_PAGE_SIZE = 5,
    GET_TIC = 6,
    GET_TIC_COUNT = 7,
    GET_POS = 8,
    CLEAR_TICS = 9,
    SET_LINE_SIZE = 10,
    SET_PAGE_SIZE = 11,
    SET_RANGE = 12,
    ADD_TIC = 13,
    SET_POS = 14,
    EVENT_MOUSE = 15,
    EVENT_POSITION_CHANGED = 16,
    EVENT_FOCUS = 17,
    MEMBER_COUNT = 21,
  };

  class _PSliderCtrl : public PObjInnerCtrl<SSliderCtrl, EVENT_FOCUS> {};

  static void Register(PObjectDefinition* definition);
  static bool Declare(PObjectDefinition* definition);
  static PObject* New(PObjectDefinition* definition);
  bool Call(uint16_t member, PArgs* args, PResultCell* result, PObject* caller) override;

 private:
  explicit PObjSlider(PObjectDefinition* definition) : PObjControlPart(definition) {}

  bool CallOnWindow(SSliderCtrl* slider, uint16_t member, PArgs* args, PResultCell* result);
};
