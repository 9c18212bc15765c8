// PObjKeyboard: the script class "Keyboard": the state of keys, key presses
// polled with a repeat delay, synthesised key strokes, and one constant per
// named virtual key ("_A", "_RETURN"...).
#pragma once

#include <cstdint>

#include "engine/PObject.h"
#include "files/SKeyboard.h"

class PObjKeyboard : public PObject {
 public:
  static constexpr TypeCode kTypeCode = MakeTypeCode(ORIGIN_BUILTIN, 'K', 'E', 'Y');

  enum Member : uint16_t {
    IS_PRESSED = 0,
    TAP = 1,
    PRESS = 2,
    RELEASE = 3,
    GET_SHIFT_STATE = 4,
    IS_ALT_DOWN = 5,
    IS_CONTROL_ALT_DOWN = 6,
    IS_CAPS_LOCK_ON = 7,
    IS_CONTROL_DOWN = 8,
    IS_KEY_DOWN = 9,
    IS_LEFT_ALT_DOWN = 10,
    IS_LEFT_CONTROL_DOWN = 11,
    IS_LEFT_SHIFT_DOWN = 12,
    IS_NUM_LOCK_ON = 13,
    IS_RIGHT_ALT_DOWN = 14,
    IS_RIGHT_CONTROL_DOWN = 15,
    // Answers for the right Ctrl key as 15 does: programs may rely on it.
    IS_RIGHT_CONTROL_DOWN_TOO = 16,
    IS_SHIFT_DOWN = 17,
    MEMBER_COUNT = 18,
  };

  explicit PObjKeyboard(PObjectDefinition* definition) : PObject(definition) {}

  static void Register(PObjectDefinition* definition);
  static bool Declare(PObjectDefinition* definition);
  static PObject* New(PObjectDefinition* definition);
  bool Call(uint16_t member, PArgs* args, PResultCell* result, PObject* caller) override;

 private:
  SKeyboard m_keyboard;
};
