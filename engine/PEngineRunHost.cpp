// The host build has no message queue: it builds programs and, in tests,
// runs their members directly, never the application's loop.
#include <pthread.h>

#include "engine/PEngineRunPlatform.h"

namespace enginerun {

uint32_t CurrentThreadId() { return uint32_t(reinterpret_cast<uintptr_t>(pthread_self())); }

bool RunMessageLoop(PEngine* engine, bool* waitForMessages) {
  (void)engine, (void)waitForMessages;
  return false;
}

void PostQuit(uint32_t mainThreadId) { (void)mainThreadId; }

}  // namespace enginerun
