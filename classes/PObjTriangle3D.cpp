#include "classes/PObjTriangle3D.h"

#include <new>

#include "classes/ClassArgs.h"
#include "classes/PObjVector.h"
#include "engine/PObjectDefinition.h"

PObjTriangle3D::PObjTriangle3D(PObjectDefinition* definition)
    : PObject(definition), m_vertices{{0, 0, 0}, {0, 0, 0}, {0, 0, 0}} {}

void PObjTriangle3D::Register(PObjectDefinition* definition) {
  definition->SetFactory(New);
  definition->SetCategory(CATEGORY_MATH);
  definition->SetTypeCode(kTypeCode);
  definition->SetName("Triangle3D");
  PObject::Register(definition);
}

bool PObjTriangle3D::Declare(PObjectDefinition* d) {
  PObject::Declare(d);
  const TypeCode kFloat = TYPE_FLOAT, kVoid = TYPE_VOID;
  const PParamDecl x(kFloat), i(TYPE_INTEGER), vector(PObjVector3D::kTypeCode);
  return d->AddMember(MEMBER_FUNCTION, COPY, kVoid, {PParamDecl(kTypeCode)}) &&
         d->AddMember(MEMBER_FUNCTION, GET_VERTEX, kVoid, {i, vector}) &&
         d->AddMember(MEMBER_FUNCTION, GET_X, kFloat, {i}) &&
         d->AddMember(MEMBER_FUNCTION, GET_Y, kFloat, {i}) &&
         d->AddMember(MEMBER_FUNCTION, GET_Z, kFloat, {i}) &&
         d->AddMember(MEMBER_FUNCTION, TRANSLATE, kVoid, {x, x, x}) &&
         d->AddMember(MEMBER_FUNCTION, SET, kVoid, {x, x, x, x, x, x, x, x, x}) &&
         d->AddMember(MEMBER_FUNCTION, SET_VERTEX, kVoid, {i, vector}) &&
         d->AddMember(MEMBER_FUNCTION, SET_X, kVoid, {i, x}) &&
         d->AddMember(MEMBER_FUNCTION, SET_Y, kVoid, {i, x}) &&
         d->AddMember(MEMBER_FUNCTION, SET_Z, kVoid, {i, x});
}

PObject* PObjTriangle3D::New(PObjectDefinition* definition) {
  return new (std::nothrow) PObjTriangle3D(definition);
}

namespace {

// The coordinate of a vertex that members 2 to 4 and 8 to 10 address.
double& Coordinate(GeoVector& v, uint16_t member) {
  switch (member) {
    case PObjTriangle3D::GET_X:
    case PObjTriangle3D::SET_X: return v.x;
    case PObjTriangle3D::GET_Y:
    case PObjTriangle3D::SET_Y: return v.y;
    default: return v.z;
  }
}

}  // namespace

bool PObjTriangle3D::Call(uint16_t member, PArgs* args, PResultCell* result, PObject* caller) {
  switch (member) {
    case COPY:
      if (const PObjTriangle3D* source = GetArgOfClass<PObjTriangle3D>(args, 0))
        for (int k = 0; k < 3; k++) m_vertices[k] = source->m_vertices[k];
      return true;
    case TRANSLATE: {
      const double dx = GetArgDouble(args, 0), dy = GetArgDouble(args, 1), dz = GetArgDouble(args, 2);
      for (GeoVector& v : m_vertices) v = {v.x + dx, v.y + dy, v.z + dz};
      return true;
    }
    case SET:
      for (int k = 0; k < 3; k++)
        m_vertices[k] = {GetArgDouble(args, 3 * k), GetArgDouble(args, 3 * k + 1),
                         GetArgDouble(args, 3 * k + 2)};
      return true;
    case GET_VERTEX:
    case GET_X:
    case GET_Y:
    case GET_Z:
    case SET_VERTEX:
    case SET_X:
    case SET_Y:
    case SET_Z: break;
    default: return PObject::Call(member, args, result, caller);
  }

  // The members that address one vertex.
  const int64_t i = GetArgInt64(args, 0);
  if (i < 0 || i > 2) return true;
  GeoVector& vertex = m_vertices[i];
  switch (member) {
    case GET_VERTEX:
      if (PObjVector3D* out = GetArgOfClass<PObjVector3D>(args, 1)) out->Set(vertex);
      return true;
    case SET_VERTEX:
      if (const PObjVector3D* v = GetArgOfClass<PObjVector3D>(args, 1)) vertex = v->Get();
      return true;
    case GET_X:
    case GET_Y:
    case GET_Z: return ReturnDouble(result, Coordinate(vertex, member));
    default: Coordinate(vertex, member) = GetArgDouble(args, 1); return true;
  }
}
