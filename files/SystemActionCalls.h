// The platform calls through which the disk and system services act beyond
// the process: starting programs, the recycle bin and ending the session.
// They go through this one table so that tests can stand in for them and
// watch what would happen, without starting a program, emptying anyone's
// recycle bin or shutting the machine down.
#pragma once

#include <windows.h>
#include <shellapi.h>

struct SystemActionCalls {
  HINSTANCE(WINAPI* shellExecute)(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT);
  BOOL(WINAPI* shellExecuteEx)(SHELLEXECUTEINFOA*);
  int(WINAPI* shellFileOperation)(SHFILEOPSTRUCTA*);
  HRESULT(WINAPI* emptyRecycleBin)(HWND, LPCSTR, DWORD);
  BOOL(WINAPI* exitWindows)(UINT, DWORD);
};

// The live table, holding the system's own functions until a test replaces
// one; a test puts back what it replaced.
SystemActionCalls& GetSystemActionCalls();
