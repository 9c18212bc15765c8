// The places where parts of the framework built on top of start-up plug into
// it: the code editor's shared find settings.
//
// Each part fills its entries before FrameworkInit runs; an empty entry is
// skipped, so start-up and shutdown work before those parts exist.
#pragma once

#include <windows.h>

struct FrameworkHooks {
  // Run whenever the framework window classes are registered.
  void (*clearFindSettingsFlag)();
};

FrameworkHooks& GetFrameworkHooks();
