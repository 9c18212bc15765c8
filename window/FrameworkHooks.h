// The places where parts of the framework built on top of start-up plug into
// it: the standard cursors, the code editor's shared find settings and the
// hidden application window.
//
// Each part fills its entries before FrameworkInit runs; an empty entry is
// skipped, so start-up and shutdown work before those parts exist. Without
// a cursor part the framework classes take the system arrow as their
// cursor; without an application window part the application window is a
// plain hidden window of the framework class.
#pragma once

#include <windows.h>

struct FrameworkHooks {
  // Fill and free the standard cursor table; arrowCursor answers the handle
  // of its entry 0, the class cursor of both framework window classes.
  void (*createStandardCursors)();
  void (*freeStandardCursors)();
  HCURSOR (*arrowCursor)();

  // Run whenever the framework window classes are registered.
  void (*clearFindSettingsFlag)();

  // The hidden application window: made at the end of the core start and
  // deleted after COM is shut down; createAppWindow answers its handle.
  HWND (*createAppWindow)(HINSTANCE instance);
  void (*deleteAppWindow)();
};

FrameworkHooks& GetFrameworkHooks();
