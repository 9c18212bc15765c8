// What the run loop needs of the platform: the calling thread, the message
// loop and the quit message. Windows has them; the host build, which only
// builds programs and runs their members in tests, has no queue.
#pragma once

#include <cstdint>

class PEngine;

namespace enginerun {

uint32_t CurrentThreadId();
// Runs the application's message loop until WM_QUIT; false when there is
// no loop to run.
bool RunMessageLoop(PEngine* engine, bool* waitForMessages);
// Posts WM_QUIT (exit code 0) to the main thread's queue: through
// PostQuitMessage on that thread, else as a thread message.
void PostQuit(uint32_t mainThreadId);

}  // namespace enginerun
