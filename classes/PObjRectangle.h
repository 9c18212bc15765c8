// PObjRectangle: the script class "Rectangle", left, top, right and bottom
// as signed 32-bit integers, the layout of a Win32 RECT. It is not kept
// normalised: right may lie left of left until member 24 swaps them.
// Arithmetic wraps in 32 bits; members that answer into a Point or Size do
// nothing when it is null.
#pragma once

#include <cstdint>

#include "engine/PObject.h"

class PObjRectangle : public PObject {
 public:
  static constexpr TypeCode kTypeCode = MakeTypeCode(ORIGIN_BUILTIN, 'R', 'C', '1');

  enum Member : uint16_t {
    COPY = 0,
    GET_AREA = 1,
    GET_BOTTOM = 2,
    GET_BOTTOM_LEFT = 3,
    GET_BOTTOM_RIGHT = 4,
    GET_CENTRE = 5,
    GET_HEIGHT = 6,
    GET_LEFT = 7,
    GET_RIGHT = 8,
    GET_SIZE = 9,
    GET_TOP = 10,
    GET_TOP_LEFT = 11,
    GET_TOP_RIGHT = 12,
    GET_WIDTH = 13,
    INFLATE = 14,
    IS_EQUAL = 15,
    CONTAINS = 16,
    SET = 17,
    SET_BOTTOM = 18,
    SET_HEIGHT = 19,
    SET_LEFT = 20,
    SET_RIGHT = 21,
    SET_TOP = 22,
    SET_WIDTH = 23,
    NORMALIZE = 24,
    MEMBER_COUNT = 25,
  };

  explicit PObjRectangle(PObjectDefinition* definition)
      : PObject(definition), m_left(0), m_top(0), m_right(0), m_bottom(0) {}

  static void Register(PObjectDefinition* definition);
  static bool Declare(PObjectDefinition* definition);
  static PObject* New(PObjectDefinition* definition);
  bool Call(uint16_t member, PArgs* args, PResultCell* result, PObject* caller) override;

  int32_t GetLeft() const { return m_left; }
  int32_t GetTop() const { return m_top; }
  int32_t GetRight() const { return m_right; }
  int32_t GetBottom() const { return m_bottom; }
  void Set(int32_t left, int32_t top, int32_t right, int32_t bottom) {
    m_left = left;
    m_top = top;
    m_right = right;
    m_bottom = bottom;
  }

 private:
  int32_t m_left;
  int32_t m_top;
  int32_t m_right;
  int32_t m_bottom;
};
