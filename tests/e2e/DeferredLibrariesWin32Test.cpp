// The system libraries that a program may never use load at their first
// use: an application that only shows a box has none of them in its
// process, and one that makes an image list and saves a PNG gets the common
// controls and GDI+ then, with the same results as when they loaded at
// start. The process's modules are listed by the system's tool help, while
// the application waits on its box. An application that ends before it
// makes any window loads no part of the window system in its whole life:
// it runs under the system's debugging interface here, which reports every
// library the process loads.
#include <gtest/gtest.h>

#include <windows.h>

#include <tlhelp32.h>

#include <algorithm>
#include <set>
#include <string>

#include "tests/e2e/PackedApp.h"

namespace {

// The libraries the engine binds at their first use (cmake: TAVRIN_DELAY_LOAD).
const char* const kDeferred[] = {"comctl32.dll", "comdlg32.dll", "gdiplus.dll", "dsound.dll",
                                 "msimg32.dll",  "psapi.dll",    "netapi32.dll"};

// The window system and the libraries that bring it (cmake:
// TAVRIN_DELAYED_SYSTEM_LIBS), with what the framework loads with its
// first window.
const char* const kWindowSystem[] = {"user32.dll", "gdi32.dll",   "ole32.dll",   "oleaut32.dll", "shell32.dll",
                                     "shlwapi.dll", "winmm.dll",   "ws2_32.dll",  "riched20.dll", "imm32.dll",
                                     "uxtheme.dll", "winex11.drv"};

std::string Lower(std::string name) {
  std::transform(name.begin(), name.end(), name.begin(), [](char c) { return char(tolower(c)); });
  return name;
}

// The lower-case file name of a library that a debugged process loaded,
// "" when the system gives no name.
std::string LoadedLibraryName(HANDLE process, const LOAD_DLL_DEBUG_INFO& info) {
  void* address = nullptr;
  SIZE_T read = 0;
  if (!info.lpImageName ||
      !ReadProcessMemory(process, info.lpImageName, &address, sizeof address, &read) || !address)
    return "";
  std::string name;
  if (info.fUnicode) {
    WCHAR wide[MAX_PATH] = {};
    if (!ReadProcessMemory(process, address, wide, sizeof wide - sizeof(WCHAR), &read)) return "";
    char narrow[MAX_PATH * 2] = {};
    WideCharToMultiByte(CP_ACP, 0, wide, -1, narrow, sizeof narrow, nullptr, nullptr);
    name = narrow;
  } else {
    char narrow[MAX_PATH] = {};
    if (!ReadProcessMemory(process, address, narrow, sizeof narrow - 1, &read)) return "";
    name = narrow;
  }
  size_t slash = name.find_last_of("\\/");
  return Lower(slash == std::string::npos ? name : name.substr(slash + 1));
}

// Runs the packed application to its end under the debugging interface:
// every library it loaded in its life, lower-case; false when it could not
// be started or did not end in time.
bool RunCollectingLibraries(e2e::PackedApp& app, std::set<std::string>* libraries, DWORD* exitCode) {
  std::string path = (app.Folder() / "app.exe").string();
  std::string commandLine = "\"" + path + "\"";
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  if (!CreateProcessA(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, DEBUG_ONLY_THIS_PROCESS,
                      nullptr, app.Folder().string().c_str(), &startup, &process))
    return false;
  CloseHandle(process.hThread);
  bool ended = false;
  DWORD start = GetTickCount();
  DEBUG_EVENT event;
  while (!ended && GetTickCount() - start < e2e::PackedApp::kBoxTimeout && WaitForDebugEvent(&event, 5000)) {
    DWORD status = DBG_CONTINUE;
    switch (event.dwDebugEventCode) {
      case LOAD_DLL_DEBUG_EVENT:
        libraries->insert(LoadedLibraryName(process.hProcess, event.u.LoadDll));
        if (event.u.LoadDll.hFile) CloseHandle(event.u.LoadDll.hFile);
        break;
      case CREATE_PROCESS_DEBUG_EVENT:
        if (event.u.CreateProcessInfo.hFile) CloseHandle(event.u.CreateProcessInfo.hFile);
        break;
      case EXCEPTION_DEBUG_EVENT:
        // The loader's first breakpoint is the debugger's; any other
        // exception is the program's own to handle.
        if (event.u.Exception.ExceptionRecord.ExceptionCode != EXCEPTION_BREAKPOINT) status = DBG_EXCEPTION_NOT_HANDLED;
        break;
      case EXIT_PROCESS_DEBUG_EVENT:
        *exitCode = event.u.ExitProcess.dwExitCode;
        ended = true;
        break;
    }
    ContinueDebugEvent(event.dwProcessId, event.dwThreadId, status);
  }
  if (!ended) TerminateProcess(process.hProcess, 1);
  CloseHandle(process.hProcess);
  return ended;
}

// The lower-case file names of the modules loaded in the process.
std::set<std::string> LoadedModules(DWORD processId) {
  std::set<std::string> names;
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, processId);
  if (snapshot == INVALID_HANDLE_VALUE) return names;
  MODULEENTRY32 entry = {};
  entry.dwSize = sizeof entry;
  for (BOOL more = Module32First(snapshot, &entry); more; more = Module32Next(snapshot, &entry)) {
    names.insert(Lower(entry.szModule));
  }
  CloseHandle(snapshot);
  return names;
}

