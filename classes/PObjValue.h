// PObjValue: the script class "Value", the variant SValue as an object: an
// integer, a double, an 8-bit or a UTF-16 text that converts and calculates
// across kinds. Its arithmetic members work on the value in place and answer
// its text.
#pragma once

#include <cstdint>

#include "core/SValue.h"
#include "engine/PObject.h"

class PObjValue : public PObject {
 public:
  enum Member : uint16_t {
    COPY = 0,
    APPEND = 1,
    INCREMENT = 2,
    DIVIDE = 3,
    GET_TEXT = 4,
    GET_FLOAT = 5,
    GET_INTEGER = 6,
    NOTHING_7 = 7,
    TEXT = 8,
    GET_UNISTRING = 9,
    IS_FLOAT = 10,
    IS_INTEGER = 11,
    IS_STRING = 12,
    IS_UNISTRING = 13,
    MULTIPLY = 14,
    PARSE = 15,
    SET_FLOAT = 16,
    SET_INTEGER = 17,
    NOTHING_18 = 18,
    SET_STRING = 19,
    SET_UNISTRING = 20,
    SUBTRACT = 21,
    DECREMENT = 22,
  };

  // The integer 0.
  explicit PObjValue(PObjectDefinition* definition) : PObject(definition) {}

  static void Register(PObjectDefinition* definition);
  static bool Declare(PObjectDefinition* definition);
  static PObject* New(PObjectDefinition* definition);
  bool Call(uint16_t member, PArgs* args, PResultCell* result, PObject* caller) override;

  SValue& GetValue() { return m_value; }
  const SValue& GetValue() const { return m_value; }

 private:
  SValue m_value;
};
