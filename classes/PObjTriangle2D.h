// PObjTriangle2D: the script class "Triangle2D", three points in the plane
// (A, B, C as vertex indexes 0, 1, 2; side i lies opposite vertex i), with
// measurements, classification, transformations and a point test. It is
// also made from a Triangle3D, laid flat or projected.
//
// No comparison has a tolerance: sides are equal, and an angle is right,
// only when the doubles are. A vertex index outside 0 to 2 gives nothing
// (the angle and side lengths answer 0) and changes nothing. Members that
// answer into a Vector2D do nothing when it is null.
#pragma once

#include <cstdint>

#include "core/GeometryFunctions.h"
#include "engine/PObject.h"

class PObjTriangle2D : public PObject {
 public:
  static constexpr TypeCode kTypeCode = MakeTypeCode(ORIGIN_BUILTIN, 'T', 'R', '2');

  enum Member : uint16_t {
    COPY = 0,
    LAY_FLAT = 1,
    PROJECT_ZY = 2,
    PROJECT_XZ = 3,
    PROJECT_XY = 4,
    CENTRE = 5,
    MIRROR_VERTICAL = 6,
    GET_ANGLE = 7,
    GET_AREA = 8,
    GET_CENTROID = 9,
    GET_APEX = 10,
    GET_SIDE = 11,
    GET_PERIMETER = 12,
    GET_ALTITUDE_FOOT = 13,
    GET_VERTEX = 14,
    GET_RIGHT_ANGLE = 15,
    GET_X = 16,
    GET_Y = 17,
    SPREAD = 18,
    IS_EQUILATERAL = 19,
    IS_ISOSCELES = 20,
    IS_RIGHT_ANGLED = 21,
    MIRROR_HORIZONTAL = 22,
    TRANSLATE = 23,
    ROTATE = 24,
    SET = 25,
    SET_VERTEX = 26,
    SET_X = 27,
    SET_Y = 28,
    CONTAINS = 29,
    MEMBER_COUNT = 30,
  };

  explicit PObjTriangle2D(PObjectDefinition* definition);

  static void Register(PObjectDefinition* definition);
  static bool Declare(PObjectDefinition* definition);
  static PObject* New(PObjectDefinition* definition);
  bool Call(uint16_t member, PArgs* args, PResultCell* result, PObject* caller) override;

  // i in 0 to 2 for all of these.
  const GeoPoint& GetVertex(int i) const { return m_vertices[i]; }
  void SetVertex(int i, const GeoPoint& p) { m_vertices[i] = p; }
  // The length of the side opposite vertex i.
  double GetSide(int i) const;
  double GetAngle(int i) const;
  // The foot of the altitude from vertex i on the line of the opposite
  // side; false when the side's ends coincide.
  bool GetAltitudeFoot(int i, GeoPoint& foot) const;
  // -1 when no altitude can be built.
  double GetArea() const;
  GeoPoint GetCentroid() const;
  // The first vertex whose angle is exactly the double nearest pi/2; -1.
  int FindRightAngle() const;
  // About centre, or about the centroid when centre is null.
  void Rotate(double angle, const GeoPoint* centre);

 private:
  void Translate(double dx, double dy);
  // Laid flat with its side lengths kept, then centred.
  void LayFlat(const GeoVector (&v)[3]);
  // The members without a vertex index, and those with one once it is
  // known to lie in 0 to 2.
  bool CallWithoutIndex(uint16_t member, PArgs* args, PResultCell* result);
  bool CallWithIndex(uint16_t member, int i, PArgs* args, PResultCell* result);

  GeoPoint m_vertices[3];
};
