#include "tools/packwriter/BuiltinClassNaming.h"

#include <cstring>

#include "engine/BuiltinClassTable.h"
#include "engine/PObjectDefinition.h"

namespace {

int FindBuiltinClass(const char* name) {
  int count = 0;
  const PBuiltinClassRow* rows = GetBuiltinClassRows(count);
  for (int i = 0; i < count; i++)
    if (std::strcmp(rows[i].name, name) == 0) return i;
  return -1;
}

}  // namespace

BuiltinNaming EngineBuiltinNaming() {
  return BuiltinNaming{FindBuiltinClass, PObjectDefinition::MakeInternalName};
}
