// PObjTriangle3D: the script class "Triangle3D", three points in space (A,
// B, C as vertex indexes 0, 1, 2), mainly a container from which a
// Triangle2D is made. A vertex index outside 0 to 2 is refused: the member
// answers nothing and changes nothing.
#pragma once

#include <cstdint>

#include "core/GeometryFunctions.h"
#include "engine/PObject.h"

class PObjTriangle3D : public PObject {
 public:
  static constexpr TypeCode kTypeCode = MakeTypeCode(ORIGIN_BUILTIN, 'T', 'R', '3');

  enum Member : uint16_t {
    COPY = 0,
    GET_VERTEX = 1,
    GET_X = 2,
    GET_Y = 3,
    GET_Z = 4,
    TRANSLATE = 5,
    SET = 6,
    SET_VERTEX = 7,
    SET_X = 8,
    SET_Y = 9,
    SET_Z = 10,
    MEMBER_COUNT = 11,
  };

  explicit PObjTriangle3D(PObjectDefinition* definition);

  static void Register(PObjectDefinition* definition);
  static bool Declare(PObjectDefinition* definition);
  static PObject* New(PObjectDefinition* definition);
  bool Call(uint16_t member, PArgs* args, PResultCell* result, PObject* caller) override;

  // i in 0 to 2.
  const GeoVector& GetVertex(int i) const { return m_vertices[i]; }
  void SetVertex(int i, const GeoVector& v) { m_vertices[i] = v; }

 private:
  GeoVector m_vertices[3];
};
