// Writes a program model as a ProgramStream, the texts that PSource reads
// (see engine/compiler/PSource.h for the layout). All member body lines go
// out as the first line group, the second group empty: the engine treats
// both alike.
#pragma once

#include "engine/compiler/PSource.h"

class SFile;

// The plain texts, at the destination's position; false when a write falls
// short.
bool WriteProgramTexts(const PSource& program, SFile* destination);
