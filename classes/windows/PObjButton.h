// PObjButton: the script class "Button", a push button. Its click reaches
// the owner as event 3 through the Dialog's router.
#pragma once

#include <cstdint>

#include "classes/windows/PObjControlPart.h"
#include "classes/windows/PObjInnerCtrl.h"
#include "window/controls/SButtonCtrl.h"

class PObjButton : public PObjControlPart {
 public:
  static constexpr TypeCode kTypeCode = MakeTypeCode(ORIGIN_BUILTIN, 'B', 'T', 'N');
  static const int kControlNumber = 3;

  enum Member : uint16_t {
    CREATE = 0,
    DESTROY = 1,
    // Events.
    ON_MOUSE = 2,
    ON_CLICK = 3,
    ON_FOCUS = 4,
    ON_MOUSE_ENTER = 5,
    ON_MOUSE_LEAVE = 6,
    ON_MOUSE_MOVE = 7,
  };

  class _PButtonCtrl : public PObjInnerCtrl<SButtonCtrl, ON_FOCUS> {};

  explicit PObjButton(PObjectDefinition* definition) : PObjControlPart(definition) {}

  static void Register(PObjectDefinition* definition);
  static bool Declare(PObjectDefinition* definition);
  static PObject* New(PObjectDefinition* definition);
  bool Call(uint16_t member, PArgs* args, PResultCell* result, PObject* caller) override;
};
