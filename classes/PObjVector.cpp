#include "classes/PObjVector.h"

#include <new>

#include "classes/ClassArgs.h"
#include "engine/PObjectDefinition.h"

// ==== Vector2D ==================================================================================

void PObjVector2D::Register(PObjectDefinition* definition) {
  definition->SetFactory(New);
  definition->SetCategory(CATEGORY_MATH);
  definition->SetTypeCode(kTypeCode);
  definition->SetName("Vector2D");
  PObject::Register(definition);
}

bool PObjVector2D::Declare(PObjectDefinition* d) {
  PObject::Declare(d);
  const PParamDecl x(TYPE_FLOAT), vector(kTypeCode);
  return d->AddMember(MEMBER_FUNCTION, COPY, kTypeCode, {vector}) &&
         d->AddMember(MEMBER_FUNCTION, GET_X, TYPE_FLOAT) &&
         d->AddMember(MEMBER_FUNCTION, GET_Y, TYPE_FLOAT) &&
         d->AddMember(MEMBER_FUNCTION, SET, kTypeCode, {x, x}) &&
         d->AddMember(MEMBER_FUNCTION, SET_X, kTypeCode, {x}) &&
         d->AddMember(MEMBER_FUNCTION, SET_Y, kTypeCode, {x});
}

PObject* PObjVector2D::New(PObjectDefinition* definition) {
  return new (std::nothrow) PObjVector2D(definition);
}

bool PObjVector2D::Call(uint16_t member, PArgs* args, PResultCell* result, PObject* caller) {
  switch (member) {
    case COPY: {
      const PObjVector2D* source = GetArgOfClass<PObjVector2D>(args, 0);
      if (!source) return true;
      m_point = source->m_point;
      break;
    }
    case GET_X: return ReturnDouble(result, m_point.x);
    case GET_Y: return ReturnDouble(result, m_point.y);
    case SET: m_point = {GetArgDouble(args, 0), GetArgDouble(args, 1)}; break;
    case SET_X: m_point.x = GetArgDouble(args, 0); break;
    case SET_Y: m_point.y = GetArgDouble(args, 0); break;
    default: return PObject::Call(member, args, result, caller);
  }
  return ReturnObject(result, this);
}

// ==== Vector3D ==================================================================================

void PObjVector3D::Register(PObjectDefinition* definition) {
  definition->SetFactory(New);
  definition->SetCategory(CATEGORY_MATH);
  definition->SetTypeCode(kTypeCode);
  definition->SetName("Vector3D");
  PObject::Register(definition);
}

bool PObjVector3D::Declare(PObjectDefinition* d) {
  PObject::Declare(d);
  const PParamDecl x(TYPE_FLOAT), vector(kTypeCode);
  return d->AddMember(MEMBER_FUNCTION, ADD, kTypeCode, {vector}) &&
         d->AddMember(MEMBER_FUNCTION, ADD_TO_EACH, kTypeCode, {x}) &&
         d->AddMember(MEMBER_FUNCTION, COPY, kTypeCode, {vector}) &&
         d->AddMember(MEMBER_FUNCTION, GET_X, TYPE_FLOAT) &&
         d->AddMember(MEMBER_FUNCTION, GET_Y, TYPE_FLOAT) &&
         d->AddMember(MEMBER_FUNCTION, GET_Z, TYPE_FLOAT) &&
         d->AddMember(MEMBER_FUNCTION, MULTIPLY, kTypeCode, {x}) &&
         d->AddMember(MEMBER_FUNCTION, SET, kTypeCode, {x, x, x}) &&
         d->AddMember(MEMBER_FUNCTION, SET_X, kTypeCode, {x}) &&
         d->AddMember(MEMBER_FUNCTION, SET_Y, kTypeCode, {x}) &&
         d->AddMember(MEMBER_FUNCTION, SET_Z, kTypeCode, {x});
}

PObject* PObjVector3D::New(PObjectDefinition* definition) {
  return new (std::nothrow) PObjVector3D(definition);
}

void PObjVector3D::Add(const GeoVector& other) {
  m_vector.x += other.x;
  m_vector.y += other.y;
  m_vector.z += other.z;
}

bool PObjVector3D::Call(uint16_t member, PArgs* args, PResultCell* result, PObject* caller) {
  switch (member) {
    case ADD:
    case COPY: {
      const PObjVector3D* other = GetArgOfClass<PObjVector3D>(args, 0);
      if (!other) return true;
      if (member == ADD) Add(other->m_vector);
      else m_vector = other->m_vector;
      break;
    }
    case ADD_TO_EACH: {
      const double v = GetArgDouble(args, 0);
      Add({v, v, v});
      break;
    }
    case GET_X: return ReturnDouble(result, m_vector.x);
    case GET_Y: return ReturnDouble(result, m_vector.y);
    case GET_Z: return ReturnDouble(result, m_vector.z);
    case MULTIPLY: {
      const double v = GetArgDouble(args, 0);
      m_vector = {m_vector.x * v, m_vector.y * v, m_vector.z * v};
      break;
    }
    case SET: m_vector = {GetArgDouble(args, 0), GetArgDouble(args, 1), GetArgDouble(args, 2)}; break;
    case SET_X: m_vector.x = GetArgDouble(args, 0); break;
    case SET_Y: m_vector.y = GetArgDouble(args, 0); break;
    case SET_Z: m_vector.z = GetArgDouble(args, 0); break;
    default: return PObject::Call(member, args, result, caller);
  }
  return ReturnObject(result, this);
}
