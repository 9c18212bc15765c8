// The numbering of the engine's own built-in classes, for the program text
// reader: class indexes from the built-in class table, internal names made
// as the engine makes them.
#pragma once

#include "tools/packwriter/ProgramTextReader.h"

BuiltinNaming EngineBuiltinNaming();
