#include "window/FrameworkWindowClasses.h"

#include "window/Framework.h"
#include "window/FrameworkHooks.h"
#include "window/SCursor.h"
#include "window/SWnd.h"

const char kFrameworkClass[] = "TAVRIN";
const char kFrameworkNoCloseClass[] = "TAVRIN2";

namespace {

bool g_registered;
int g_iconResource;

// Class values are set through a window of the class.
void SetIconsThrough(HWND window, HICON bigIcon, HICON smallIcon) {
  SetClassLongPtrA(window, GCLP_HICON, reinterpret_cast<LONG_PTR>(bigIcon));
  SetClassLongPtrA(window, GCLP_HICONSM, reinterpret_cast<LONG_PTR>(smallIcon));
}

void SetIconsThroughTemporaryWindow(const char* className, HICON bigIcon, HICON smallIcon) {
  HWND window = CreateWindowExA(0, className, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                GetInstanceHandle(), nullptr);
  if (!window) return;
  SetIconsThrough(window, bigIcon, smallIcon);
  DestroyWindow(window);
}

}  // namespace

void RegisterWindowClasses() {
  WNDCLASSEXA wc = {};
  wc.cbSize = sizeof wc;
  wc.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
  wc.lpfnWndProc = WindowProcedure;
  wc.hInstance = GetInstanceHandle();
  wc.hCursor = GetStandardCursor(kCursorArrow);
  wc.lpszClassName = kFrameworkClass;
  if (g_iconResource) {
    wc.hIcon = LoadIconA(GetInstanceHandle(), MAKEINTRESOURCEA(g_iconResource));
    wc.hIconSm = LoadIconA(GetInstanceHandle(), MAKEINTRESOURCEA(g_iconResource));
  }
  RegisterClassExA(&wc);
  wc.style |= CS_NOCLOSE;
  wc.lpszClassName = kFrameworkNoCloseClass;
  RegisterClassExA(&wc);
  g_registered = true;

  ClearClickTracking();
  FrameworkHooks& hooks = GetFrameworkHooks();
  if (hooks.clearFindSettingsFlag) hooks.clearFindSettingsFlag();
}

void UnregisterWindowClasses() {
  if (!g_registered) return;
  g_registered = false;
  UnregisterClassA(kFrameworkNoCloseClass, GetInstanceHandle());
  UnregisterClassA(kFrameworkClass, GetInstanceHandle());
}

void SetClassIconResource(int resource) { g_iconResource = resource; }

void SetClassIcons(HICON bigIcon, HICON smallIcon) {
  HWND app = GetAppWindowHandle();
  if (app)
    SetIconsThrough(app, bigIcon, smallIcon);
  else
    SetIconsThroughTemporaryWindow(kFrameworkClass, bigIcon, smallIcon);
  SetIconsThroughTemporaryWindow(kFrameworkNoCloseClass, bigIcon, smallIcon);
}
