#include "engine/LoadPackageBuild.h"

#include <windows.h>

#include <cstring>
#include <new>

#include "engine/PEngine.h"
#include "engine/PObject.h"
#include "engine/PObjectDefinition.h"
#include "engine/compiler/PSource.h"

namespace {

// User class i gets 0x03000000 + i, except the two main classes.
TypeCode UserTypeCode(const SString& name, int i) {
  if (name == "Application") return TYPE_APPLICATION;
  if (name == "SubApplication") return TYPE_SUBAPPLICATION;
  return (TypeCode(ORIGIN_USER) << 24) + TypeCode(i);
}

bool AddProgramClasses(PEngine* engine, PSource* source) {
  for (int i = 0; i < source->GetClassCount(); i++) {
    const PSource::_PObject& record = *source->GetClass(i);
    SString name = record.GetName();
    SString base = record.GetBaseName();
    PObjectDefinition* definition = new (std::nothrow)
        PObjectDefinition(engine, UserTypeCode(name, i), name.GetText(), base.GetText());
    if (!definition) return false;
    definition->SetCategory(CATEGORY_USER);
    PObject::Register(definition);
    if (!engine->AddDefinition(definition)) {
      delete definition;
      return false;
    }
  }
  return true;
}

// A module that the system cannot load as a library can never join the
// program (an empty or cut file, or no library at all).
bool ModulesLoad(const SStringArray& moduleFiles) {
  for (int i = 0; i < moduleFiles.GetCount(); i++) {
    HMODULE library = LoadLibraryA(moduleFiles.GetString(i).GetText());
    if (!library) return false;
    FreeLibrary(library);
  }
  return true;
}

}  // namespace

bool BuildPackageProgram(PEngine* engine, const char* folder, PSource* source,
                         SStringArray* moduleFiles, bool requireMain, bool subApplication) {
  (void)folder;
  engine->Reset();
  engine->RegisterClasses();
  if (!AddProgramClasses(engine, source)) return false;
  if (requireMain) {
    PObjectDefinition* main = subApplication ? engine->GetSubApplicationDefinition()
                                             : engine->GetApplicationDefinition();
    if (!main) return false;
  }
  if (moduleFiles && !ModulesLoad(*moduleFiles)) return false;
  return engine->DeclareClasses();
}
