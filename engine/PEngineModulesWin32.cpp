// The module libraries of the package. Until their classes join the program
// through the plug-in interface, a module counts as loadable when the
// system loads it as a library: an empty or cut file, or no library at all,
// can never join.
#include <windows.h>

#include "engine/PEngine.h"

bool PEngine::LoadModules(const SStringArray& modules) {
  for (int i = 0; i < modules.GetCount(); i++) {
    HMODULE library = LoadLibraryA(modules.GetString(i).GetText());
    if (!library) return false;
    FreeLibrary(library);
  }
  return true;
}
