#include "classes/PObjString.h"

#include <new>

#include "engine/PObjectDefinition.h"

void PObjString::Register(PObjectDefinition* definition) {
  definition->SetFactory(New);
  definition->SetCategory(CATEGORY_VALUES);
  definition->SetTypeCode(TYPE_STRING);
  definition->SetName("String");
  PObject::Register(definition);
}

PObject* PObjString::New(PObjectDefinition* definition) {
  return new (std::nothrow) PObjString(definition);
}
