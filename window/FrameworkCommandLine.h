// The command line and the application's paths, read once at start-up.
//
// No switch is interpreted: argument 0 is the program path, and the program
// reads the rest by index. A backslash before a double quote is kept as a
// literal backslash, so a quoted folder that ends with a backslash stays one
// argument ("C:\dir\" x gives C:\dir\ and x, where the system's own rule
// would make one argument of them).
#pragma once

#include <windows.h>

#include "core/SString.h"

// Splits a command line the framework's way. Answers the number of
// arguments, program path included, or -1 when the text cannot be split;
// argument index is stored in *argument when asked for and present.
int ReadCommandLineArgument(const char* commandLine, int index, SString* argument);

// Reads the process's command line: the argument count, the executable path
// and the application folder; with withModulePath also the path of the
// instance's module.
void LoadCommandLine(HINSTANCE instance, bool withModulePath);
// Empties the paths and the count.
void ClearCommandLine();

// Arguments after the program path.
int GetArgumentCount();
// Argument index after the program path ("" when there is none); unquote
// removes one pair of enclosing double quotes.
SString GetArgument(int index, bool unquote = false);
SString GetAppFolder();   // with its final backslash
SString GetExePath();
SString GetModulePath();  // "" unless asked for at start-up
