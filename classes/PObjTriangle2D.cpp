#include "classes/PObjTriangle2D.h"

#include <cmath>
#include <new>
#include <utility>

#include "classes/ClassArgs.h"
#include "classes/PObjTriangle3D.h"
#include "classes/PObjVector.h"
#include "classes/PlaneGeometry.h"
#include "engine/PObjectDefinition.h"

namespace {

// The double nearest pi/2: an angle is right only when it equals this.
constexpr double kRightAngle = kPi / 2;

// The ends of the side opposite vertex i: B to C, A to C, A to B.
constexpr int kSideStart[3] = {1, 0, 0};
constexpr int kSideEnd[3] = {2, 2, 1};

}  // namespace

PObjTriangle2D::PObjTriangle2D(PObjectDefinition* definition)
    : PObject(definition), m_vertices{{0, 0}, {0, 0}, {0, 0}} {}

void PObjTriangle2D::Register(PObjectDefinition* definition) {
  definition->SetFactory(New);
  definition->SetCategory(CATEGORY_MATH);
  definition->SetTypeCode(kTypeCode);
  definition->SetName("Triangle2D");
  PObject::Register(definition);
}

bool PObjTriangle2D::Declare(PObjectDefinition* d) {
  PObject::Declare(d);
  const TypeCode kFloat = TYPE_FLOAT, kInt = TYPE_INTEGER, kVoid = TYPE_VOID;
  const PParamDecl x(kFloat), i(kInt), vector(PObjVector2D::kTypeCode);
  const PParamDecl own(kTypeCode), flat(PObjTriangle3D::kTypeCode);
  auto function = [d](uint16_t number, TypeCode resultType, std::initializer_list<PParamDecl> params) {
    return d->AddMember(MEMBER_FUNCTION, number, resultType, params);
  };
  return function(COPY, kVoid, {own}) && function(LAY_FLAT, kVoid, {flat}) &&
         function(PROJECT_ZY, kVoid, {flat}) && function(PROJECT_XZ, kVoid, {flat}) &&
         function(PROJECT_XY, kVoid, {flat}) && function(CENTRE, kVoid, {}) &&
         function(MIRROR_VERTICAL, kVoid, {}) && function(GET_ANGLE, kFloat, {i}) &&
         function(GET_AREA, kFloat, {}) && function(GET_CENTROID, kVoid, {vector}) &&
         function(GET_APEX, kInt, {}) && function(GET_SIDE, kFloat, {i}) &&
         function(GET_PERIMETER, kFloat, {}) && function(GET_ALTITUDE_FOOT, kInt, {vector, i}) &&
         function(GET_VERTEX, kVoid, {vector, i}) && function(GET_RIGHT_ANGLE, kInt, {}) &&
         function(GET_X, kFloat, {i}) && function(GET_Y, kFloat, {i}) &&
         function(SPREAD, kVoid, {x, x}) && function(IS_EQUILATERAL, kInt, {}) &&
         function(IS_ISOSCELES, kInt, {}) && function(IS_RIGHT_ANGLED, kInt, {}) &&
         function(MIRROR_HORIZONTAL, kVoid, {}) && function(TRANSLATE, kVoid, {x, x}) &&
         function(ROTATE, kVoid, {x, vector}) && function(SET, kVoid, {x, x, x, x, x, x}) &&
         function(SET_VERTEX, kVoid, {i, vector}) && function(SET_X, kVoid, {i, x}) &&
         function(SET_Y, kVoid, {i, x}) && function(CONTAINS, kInt, {vector});
}

PObject* PObjTriangle2D::New(PObjectDefinition* definition) {
  return new (std::nothrow) PObjTriangle2D(definition);
}

// ---- Measurements ------------------------------------------------------------------------------

double PObjTriangle2D::GetSide(int i) const {
  return PointDistance(m_vertices[kSideStart[i]], m_vertices[kSideEnd[i]]);
}

double PObjTriangle2D::GetAngle(int i) const {
  // The law of cosines with a the side opposite the vertex and b, c the
  // two sides meeting at it.
  const double a = GetSide(i);
  const double b = GetSide(i == 0 ? 1 : 0);
  const double c = GetSide(i == 2 ? 1 : 2);
  return std::acos((b * b + c * c - a * a) / (c * (b * 2)));
}

bool PObjTriangle2D::GetAltitudeFoot(int i, GeoPoint& foot) const {
  const GeoPoint& v = m_vertices[i];
  const GeoPoint& p = m_vertices[kSideStart[i]];
  const GeoPoint& q = m_vertices[kSideEnd[i]];
  // A second point of the perpendicular through v, a quarter turn off the
  // side's bearing.
  const double l = GetBearing(p, q) + kPi / 2;
  const GeoPoint across = {v.x + 10 * std::sin(l), v.y + 10 * std::cos(l)};
  return IntersectLines(v, across, p, q, &foot);
}

