#include "dialogs/DialogPlatform.h"

#include <windows.h>

#include "window/SWnd.h"

uint32_t DialogSystemColor(int index) { return GetSysColor(index); }

int DialogScrollBarHeight() { return GetSystemMetrics(SM_CYHSCROLL); }

void DestroyPreview(SWnd* window, void* font) {
  delete window;
  if (font) DeleteObject(static_cast<HFONT>(font));
}
