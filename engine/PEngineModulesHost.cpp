// Module libraries are Windows programs: the host build loads none, so a
// program that needs one cannot be built here.
#include "engine/PEngine.h"

bool PEngine::LoadModules(const SStringArray& modules) { return modules.GetCount() == 0; }
