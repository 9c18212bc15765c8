#include <windows.h>

#include "engine/PEngine.h"
#include "engine/PEngineRunPlatform.h"
#include "window/MessageLoop.h"

namespace enginerun {

uint32_t CurrentThreadId() { return GetCurrentThreadId(); }

bool RunMessageLoop(PEngine* engine, bool* waitForMessages) {
  ::RunMessageLoop(waitForMessages, &PEngine::OnIdle, engine);
  return true;
}

void PostQuit(uint32_t mainThreadId) {
  if (GetCurrentThreadId() == mainThreadId) PostQuitMessage(0);
  else PostThreadMessageA(mainThreadId, WM_QUIT, 0, 0);
}

}  // namespace enginerun
