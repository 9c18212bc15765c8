// PObjFloat: the script class "Float", a double. It is also the form in which
// every floating-point number crosses a member call or an event. Its members
// are in-place arithmetic under the IEEE rules (infinities and NaN pass
// through): each changes the value, stores it and returns it.
#pragma once

#include <cstdint>

#include "engine/PObject.h"

class PObjFloat : public PObject {
 public:
  enum Member : uint16_t {
    ADD = 0,
    INCREMENT = 1,
    DIVIDE = 2,
    GET = 3,
    TO_INTEGER = 4,
    ADDRESS = 5,
    MODULO = 6,
    MULTIPLY = 7,
    POWER = 8,
    ROUND = 9,
    SET = 10,
    SUBTRACT = 11,
    DECREMENT = 12,
  };

  explicit PObjFloat(PObjectDefinition* definition) : PObject(definition), m_value(0.0) {}

  static void Register(PObjectDefinition* definition);
  static bool Declare(PObjectDefinition* definition);
  static PObject* New(PObjectDefinition* definition);
  bool Call(uint16_t member, PArgs* args, PResultCell* result, PObject* caller) override;

  double GetValue() const { return m_value; }
  void SetValue(double value) { m_value = value; }

 private:
  double m_value;
};
