// The build step of LoadPackage: turns the program model into the engine's
// class definitions.
//
// It runs the steps of the engine's build whose parts exist so far: reset,
// the built-in definitions, one definition per program class with its
// TypeCode, the main class required, every module file loadable as a
// library, and the built-in members declared. Declaring and compiling the
// program's own members joins when PEngine::Build is complete, which then
// takes this function's place.
#pragma once

#include "core/SStringArray.h"

class PEngine;
class PSource;

// False at the first step that fails; the caller resets the engine.
bool BuildPackageProgram(PEngine* engine, const char* folder, PSource* source,
                         SStringArray* moduleFiles, bool requireMain, bool subApplication);
