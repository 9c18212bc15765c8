// The Registry members in the host build. The host build only builds
// programs to check them and never runs them, so the members answer
// nothing and change nothing there.
#include "classes/PObjRegistry.h"

bool PObjRegistry::CallPlatform(uint16_t member, int32_t root, PArgs* args, PResultCell* result) {
  (void)member, (void)root, (void)args, (void)result;
  return true;
}
