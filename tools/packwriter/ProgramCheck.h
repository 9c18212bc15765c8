// Builds a program as the engine will at start, so that a program the
// engine would refuse with "Corrupted File" is reported to its author
// instead, in the author's terms:
//
//   app.txt:12: class Application, constructor, line "n=missing+1": the line
//   does not compile: unknown name "missing"
//
// The place is the line of the program text, the line is shown as written
// (built-in members as "File.21", not by their internal names), and the
// special members are called constructor, destructor and idle member.
#pragma once

#include "core/SString.h"
#include "engine/compiler/PSource.h"
#include "tools/packwriter/ProgramTextReader.h"

// program: what reader read last. The build only marks the declaration
// lines it takes, which the package writer ignores. False with the report.
bool CheckProgram(PSource& program, const ProgramTextReader& reader, SString* report);
