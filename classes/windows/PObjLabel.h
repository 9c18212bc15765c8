// PObjLabel: the script class "Label", a control over the framework label:
// one line of text placed by an alignment word, in a text colour over a
// background colour or image, set directly or from a file, a stream or a
// text resource.
#pragma once

#include <cstdint>

#include "classes/windows/PObjControlPart.h"
#include "classes/windows/PObjInnerCtrl.h"
#include "window/controls/SLabelCtrl.h"

class PObjLabel : public PObjControlPart {
 public:
  static constexpr TypeCode kTypeCode = MakeTypeCode(ORIGIN_BUILTIN, 'L', 'A', 'B');
  static const int16_t kControlNumber = 14;

  enum Member : uint16_t {
    CREATE = 0,
    DESTROY = 1,
    GET_ALIGNMENT = 2,
    GET_BACK_COLOR = 3,
    GET_DRAW_MODE = 4,
    GET_HORIZONTAL = 5,
    GET_TEXT_COLOR = 6,
    GET_VERTICAL = 7,
    LOAD_FROM_FILE = 8,
    LOAD_FROM_PATH = 9,
    LOAD_FROM_RESOURCE = 10,
    SET_ALIGNMENT = 11,
    SET_BACK_COLOR = 12,
    SET_BACK_IMAGE = 13,
    SET_DRAW_MODE = 14,
    SET_HORIZONTAL = 15,
    SET_TEXT_COLOR = 16,
    SET_VERTICAL = 17,
    EVENT_MOUSE = 18,
    EVENT_FOCUS = 19,
    MEMBER_COUNT = 23,
  };

  class _PLabelCtrl : public PObjInnerCtrl<SLabelCtrl, EVENT_FOCUS> {};

  static void Register(PObjectDefinition* definition);
  static bool Declare(PObjectDefinition* definition);
  static PObject* New(PObjectDefinition* definition);
  bool Call(uint16_t member, PArgs* args, PResultCell* result, PObject* caller) override;

 private:
  explicit PObjLabel(PObjectDefinition* definition) : PObjControlPart(definition) {}

  bool CallOnWindow(SLabelCtrl* label, uint16_t member, PArgs* args, PResultCell* result);
};