TEST(DeferredLibraries, LoadOnlyWhenTheProgramUsesThem) {
  e2e::AppBatch batch;
  batch.Start("plain",
              "class Application\n"
              "function Void _00000000()\n"
              "  Global.33(\"waiting\",\"Result\")\n"
              "  Global.35()\n");
  // An image list belongs to the common controls; saving a PNG goes
  // through GDI+.
  batch.Start("used",
              "class Application\n"
              "  Image m new\n"
              "  ImageList l new\n"
              "function Void _00000000()\n"
              "  String s\n"
              "  m.Image.25(3,2)\n"
              "  s=\"saved=\"+m.Image.29(\"made.png\",Image.PNG)\n"
              "  s+=\" list=\"+l.ImageList.11(16,16)+l.ImageList.6()+\"x\"+l.ImageList.5()\n"
              "  Global.33(s,\"Result\")\n"
              "  Global.35()\n");
  for (const char* name : {"plain", "used"}) ASSERT_EQ(batch.Error(name), "") << name;

  e2e::PackedApp& plain = *batch.Find("plain");
  ASSERT_NE(nullptr, plain.WaitForBox("Result"));
  std::set<std::string> modules = LoadedModules(plain.ProcessId());
  // The listing worked: the engine itself is in it.
  ASSERT_TRUE(modules.count("app.exe"));
  for (const char* library : kDeferred) EXPECT_FALSE(modules.count(library)) << library;
  // The box brought the window system.
  EXPECT_TRUE(modules.count("user32.dll"));
  EXPECT_TRUE(modules.count("gdi32.dll"));
  e2e::ExpectBoxesThenExit(plain, "Result", {"waiting"});

  e2e::PackedApp& used = *batch.Find("used");
  ASSERT_NE(nullptr, used.WaitForBox("Result"));
  modules = LoadedModules(used.ProcessId());
  EXPECT_TRUE(modules.count("comctl32.dll"));
  EXPECT_TRUE(modules.count("gdiplus.dll"));
  e2e::ExpectBoxesThenExit(used, "Result", {"saved=1 list=116x16"});
  EXPECT_EQ(e2e::ReadFileBytes(used.Folder() / "made.png").substr(0, 8), "\x89PNG\r\n\x1a\n");
}

TEST(DeferredLibraries, AProgramThatMakesNoWindowLoadsNoWindowSystem) {
  e2e::PackedApp app("windowless");
  std::string error;
  ASSERT_TRUE(app.Pack("class Application\n"
                       "function Void _00000000()\n"
                       "  Global.35()\n",
                       true, &error))
      << error;
  std::set<std::string> libraries;
  DWORD exitCode = 1;
  ASSERT_TRUE(RunCollectingLibraries(app, &libraries, &exitCode));
  EXPECT_EQ(0u, exitCode);
  // The listing worked: the system's own libraries are in it.
  ASSERT_TRUE(libraries.count("kernel32.dll"));
  for (const char* library : kWindowSystem) EXPECT_FALSE(libraries.count(library)) << library;
  for (const char* library : kDeferred) EXPECT_FALSE(libraries.count(library)) << library;
}

}  // namespace
