// The framework's two window classes, "TAVRIN" and "TAVRIN2" (the same,
// without a close command), both served by WindowProcedure.
#pragma once

#include <windows.h>

extern const char kFrameworkClass[];         // "TAVRIN"
extern const char kFrameworkNoCloseClass[];  // "TAVRIN2"

// Registers both classes; also clears the click tracking and the code
// editor's shared find settings, which belong to the classes' lifetime.
void RegisterWindowClasses();
void UnregisterWindowClasses();
// Sets the big and small icon of both classes.
void SetClassIcons(HICON bigIcon, HICON smallIcon);

// The window procedure of every framework window: the one entry through
// which all their messages reach the framework.
LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
