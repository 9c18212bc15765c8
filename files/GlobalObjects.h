// The framework's objects with static lifetime: process-wide lists, paths
// and tables that exist before the program's entry code runs and outlive it.
//
// They are all defined in one place so that they come to life in one fixed
// order and die in the reverse order: FrameworkInit fills them after they
// exist and FrameworkExit empties them before they go. Destroying one
// releases only its own storage; it touches no window, cursor or other
// framework state, so a process that never started the framework ends
// cleanly too.
#pragma once

#include <windows.h>

#include "core/SArray.h"
#include "core/SString.h"
#include "core/SStringArray.h"
#include "files/SDll.h"
#include "files/SIdentifiants.h"

class SCursor;

// In order of creation:
// 1. The windows whose messages the message loops offer to IsDialogMessage;
//    not owned.
extern SArray<HWND> DialogWindowList;
// 2-4. The application folder (with its final backslash), the executable's
//    path and the module's path.
extern SString AppFolderPath;
extern SString ExePath;
extern SString ModulePath;
// 5. The standard cursors by cursor type; the cursors are deleted by the
//    framework's shutdown, never by the table.
extern SArray<SCursor*> StandardCursorTable;
// 6. The cursor and system colour name tables.
extern SIdentifiants Identifiants;
// 7-8. The rich-edit library that start-up loads, and the library that
//    holds UpdateLayeredWindow, loaded on first use.
extern SDll RichEditLibrary;
extern SDll LayeredWindowLibrary;
// 9. The names of the 256 virtual-key codes, filled by the first SKeyboard.
extern SStringArray KeyNameTable;
