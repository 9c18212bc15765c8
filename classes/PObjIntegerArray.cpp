// The IntegerArray class: its identity; the members are PObjNumberArray's.
#include "classes/PObjIntegerArray.h"

#include <new>

#include "engine/PObjectDefinition.h"

void PObjIntegerArray::Register(PObjectDefinition* definition) {
  definition->SetFactory(New);
  definition->SetCategory(CATEGORY_ARRAYS);
  definition->SetTypeCode(kTypeCode);
  definition->SetName("IntegerArray");
  PObject::Register(definition);
}

PObject* PObjIntegerArray::New(PObjectDefinition* definition) {
  return new (std::nothrow) PObjIntegerArray(definition);
}
