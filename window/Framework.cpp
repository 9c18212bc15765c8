// FrameworkInit and FrameworkExit, and the process state they build.
// winsock2.h must come before windows.h, which would bring the old winsock.h.
#include <winsock2.h>

#include "window/Framework.h"

#include <gdiplus.h>
#include <mmsystem.h>
#include <objbase.h>

#include <cmath>
#include <cstddef>
#include <cstdlib>

#include "core/ElapsedClock.h"
#include "core/LocaleRecord.h"
#include "files/GlobalObjects.h"
#include "files/SKeyboard.h"
#include "files/SRegistry.h"
#include "window/FrameworkCommandLine.h"
#include "window/FrameworkDelayLoad.h"
#include "window/FrameworkSound.h"
#include "window/FrameworkWindowClasses.h"
#include "window/MessageLoop.h"
#include "window/SCursor.h"
#include "window/SWndApp.h"
#include "window/ThreadWindowTable.h"

namespace {

struct FrameworkState {
  HINSTANCE instance;
  int showCommand;
  int flags;
  bool winSockStarted;
  bool comInitialised;
  HFONT defaultFont;
  int screenColorDepth;
  UINT findReplaceMessage;
};

FrameworkState g;

// 8 points at the screen's resolution, from the face of the message font.
HFONT CreateDefaultFont() {
  // The size of the structure before Vista added a field: accepted by every
  // system since XP.
  NONCLIENTMETRICSA metrics = {};
  metrics.cbSize = offsetof(NONCLIENTMETRICSA, iPaddedBorderWidth);
  SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0);
  HDC screen = GetDC(nullptr);
  int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return CreateFontA(DefaultFontHeight(dpi), 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                     metrics.lfMessageFont.lfFaceName);
}

int ReadScreenColorDepth() {
  HDC screen = GetDC(nullptr);
  int depth = GetDeviceCaps(screen, BITSPIXEL);
  ReleaseDC(nullptr, screen);
  return depth;
}

// Everything but the optional services and GDI+.
void CoreStart() {
  g.winSockStarted = false;

  ClearThreadWindowTable();
  RegisterWindowThread();  // slot 0: this thread is the user-interface thread

  LoadLocaleSettings();
  CreateStandardCursors();

  std::srand(timeGetTime());
  StartElapsedClock();
  g.findReplaceMessage = RegisterWindowMessageA("commdlg_FindReplace");

  LoadCommandLine(g.instance, (g.flags & kStartNoCom) != 0);
  g.screenColorDepth = ReadScreenColorDepth();
  g.defaultFont = CreateDefaultFont();

  RegisterWindowClasses();
  CreateAppWindow(g.instance);

  g.comInitialised = false;
  if (!(g.flags & kStartNoCom)) g.comInitialised = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));

  // Rich-edit controls fail to create when the library is missing; nothing
  // else depends on it.
  RichEditLibrary.Load("Riched20.dll");
}

}  // namespace

void FrameworkInit(HINSTANCE instance, int showCommand, int flags) {
  g.instance = instance;
  g.showCommand = showCommand;
  g.flags = flags;

  CoreStart();
  // GDI+ starts with its library: at once where it is loaded already, else
  // at its first use.
  SetGdiplusStartOnLoad(true);

  if (flags & kStartWinSock) {
    WSADATA data;
    g.winSockStarted = WSAStartup(MAKEWORD(2, 2), &data) == 0;
  }
  if (flags & kStartDirectSound) DeferDirectSound();
  if (flags & kStartXAudio2) InitXAudio2();
}

void FrameworkExit() {
  ReleaseSoundDevices();
  if (g.winSockStarted) WSACleanup();
  g.winSockStarted = false;
  SetGdiplusStartOnLoad(false);
  if (ULONG_PTR token = TakeGdiplusToken()) Gdiplus::GdiplusShutdown(token);
  SKeyboard::FreeKeyNames();
  RichEditLibrary.Free();
  // Only a successful initialisation is balanced.
  if (g.comInitialised) CoUninitialize();
  g.comInitialised = false;

  DeleteAppWindow();
  UnregisterWindowClasses();

  ClearDialogWindowList();
  if (g.defaultFont) DeleteObject(g.defaultFont);
  g.defaultFont = nullptr;
  ClearCommandLine();
  FreeStandardCursors();
  ClearThreadWindowTable();
  g.instance = nullptr;
}

HINSTANCE GetInstanceHandle() { return g.instance; }

int GetShowCommand() { return g.showCommand; }

int GetStartFlags() { return g.flags; }

HWND GetAppWindowHandle() {
  SWndApp* app = GetAppWindow();
  return app ? app->GetHwnd() : nullptr;
}

HFONT GetDefaultFont() { return g.defaultFont; }

int GetScreenColorDepth() { return g.screenColorDepth; }

void SetScreenColorDepthForTesting(int bitsPerPixel) { g.screenColorDepth = bitsPerPixel; }

UINT GetFindReplaceMessage() { return g.findReplaceMessage; }

bool IsWinSockStarted() { return g.winSockStarted; }

int PixelsToTwips(int pixels) {
  HDC screen = GetDC(nullptr);
  int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return dpi > 0 ? pixels * 1440 / dpi : 0;
}

int DefaultFontHeight(int dotsPerInch) {
  double height = dotsPerInch * 8 / -72.0;
  double whole = std::floor(height);
  return static_cast<int>(height - whole >= 0.5 ? std::ceil(height) : whole);
}

void LoadLocaleSettings() {
  const char* key = "Control Panel\\International";
  SString digits = SRegistry::ReadString(HKEY_CURRENT_USER, key, "iDigits");
  SString decimal = SRegistry::ReadString(HKEY_CURRENT_USER, key, "sDecimal");
  SString thousand = SRegistry::ReadString(HKEY_CURRENT_USER, key, "sThousand");
  BuildLocaleRecords(digits.GetText(), decimal.GetText(), thousand.GetText());
}
