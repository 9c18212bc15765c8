// Delay-load hooks of the C run-time's helper: starting GDI+ with its
// library, WinSock and COM before their first calls, and a missing library
// or function reported as at start.
#include "window/FrameworkDelayLoad.h"

#include <delayimp.h>
#include <gdiplus.h>

#include <cstdio>
#include <cstring>

#include "window/Framework.h"

namespace {

// Written on the user-interface thread at start and exit; read by whichever
// thread first calls GDI+.
volatile LONG g_startGdiplus = 0;
volatile ULONG_PTR g_gdiplusToken = 0;

using GdiplusStartupEntry = Gdiplus::Status(WINAPI*)(ULONG_PTR*, const Gdiplus::GdiplusStartupInput*,
                                                     Gdiplus::GdiplusStartupOutput*);

// Starts GDI+ from its freshly loaded library, through the library's own
// export: the delay-load thunk of GdiplusStartup is not bound yet.
void StartGdiplus(HMODULE library) {
  if (!library || !g_startGdiplus || g_gdiplusToken) return;
  auto startup =
      reinterpret_cast<GdiplusStartupEntry>(reinterpret_cast<void*>(GetProcAddress(library, "GdiplusStartup")));
  Gdiplus::GdiplusStartupInput input;  // version 1, no debug callback, background thread
  ULONG_PTR token = 0;
  if (startup && startup(&token, &input, nullptr) == Gdiplus::Ok) g_gdiplusToken = token;
}

bool IsLibrary(const char* library, const char* name) { return library && _stricmp(library, name) == 0; }

bool IsGdiplus(const char* library) { return IsLibrary(library, "gdiplus.dll"); }

// The libraries whose functions may use COM on the calling thread: the
// user-interface thread has it initialised before their first call, as it
// had from the start.
bool MayUseCom(const char* library) {
  static const char* const kLibraries[] = {"ole32.dll",   "oleaut32.dll", "shell32.dll",
                                           "shlwapi.dll", "comdlg32.dll", "winmm.dll"};
  for (const char* name : kLibraries) {
    if (IsLibrary(library, name)) return true;
  }
  return false;
}

FARPROC WINAPI OnDelayLoad(unsigned note, PDelayLoadInfo info) {
  // Every first binding waits for WinSock's start, so that no thread calls
  // a WinSock function before another thread's start of it has ended.
  if ((note == dliNotePreLoadLibrary || note == dliNotePreGetProcAddress) && IsLibrary(info->szDll, "ws2_32.dll"))
    StartWinSock();
  if (note == dliNotePreLoadLibrary && MayUseCom(info->szDll)) StartComForUserInterface();
  // The library is loaded here rather than by the helper, so that GDI+ is
  // running before the call that needed it.
  if (note == dliNotePreLoadLibrary && IsGdiplus(info->szDll)) {
    HMODULE library = LoadLibraryA(info->szDll);
    StartGdiplus(library);
    return reinterpret_cast<FARPROC>(library);
  }
  return nullptr;
}

FARPROC WINAPI OnDelayLoadFailure(unsigned note, PDelayLoadInfo info) {
  const char* function = nullptr;
  char ordinal[16];
  if (note == dliFailGetProc) {
    if (info->dlp.fImportByName) {
      function = info->dlp.szProcName;
    } else {
      std::snprintf(ordinal, sizeof ordinal, "#%lu", static_cast<unsigned long>(info->dlp.dwOrdinal));
      function = ordinal;
    }
  }
  ReportMissingImport(info->szDll, function);
}

void InstallHooks() {
  __pfnDliNotifyHook2 = OnDelayLoad;
  __pfnDliFailureHook2 = OnDelayLoadFailure;
}

}  // namespace

void SetGdiplusStartOnLoad(bool start) {
  InstallHooks();
  g_startGdiplus = start ? 1 : 0;
  // Already loaded (by a static import, or a run before this one): the
  // hook will not see it load again.
  if (start) StartGdiplus(GetModuleHandleA("gdiplus.dll"));
}

ULONG_PTR TakeGdiplusToken() {
  ULONG_PTR token = g_gdiplusToken;
  g_gdiplusToken = 0;
  return token;
}

void LoadCommonControls() {
  static HMODULE library = nullptr;
  if (library) return;
  library = LoadLibraryA("comctl32.dll");
  if (!library) ReportMissingImport("comctl32.dll", nullptr);
}

void ReportMissingImport(const char* library, const char* function) {
  char text[512];
  if (function) {
    std::snprintf(text, sizeof text, "The procedure entry point %s could not be located in the dynamic link library %s.",
                  function, library ? library : "");
  } else {
    std::snprintf(text, sizeof text,
                  "The code execution cannot proceed because %s was not found. Reinstalling the program may fix "
                  "this problem.",
                  library ? library : "");
  }
  char path[MAX_PATH] = "";
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  const char* name = std::strrchr(path, '\\');
  char caption[MAX_PATH + 32];
  std::snprintf(caption, sizeof caption, "%s - System Error", name ? name + 1 : path);
  // Through the library's own export: the window system may be the library
  // that is missing, and its delay-load thunk would report it again.
  using MessageBoxEntry = int(WINAPI*)(HWND, LPCSTR, LPCSTR, UINT);
  HMODULE user = LoadLibraryA("user32.dll");
  auto box = user ? reinterpret_cast<MessageBoxEntry>(reinterpret_cast<void*>(GetProcAddress(user, "MessageBoxA")))
                  : nullptr;
  if (box) box(nullptr, text, caption, MB_ICONERROR | MB_OK);
  // The loader's own statuses for a missing library and a missing entry point.
  ExitProcess(function ? 0xC0000139u : 0xC0000135u);
}
