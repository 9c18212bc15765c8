// The Registry class: registration, the member table and the check of the
// root argument that every member makes first.
#include "classes/PObjRegistry.h"

#include <cstdint>
#include <initializer_list>
#include <new>

#include "engine/PObjectDefinition.h"

void PObjRegistry::Register(PObjectDefinition* definition) {
  definition->SetFactory(New);
  definition->SetCategory(CATEGORY_SYSTEM);
  definition->SetTypeCode(kTypeCode);
  definition->SetName("Registry");
  definition->AddConstant("CURRENT_USER", CURRENT_USER);
  definition->AddConstant("LOCAL_MACHINE", LOCAL_MACHINE);
  definition->AddConstant("CLASSES_ROOT", CLASSES_ROOT);
  definition->AddConstant("CURRENT_CONFIG", CURRENT_CONFIG);
  definition->AddConstant("USERS", USERS);
  PObject::Register(definition);
}

bool PObjRegistry::Declare(PObjectDefinition* d) {
  PObject::Declare(d);
  const TypeCode kInt = TYPE_INTEGER, kStr = TYPE_STRING;
  const PParamDecl n(TYPE_INTEGER), text(TYPE_STRING);
  const PParamDecl root(TYPE_INTEGER, "CURRENT_USER", int32_t(CURRENT_USER));

  // Members are numbered by their position: added in order, 0 to 5.
  bool ok = true;
  auto add = [&](Member member, TypeCode result, std::initializer_list<PParamDecl> params) {
    ok = ok && d->GetMemberCount() == member && d->AddMember(MEMBER_FUNCTION, member, result, params);
  };
  add(READ_INTEGER, kInt, {text, text, root});
  add(READ_STRING, kStr, {text, text, root});
  add(WRITE_INTEGER, kInt, {text, text, n, root});
  add(WRITE_STRING, kInt, {text, text, text, root});
  add(DELETE_KEY, kInt, {text, root});
  add(DELETE_VALUE, kInt, {text, text, root});
  return ok;
}

PObject* PObjRegistry::New(PObjectDefinition* definition) {
  return new (std::nothrow) PObjRegistry(definition);
}

int PObjRegistry::RootArgument(uint16_t member) {
  switch (member) {
    case WRITE_INTEGER:
    case WRITE_STRING: return 3;
    case DELETE_KEY: return 1;
    default: return 2;
  }
}

bool PObjRegistry::Call(uint16_t member, PArgs* args, PResultCell* result, PObject* caller) {
  if (member >= MEMBER_COUNT) return PObject::Call(member, args, result, caller);
  int64_t root = GetArgInt64(args, RootArgument(member));
  if (root < CURRENT_USER || root > USERS) return true;
  return CallPlatform(member, int32_t(root), args, result);
}
