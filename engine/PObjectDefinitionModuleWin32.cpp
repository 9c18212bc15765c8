// An external module's library for the length of a run: loaded and
// initialised at start, shut down and unloaded at stop (or when the
// definition goes first).
#include "engine/PObjectDefinition.h"

#include <cstdint>

#include "files/SDll.h"
#include "window/Framework.h"
#include "window/FrameworkDelayLoad.h"

namespace {

// The plug-in entries are cdecl; a boolean answer is its low byte.
typedef uint8_t (*ModuleInitEntry)();
typedef void (*ModuleUninitEntry)();

}  // namespace

bool PObjectDefinition::LoadModule() {
  if (GetOrigin() != ORIGIN_MODULE || m_library) return true;
  SDll* library = new SDll();
  // A module may create controls of the common classes without loading
  // their library itself, as it could when the engine loaded it at start,
  // and finds the framework's windows and COM as they were at start.
  LoadCommonControls();
  StartWindowing();
  ModuleInitEntry init = nullptr;
  if (library->Load(m_modulePath.GetText()))
    init = reinterpret_cast<ModuleInitEntry>(library->GetFunction("Tavrin_Init"));
  if (!init || !init()) {
    delete library;  // frees what was loaded
    return false;
  }
  m_library = library;
  return true;
}

void PObjectDefinition::UnloadModule() {
  if (!m_library) return;
  if (auto uninit = reinterpret_cast<ModuleUninitEntry>(m_library->GetFunction("Tavrin_Uninit")))
    uninit();
  delete m_library;
  m_library = nullptr;
}

void* PObjectDefinition::GetModuleExport(const char* name) const {
  return m_library ? m_library->GetFunction(name) : nullptr;
}