double PObjTriangle2D::GetArea() const {
  for (int i = 0; i < 3; i++) {
    GeoPoint foot;
    if (GetAltitudeFoot(i, foot)) return GetSide(i) * PointDistance(m_vertices[i], foot) / 2;
  }
  return -1;
}

GeoPoint PObjTriangle2D::GetCentroid() const {
  const GeoPoint* v = m_vertices;
  return {(v[0].x + v[1].x + v[2].x) / 3, (v[0].y + v[1].y + v[2].y) / 3};
}

int PObjTriangle2D::FindRightAngle() const {
  for (int i = 0; i < 3; i++)
    if (GetAngle(i) == kRightAngle) return i;
  return -1;
}

// ---- Transformations ---------------------------------------------------------------------------

void PObjTriangle2D::Translate(double dx, double dy) {
  for (GeoPoint& v : m_vertices) v = {v.x + dx, v.y + dy};
}

void PObjTriangle2D::Rotate(double angle, const GeoPoint* centre) {
  const GeoPoint o = centre ? *centre : GetCentroid();
  for (GeoPoint& v : m_vertices) {
    const double theta = GetBearing(o, v) + angle;
    const double r = PointDistance(v, o);
    v = {o.x + r * std::sin(theta), o.y + r * std::cos(theta)};
  }
}

void PObjTriangle2D::LayFlat(const GeoVector (&v)[3]) {
  const double c = PointDistance3D(v[0], v[2]), d = PointDistance3D(v[0], v[1]);
  const double b = PointDistance3D(v[1], v[2]);
  const double f = std::acos((c * c + d * d - b * b) / (2 * c * d));
  m_vertices[0] = {0, 0};
  m_vertices[1] = {d, 0};
  m_vertices[2] = {c * std::cos(f), c * std::sin(f)};
  const GeoPoint centroid = GetCentroid();
  Translate(-centroid.x, -centroid.y);
}

// ---- Dispatch ----------------------------------------------------------------------------------

namespace {

// Where the vertex index stands among a member's arguments; -1 for the
// members without one.
int IndexPosition(uint16_t member) {
  switch (member) {
    case PObjTriangle2D::GET_ANGLE:
    case PObjTriangle2D::GET_SIDE:
    case PObjTriangle2D::GET_X:
    case PObjTriangle2D::GET_Y:
    case PObjTriangle2D::SET_VERTEX:
    case PObjTriangle2D::SET_X:
    case PObjTriangle2D::SET_Y: return 0;
    case PObjTriangle2D::GET_ALTITUDE_FOOT:
    case PObjTriangle2D::GET_VERTEX: return 1;
    default: return -1;
  }
}

}  // namespace

bool PObjTriangle2D::Call(uint16_t member, PArgs* args, PResultCell* result, PObject* caller) {
  if (member >= MEMBER_COUNT) return PObject::Call(member, args, result, caller);
  const int position = IndexPosition(member);
  if (position < 0) return CallWithoutIndex(member, args, result);
  const int64_t i = GetArgInt64(args, position);
  if (i >= 0 && i <= 2) return CallWithIndex(member, int(i), args, result);
  // An index outside the triangle: the measurements answer 0, the altitude
  // false, and everything else nothing.
  switch (member) {
    case GET_ANGLE:
    case GET_SIDE: return ReturnDouble(result, 0.0);
    case GET_ALTITUDE_FOOT: return GetArgOfClass<PObjVector2D>(args, 0) ? ReturnBool(result, false) : true;
    default: return true;
  }
}

bool PObjTriangle2D::CallWithIndex(uint16_t member, int i, PArgs* args, PResultCell* result) {
  GeoPoint& vertex = m_vertices[i];
  switch (member) {
    case GET_ANGLE: return ReturnDouble(result, GetAngle(i));
    case GET_SIDE: return ReturnDouble(result, GetSide(i));
    case GET_ALTITUDE_FOOT: {
      PObjVector2D* out = GetArgOfClass<PObjVector2D>(args, 0);
      if (!out) return true;
      GeoPoint foot;
      if (!GetAltitudeFoot(i, foot)) return ReturnBool(result, false);
      out->Set(foot);
      return ReturnBool(result, true);
    }
    case GET_VERTEX:
      if (PObjVector2D* out = GetArgOfClass<PObjVector2D>(args, 0)) out->Set(vertex);
      return true;
    case GET_X: return ReturnDouble(result, vertex.x);
    case GET_Y: return ReturnDouble(result, vertex.y);
    case SET_VERTEX:
      if (const PObjVector2D* v = GetArgOfClass<PObjVector2D>(args, 1)) vertex = v->Get();
      return true;
    case SET_X: vertex.x = GetArgDouble(args, 1); return true;
    case SET_Y: vertex.y = GetArgDouble(args, 1); return true;
    default: return true;
  }
}

