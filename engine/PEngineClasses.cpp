// Registration and declaration of the built-in classes, row by row of the
// built-in class table.
#include <new>

#include "engine/BuiltinClassTable.h"
#include "engine/PBuiltinClass.h"
#include "engine/PEngine.h"
#include "engine/PObjectDefinition.h"

void PEngine::RegisterClasses() {
  ClearDefinitions();
  int count = 0;
  const PBuiltinClass* rows = GetBuiltinClassTable(count);
  for (int i = 0; i < count; i++) {
    const PBuiltinClass& row = rows[i];
    bool typeOnly = row.Register == nullptr;
    PObjectDefinition* definition = new (std::nothrow)
        PObjectDefinition(this, typeOnly ? row.typeCode : TYPE_NONE, typeOnly ? row.name : "", "");
    if (!definition) continue;
    if (!typeOnly) row.Register(definition);
    if (!AddDefinition(definition)) delete definition;
  }
}

bool PEngine::DeclareClasses() {
  int count = 0;
  const PBuiltinClass* rows = GetBuiltinClassTable(count);
  bool ok = true;
  for (int i = 0; i < count; i++) {
    if (!rows[i].Declare) continue;
    if (PObjectDefinition* definition = FindDefinition(rows[i].typeCode)) {
      if (!rows[i].Declare(definition)) ok = false;
    }
  }
  return ok;
}
