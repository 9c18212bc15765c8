// FrameworkInit and FrameworkExit, and the process state they build.
// winsock2.h must come before windows.h, which would bring the old winsock.h.
#include <winsock2.h>

#include "window/Framework.h"

#include <gdiplus.h>
#include <objbase.h>

#include <cmath>
#include <cstddef>
#include <cstdlib>

#include "core/ElapsedClock.h"
#include "core/Platform.h"
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
  DWORD userInterfaceThread;
  // The deferred shares of the start, each still to run; read and cleared
  // on the user-interface thread only.
  bool windowingPending;
  bool comPending;
  bool winSockAllowed;  // between start and exit, with kStartWinSock
  bool winSockStarted;
  HMODULE winSockLibrary;  // the reference that keeps a started WinSock loaded
  bool comInitialised;
  HFONT defaultFont;
  int screenColorDepth;  // 0: not read yet
  UINT findReplaceMessage;  // 0: not registered yet
};

FrameworkState g;
// Any thread may make the first need of WinSock or of the default font.
INIT_ONCE g_winSockOnce = INIT_ONCE_STATIC_INIT;
INIT_ONCE g_defaultFontOnce = INIT_ONCE_STATIC_INIT;

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

BOOL CALLBACK CreateDefaultFontOnce(PINIT_ONCE, PVOID, PVOID*) {
  g.defaultFont = CreateDefaultFont();
  return TRUE;
}

int ReadScreenColorDepth() {
  HDC screen = GetDC(nullptr);
  int depth = GetDeviceCaps(screen, BITSPIXEL);
  ReleaseDC(nullptr, screen);
  return depth;
}

using WinSockStartup = int(WINAPI*)(WORD, LPWSADATA);

// Through the library's own export: this runs while the delay-load helper
// binds a WinSock function, and may not call back into it.
BOOL CALLBACK StartWinSockOnce(PINIT_ONCE, PVOID, PVOID*) {
  if (!g.winSockAllowed) return TRUE;
  HMODULE library = LoadLibraryA("ws2_32.dll");
  auto startup = library ? reinterpret_cast<WinSockStartup>(
                               reinterpret_cast<void*>(GetProcAddress(library, "WSAStartup")))
                         : nullptr;
  WSADATA data;
  g.winSockStarted = startup && startup(MAKEWORD(2, 2), &data) == 0;
  if (g.winSockStarted) {
    g.winSockLibrary = library;
  } else if (library) {
    FreeLibrary(library);
  }
  return TRUE;
}

// Everything but the optional services and GDI+.
void CoreStart(FrameworkStart start) {
  g.winSockStarted = false;
  g.winSockLibrary = nullptr;
  g.comInitialised = false;
  g.defaultFont = nullptr;
  g.screenColorDepth = 0;
  g.findReplaceMessage = 0;
  InitOnceInitialize(&g_winSockOnce);
  InitOnceInitialize(&g_defaultFontOnce);
  g.userInterfaceThread = GetCurrentThreadId();
  g.windowingPending = true;
  g.comPending = (g.flags & kStartNoCom) == 0;
  g.winSockAllowed = (g.flags & kStartWinSock) != 0;

  ClearThreadWindowTable();
  RegisterWindowThread();  // slot 0: this thread is the user-interface thread

  LoadLocaleSettings();

  std::srand(PlatformCoarseMilliseconds());
  StartElapsedClock();

  LoadCommandLine(g.instance, (g.flags & kStartNoCom) != 0);
  if (start == FrameworkStart::kAtOnce) StartWindowing();
}

bool OnUserInterfaceThread() { return g.instance && GetCurrentThreadId() == g.userInterfaceThread; }

}  // namespace

void StartWindowing() {
  if (!g.windowingPending || !OnUserInterfaceThread()) return;
  // Cleared first: the application window below is a framework window too.
  g.windowingPending = false;
  CreateStandardCursors();
  GetFindReplaceMessage();
  GetScreenColorDepth();
  GetDefaultFont();
  RegisterWindowClasses();
  CreateAppWindow(g.instance);
  StartComForUserInterface();
  // Rich-edit controls fail to create when the library is missing; nothing
  // else depends on it.
  RichEditLibrary.Load("Riched20.dll");
}

void StartComForUserInterface() {
  if (!g.comPending || !OnUserInterfaceThread()) return;
  g.comPending = false;
  g.comInitialised = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
}

void StartWinSock() { InitOnceExecuteOnce(&g_winSockOnce, StartWinSockOnce, nullptr, nullptr); }

void FrameworkInit(HINSTANCE instance, int showCommand, int flags, FrameworkStart start) {
  g.instance = instance;
  g.showCommand = showCommand;
  g.flags = flags;

  CoreStart(start);
  // GDI+ starts with its library: at once where it is loaded already, else
  // at its first use.
  SetGdiplusStartOnLoad(true);

  if (start == FrameworkStart::kAtOnce) StartWinSock();
  if (flags & kStartDirectSound) DeferDirectSound();
  if (flags & kStartXAudio2) InitXAudio2();
}

void FrameworkExit() {
  // Nothing deferred starts from here on.
  g.windowingPending = false;
  g.comPending = false;
  g.winSockAllowed = false;
  ReleaseSoundDevices();
  if (g.winSockStarted) {
    WSACleanup();
    FreeLibrary(g.winSockLibrary);
  }
  g.winSockStarted = false;
  g.winSockLibrary = nullptr;
  SetGdiplusStartOnLoad(false);
  if (ULONG_PTR token = TakeGdiplusToken()) Gdiplus::GdiplusShutdown(token);
  SKeyboard::FreeKeyNames();
  SetClassIconResource(0);
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

HFONT GetDefaultFont() {
  if (!g.instance) return nullptr;
  InitOnceExecuteOnce(&g_defaultFontOnce, CreateDefaultFontOnce, nullptr, nullptr);
  return g.defaultFont;
}

// The same depth for every reader: a race only reads it twice.
int GetScreenColorDepth() {
  if (g.screenColorDepth == 0) g.screenColorDepth = ReadScreenColorDepth();
  return g.screenColorDepth;
}

void SetScreenColorDepthForTesting(int bitsPerPixel) { g.screenColorDepth = bitsPerPixel; }

// The system answers the same number for every registration of the name.
UINT GetFindReplaceMessage() {
  if (g.findReplaceMessage == 0) g.findReplaceMessage = RegisterWindowMessageA("commdlg_FindReplace");
  return g.findReplaceMessage;
}

bool IsWinSockStarted() {
  StartWinSock();
  return g.winSockStarted;
}

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
