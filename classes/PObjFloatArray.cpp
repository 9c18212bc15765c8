// The FloatArray class: its identity; the members are PObjNumberArray's.
#include "classes/PObjFloatArray.h"

#include <new>

#include "engine/PObjectDefinition.h"

void PObjFloatArray::Register(PObjectDefinition* definition) {
  definition->SetFactory(New);
  definition->SetCategory(CATEGORY_ARRAYS);
  definition->SetTypeCode(kTypeCode);
  definition->SetName("FloatArray");
  PObject::Register(definition);
}

PObject* PObjFloatArray::New(PObjectDefinition* definition) {
  return new (std::nothrow) PObjFloatArray(definition);
}
