// The smallest Windows program: the yardstick for the engine's start-up
// (bench/startup-compare), everything a process costs before any code of
// ours runs.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { return 0; }
