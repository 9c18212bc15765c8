// The Global functions that reach the window framework, in the host build.
// The host build only builds programs to check them and never runs them,
// so these functions answer nothing and change nothing there.
#include "engine/PObjGlobal.h"

PObjGlobal::PObjGlobal(PObjectDefinition* definition) : PObject(definition) {}

bool PObjGlobal::CallPlatform(uint16_t member, PArgs* args, PResultCell* result) {
  (void)member, (void)args, (void)result;
  return true;
}
