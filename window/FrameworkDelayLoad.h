// The system libraries that the engine binds at their first use rather
// than when the process loads (TAVRIN_DELAY_LOAD in cmake/Tavrin.cmake):
// the window system (user32, gdi32) and every library that loads it (COM,
// the shell, the multimedia library), WinSock, the common controls, GDI+,
// DirectSound, the alpha blend of msimg32, and the process and NetBIOS
// helpers. A program that never uses them does not pay for loading and
// initialising them.
//
// What a program sees stays as when they were loaded at start:
// - GDI+ is started as its library loads, before its first call runs;
// - WinSock is started before the first call of any of its functions, on
//   whichever thread, and COM is initialised on the user-interface thread
//   before that thread's first call into a library that may use it
//   (StartWinSock, StartComForUserInterface);
// - the common controls are loaded before any window is created and before
//   an external module library loads, since creating a control of their
//   classes needs them loaded, not called;
// - a library or function that cannot be found ends the process with the
//   system's own report of a missing import, as the loader would have done
//   at start.
#pragma once

#include <windows.h>

// Installs the delay-load hooks: GDI+ starts with its library. start: GDI+
// is to be started (FrameworkInit); false stops starting it (FrameworkExit).
void SetGdiplusStartOnLoad(bool start);
// The token of the running GDI+, 0 when it is not running; Take clears it.
ULONG_PTR TakeGdiplusToken();

// Loads the common-controls library once; a failure ends the process as a
// missing import does.
void LoadCommonControls();

// The report of a library (function null) or function that the process
// cannot bind: a system error box, then the end of the process with the
// loader's status.
[[noreturn]] void ReportMissingImport(const char* library, const char* function);
