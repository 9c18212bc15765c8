#include "classes/PObjUniString.h"

#include <new>

#include "engine/PObjectDefinition.h"

void PObjUniString::Register(PObjectDefinition* definition) {
  definition->SetFactory(New);
  definition->SetCategory(CATEGORY_VALUES);
  definition->SetTypeCode(TYPE_UNISTRING);
  definition->SetName("UniString");
  PObject::Register(definition);
}

PObject* PObjUniString::New(PObjectDefinition* definition) {
  return new (std::nothrow) PObjUniString(definition);
}
