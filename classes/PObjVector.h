// PObjVector2D and PObjVector3D: the script classes "Vector2D" and
// "Vector3D", a point or vector of doubles in the plane or in space. The
// other geometry classes and Math read them as arguments and answer into
// them. Members that set answer the object itself, so that calls chain.
#pragma once

#include <cstdint>

#include "core/GeometryFunctions.h"
#include "engine/PObject.h"

class PObjVector2D : public PObject {
 public:
  static constexpr TypeCode kTypeCode = MakeTypeCode(ORIGIN_BUILTIN, 'V', 'E', '2');

  enum Member : uint16_t {
    COPY = 0,
    GET_X = 1,
    GET_Y = 2,
    SET = 3,
    SET_X = 4,
    SET_Y = 5,
    MEMBER_COUNT = 6,
  };

  explicit PObjVector2D(PObjectDefinition* definition) : PObject(definition), m_point{0, 0} {}

  static void Register(PObjectDefinition* definition);
  static bool Declare(PObjectDefinition* definition);
  static PObject* New(PObjectDefinition* definition);
  bool Call(uint16_t member, PArgs* args, PResultCell* result, PObject* caller) override;

  const GeoPoint& Get() const { return m_point; }
  void Set(const GeoPoint& point) { m_point = point; }

 private:
  GeoPoint m_point;
};

class PObjVector3D : public PObject {
 public:
  static constexpr TypeCode kTypeCode = MakeTypeCode(ORIGIN_BUILTIN, 'V', 'E', '3');

  enum Member : uint16_t {
    ADD = 0,
    ADD_TO_EACH = 1,
    COPY = 2,
    GET_X = 3,
    GET_Y = 4,
    GET_Z = 5,
    MULTIPLY = 6,
    SET = 7,
    SET_X = 8,
    SET_Y = 9,
    SET_Z = 10,
    MEMBER_COUNT = 11,
  };

  explicit PObjVector3D(PObjectDefinition* definition) : PObject(definition), m_vector{0, 0, 0} {}

  static void Register(PObjectDefinition* definition);
  static bool Declare(PObjectDefinition* definition);
  static PObject* New(PObjectDefinition* definition);
  bool Call(uint16_t member, PArgs* args, PResultCell* result, PObject* caller) override;

  const GeoVector& Get() const { return m_vector; }
  void Set(const GeoVector& vector) { m_vector = vector; }
  void Add(const GeoVector& other);

 private:
  GeoVector m_vector;
};
