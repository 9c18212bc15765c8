// PObjRectangle2D: the script class "Rectangle2D", a corner (x, y) and an
// extent (width, height) as doubles. Its right edge is x + width and its
// bottom edge y + height; width and height may be negative until member 24
// normalises them. Members that answer into a Vector2D do nothing when it
// is null; the point test is exact, with no tolerance at the edges.
#pragma once

#include <cstdint>

#include "engine/PObject.h"

class PObjRectangle2D : public PObject {
 public:
  static constexpr TypeCode kTypeCode = MakeTypeCode(ORIGIN_BUILTIN, 'R', 'C', '2');

  enum Member : uint16_t {
    COPY = 0,
    GET_AREA = 1,
    GET_BOTTOM = 2,
    GET_BOTTOM_LEFT = 3,
    GET_BOTTOM_RIGHT = 4,
    GET_CENTRE = 5,
    GET_HEIGHT = 6,
    GET_X = 7,
    GET_RIGHT = 8,
    GET_SIZE = 9,
    GET_Y = 10,
    GET_TOP_LEFT = 11,
    GET_TOP_RIGHT = 12,
    GET_WIDTH = 13,
    INFLATE = 14,
    IS_EQUAL = 15,
    SET = 16,
    SET_BOTTOM = 17,
    SET_HEIGHT = 18,
    SET_X = 19,
    SET_RIGHT = 20,
    SET_Y = 21,
    SET_WIDTH = 22,
    LOCATE_POINT = 23,
    NORMALIZE = 24,
    MEMBER_COUNT = 25,
  };

  explicit PObjRectangle2D(PObjectDefinition* definition)
      : PObject(definition), m_x(0), m_y(0), m_width(0), m_height(0) {}

  static void Register(PObjectDefinition* definition);
  static bool Declare(PObjectDefinition* definition);
  static PObject* New(PObjectDefinition* definition);
  bool Call(uint16_t member, PArgs* args, PResultCell* result, PObject* caller) override;

  double GetX() const { return m_x; }
  double GetY() const { return m_y; }
  double GetWidth() const { return m_width; }
  double GetHeight() const { return m_height; }
  void Set(double x, double y, double width, double height) {
    m_x = x;
    m_y = y;
    m_width = width;
    m_height = height;
  }

 private:
  double m_x;
  double m_y;
  double m_width;
  double m_height;
};