bool PObjTriangle2D::CallWithoutIndex(uint16_t member, PArgs* args, PResultCell* result) {
  switch (member) {
    case COPY:
      if (const PObjTriangle2D* source = GetArgOfClass<PObjTriangle2D>(args, 0))
        for (int k = 0; k < 3; k++) m_vertices[k] = source->m_vertices[k];
      return true;
    case LAY_FLAT:
    case PROJECT_ZY:
    case PROJECT_XZ:
    case PROJECT_XY: {
      const PObjTriangle3D* t = GetArgOfClass<PObjTriangle3D>(args, 0);
      if (!t) return true;
      const GeoVector v[3] = {t->GetVertex(0), t->GetVertex(1), t->GetVertex(2)};
      if (member == LAY_FLAT) {
        LayFlat(v);
        return true;
      }
      for (int k = 0; k < 3; k++) {
        if (member == PROJECT_ZY) m_vertices[k] = {v[k].z, v[k].y};
        else if (member == PROJECT_XZ) m_vertices[k] = {v[k].x, v[k].z};
        else m_vertices[k] = {v[k].x, v[k].y};
      }
      return true;
    }
    case CENTRE: {
      const GeoPoint c = GetCentroid();
      Translate(-c.x, -c.y);
      return true;
    }
    case MIRROR_VERTICAL:
    case MIRROR_HORIZONTAL: {
      const GeoPoint c = GetCentroid();
      for (GeoPoint& v : m_vertices) {
        if (member == MIRROR_VERTICAL) v.y = c.y - (v.y - c.y);
        else v.x = c.x - (v.x - c.x);
      }
      return true;
    }
    case GET_AREA: return ReturnDouble(result, GetArea());
    case GET_CENTROID:
      if (PObjVector2D* out = GetArgOfClass<PObjVector2D>(args, 0)) out->Set(GetCentroid());
      return true;
    case GET_APEX: {
      const double bc = GetSide(0), ac = GetSide(1), ab = GetSide(2);
      if (ab == ac && ac != bc) return ReturnInt64(result, 0);
      if (ab == bc && bc != ac) return ReturnInt64(result, 1);
      if (ac == bc && bc != ab) return ReturnInt64(result, 2);
      return ReturnInt64(result, -1);
    }
    case GET_PERIMETER: return ReturnDouble(result, GetSide(2) + (GetSide(1) + GetSide(0)));
    case GET_RIGHT_ANGLE: return ReturnInt64(result, FindRightAngle());
    case SPREAD: {
      const GeoPoint c = GetCentroid();
      const double a = GetArgDouble(args, 0), b = GetArgDouble(args, 1);
      for (GeoPoint& v : m_vertices) {
        v.x += v.x < c.x ? -a : v.x > c.x ? a : 0;
        v.y += v.y < c.y ? -b : v.y > c.y ? b : 0;
      }
      return true;
    }
    case IS_EQUILATERAL:
    case IS_ISOSCELES: {
      const GeoPoint* v = m_vertices;
      const double bc = SquaredDistance(v[1], v[2]), ac = SquaredDistance(v[0], v[2]);
      const double ab = SquaredDistance(v[0], v[1]);
      const bool holds = member == IS_EQUILATERAL ? ab == ac && ac == bc
                                                  : ab == ac || ac == bc || ab == bc;
      return holds ? ReturnBool(result, true) : true;
    }
    case IS_RIGHT_ANGLED: return ReturnBool(result, FindRightAngle() >= 0);
    case TRANSLATE: Translate(GetArgDouble(args, 0), GetArgDouble(args, 1)); return true;
    case ROTATE: {
      const PObjVector2D* centre = GetArgOfClass<PObjVector2D>(args, 1);
      Rotate(GetArgDouble(args, 0), centre ? &centre->Get() : nullptr);
      return true;
    }
    case SET:
      for (int k = 0; k < 3; k++) m_vertices[k] = {GetArgDouble(args, 2 * k), GetArgDouble(args, 2 * k + 1)};
      return true;
    case CONTAINS: {
      const PObjVector2D* point = GetArgOfClass<PObjVector2D>(args, 0);
      if (!point) return true;
      // Passed as (B, C, A): a clockwise triangle has its B and C exchanged.
      return ReturnBool(result, PointInTriangle(m_vertices[1], m_vertices[2], m_vertices[0], point->Get()));
    }
    default: return true;
  }
}
