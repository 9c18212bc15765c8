// The framework's two window classes, "TAVRIN" and "TAVRIN2" (the same,
// without a close command), both served by WindowProcedure.
#pragma once

#include <windows.h>

extern const char kFrameworkClass[];         // "TAVRIN"
extern const char kFrameworkNoCloseClass[];  // "TAVRIN2"

// Registers both classes; also clears the click tracking and the code
// editor's shared find settings, which belong to the classes' lifetime.
void RegisterWindowClasses();
// Only what was registered.
void UnregisterWindowClasses();
// Sets the big and small icon of both classes.
void SetClassIcons(HICON bigIcon, HICON smallIcon);
// The icon resource of the instance that both classes take, big and small,
// when they are registered (0: none); FrameworkExit clears it.
void SetClassIconResource(int resource);

// The window procedure of every framework window: the one entry through
// which all their messages reach the framework.
LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
