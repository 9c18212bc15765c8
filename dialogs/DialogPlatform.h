// What the dialog model asks of the system. The model, the description
// readers and writers and the style texts are pure code that also builds
// natively under the sanitizers; DialogPlatformWin32.cpp answers with the
// real calls, DialogPlatformHost.cpp stands in for them.
#pragma once

#include <cstdint>

class SWnd;

// GetSysColor: the COLORREF of a system colour index.
uint32_t DialogSystemColor(int index);
// GetSystemMetrics(SM_CYHSCROLL): the height of a horizontal scroll bar.
int DialogScrollBarHeight();
// Destroys what a record owns in the designer: its preview window (an SWnd
// made by the control factory) and its preview font (an HFONT). Either may
// be null.
void DestroyPreview(SWnd* window, void* font);
