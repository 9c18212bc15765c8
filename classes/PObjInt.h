// PObjInt: the script class "Integer", a signed 64-bit number. Besides being
// a value scripts compute with, it is the form in which every integer
// crosses a member call or an event. Its members are in-place arithmetic:
// each changes the value, stores it and returns it. Arithmetic wraps in
// 64-bit two's complement.
#pragma once

#include <cstdint>

#include "engine/PObject.h"

class PObjInt : public PObject {
 public:
  enum Member : uint16_t {
    ADD = 0,
    INCREMENT = 1,
    DIVIDE = 2,
    GET = 3,
    ADDRESS = 4,
    IS_PRIME = 5,
    MODULO = 6,
    MULTIPLY = 7,
    POWER = 8,
    SET = 9,
    SUBTRACT = 10,
    DECREMENT = 11,
  };

  explicit PObjInt(PObjectDefinition* definition) : PObject(definition), m_value(0) {}

  static void Register(PObjectDefinition* definition);
  static bool Declare(PObjectDefinition* definition);
  static PObject* New(PObjectDefinition* definition);
  bool Call(uint16_t member, PArgs* args, PResultCell* result, PObject* caller) override;

  int64_t GetValue() const { return m_value; }
  void SetValue(int64_t value) { m_value = value; }

 private:
  int64_t m_value;
};
