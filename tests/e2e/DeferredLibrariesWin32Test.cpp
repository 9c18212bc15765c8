// The system libraries that a program may never use load at their first
// use: an application that only shows a box has none of them in its
// process, and one that makes an image list and saves a PNG gets the common
// controls and GDI+ then, with the same results as when they loaded at
// start. The process's modules are listed by the system's tool help, while
// the application waits on its box.
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

// The lower-case file names of the modules loaded in the process.
std::set<std::string> LoadedModules(DWORD processId) {
  std::set<std::string> names;
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, processId);
  if (snapshot == INVALID_HANDLE_VALUE) return names;
  MODULEENTRY32 entry = {};
  entry.dwSize = sizeof entry;
  for (BOOL more = Module32First(snapshot, &entry); more; more = Module32Next(snapshot, &entry)) {
    std::string name = entry.szModule;
    std::transform(name.begin(), name.end(), name.begin(), [](char c) { return char(tolower(c)); });
    names.insert(name);
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
  e2e::ExpectBoxesThenExit(plain, "Result", {"waiting"});

  e2e::PackedApp& used = *batch.Find("used");
  ASSERT_NE(nullptr, used.WaitForBox("Result"));
  modules = LoadedModules(used.ProcessId());
  EXPECT_TRUE(modules.count("comctl32.dll"));
  EXPECT_TRUE(modules.count("gdiplus.dll"));
  e2e::ExpectBoxesThenExit(used, "Result", {"saved=1 list=116x16"});
  EXPECT_EQ(e2e::ReadFileBytes(used.Folder() / "made.png").substr(0, 8), "\x89PNG\r\n\x1a\n");
}

}  // namespace
