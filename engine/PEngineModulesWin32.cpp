// The module libraries of the package, each read into the class it adds.
// One library object serves every file in turn and lets the last go at the
// end, whatever the outcome: the temporary file of a loaded library could
// not be deleted afterwards.
#include "engine/PEngine.h"
#include "engine/PModuleClassReader.h"
#include "files/SDll.h"
#include "window/Framework.h"
#include "window/FrameworkDelayLoad.h"

namespace {

class LibraryExports : public PModuleExports {
 public:
  explicit LibraryExports(const SDll& library) : m_library(library) {}
  void* Find(const char* name) const override { return m_library.GetFunction(name); }

 private:
  const SDll& m_library;
};

}  // namespace

bool PEngine::LoadModules(const SStringArray& modules) {
  SDll library;
  for (int i = 0; i < modules.GetCount(); i++) {
    SString path = modules.GetString(i);
    // A module may create controls of the common classes without loading
    // their library itself, as it could when the engine loaded it at start,
    // and finds the framework's windows and COM as they were at start.
    LoadCommonControls();
    StartWindowing();
    if (!library.Load(path.GetText())) return false;
    if (!ReadModuleClass(this, i, path.GetText(), LibraryExports(library))) return false;
  }
  return true;
}
