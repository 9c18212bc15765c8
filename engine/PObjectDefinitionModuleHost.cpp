// Module libraries are Windows programs: the host build loads none, so a
// module class can never start here.
#include "engine/PObjectDefinition.h"

bool PObjectDefinition::LoadModule() { return GetOrigin() != ORIGIN_MODULE; }

void PObjectDefinition::UnloadModule() {}

void* PObjectDefinition::GetModuleExport(const char* name) const {
  (void)name;
  return nullptr;
}
