#include "classes/PObjPoint.h"

#include <new>

#include "classes/ClassArgs.h"
#include "engine/PObjectDefinition.h"

void PObjPoint::Register(PObjectDefinition* definition) {
  definition->SetFactory(New);
  definition->SetCategory(CATEGORY_MATH);
  definition->SetTypeCode(kTypeCode);
  definition->SetName("Point");
  PObject::Register(definition);
}

void PObjSize::Register(PObjectDefinition* definition) {
  definition->SetFactory(New);
  definition->SetCategory(CATEGORY_MATH);
  definition->SetTypeCode(kTypeCode);
  definition->SetName("Size");
  PObject::Register(definition);
}

bool PObjPoint::DeclareFor(PObjectDefinition* d, TypeCode own) {
  PObject::Declare(d);
  const PParamDecl n(TYPE_INTEGER);
  return d->AddMember(MEMBER_FUNCTION, COPY, TYPE_VOID, {PParamDecl(own)}) &&
         d->AddMember(MEMBER_FUNCTION, GET_FIRST, TYPE_INTEGER) &&
         d->AddMember(MEMBER_FUNCTION, GET_SECOND, TYPE_INTEGER) &&
         d->AddMember(MEMBER_FUNCTION, SET, TYPE_VOID, {n, n}) &&
         d->AddMember(MEMBER_FUNCTION, SET_FIRST, TYPE_VOID, {n}) &&
         d->AddMember(MEMBER_FUNCTION, SET_SECOND, TYPE_VOID, {n});
}

bool PObjPoint::Declare(PObjectDefinition* definition) { return DeclareFor(definition, kTypeCode); }

bool PObjSize::Declare(PObjectDefinition* definition) { return DeclareFor(definition, kTypeCode); }

PObject* PObjPoint::New(PObjectDefinition* definition) {
  return new (std::nothrow) PObjPoint(definition);
}

PObject* PObjSize::New(PObjectDefinition* definition) {
  return new (std::nothrow) PObjSize(definition);
}

bool PObjPoint::Call(uint16_t member, PArgs* args, PResultCell* result, PObject* caller) {
  switch (member) {
    case COPY: {
      // Only an object of this object's own class is a source.
      const PObject* arg = GetArgObject(args, 0);
      if (arg && arg->GetDefinition()->GetTypeCode() == GetDefinition()->GetTypeCode()) {
        const PObjPoint* source = static_cast<const PObjPoint*>(arg);
        Set(source->m_first, source->m_second);
      }
      return true;
    }
    case GET_FIRST: return ReturnInt64(result, m_first);
    case GET_SECOND: return ReturnInt64(result, m_second);
    case SET: Set(GetArgLow32(args, 0), GetArgLow32(args, 1)); return true;
    case SET_FIRST: m_first = GetArgLow32(args, 0); return true;
    case SET_SECOND: m_second = GetArgLow32(args, 0); return true;
    default: return PObject::Call(member, args, result, caller);
  }
}
