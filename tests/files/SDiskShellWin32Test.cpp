// SDisk's shell services. What would start a program or touch the recycle
// bin goes through stand-ins that record the request; shortcuts are
// written for real and read back through the shell.
#include <gtest/gtest.h>

#include <shlobj.h>

#include <string>

#include "files/SDisk.h"
#include "files/SystemActionCalls.h"
#include "tests/files/ScratchFolder.h"

namespace {

// The last request each stand-in saw.
struct Recorded {
  int calls = 0;
  std::string verb, file, parameters, directory;
  bool directoryNull = false;
  int show = -1;
  ULONG mask = 0;
  std::string from;  // every byte up to and including the double NUL
  UINT function = 0;
  FILEOP_FLAGS flags = 0;
  DWORD recycleFlags = 0;
  HWND owner = nullptr;
};

Recorded g_seen;
INT_PTR g_executeAnswer = 42;
int g_operationAnswer = 0;
BOOL g_aborted = FALSE;
volatile LONG g_programEnded = 0;

std::string Text(const char* s) { return s ? s : "<null>"; }

HINSTANCE WINAPI FakeShellExecute(HWND, LPCSTR verb, LPCSTR file, LPCSTR parameters,
                                  LPCSTR directory, INT show) {
  g_seen.calls++;
  g_seen.verb = Text(verb);
  g_seen.file = Text(file);
  g_seen.parameters = Text(parameters);
  g_seen.directory = Text(directory);
  g_seen.show = show;
  return reinterpret_cast<HINSTANCE>(g_executeAnswer);
}

// The "program" is a thread that takes a moment to end.
DWORD WINAPI ShortProgram(void*) {
  Sleep(300);
  InterlockedExchange(&g_programEnded, 1);
  return 0;
}

BOOL WINAPI FakeShellExecuteEx(SHELLEXECUTEINFOA* info) {
  g_seen.calls++;
  g_seen.verb = Text(info->lpVerb);
  g_seen.file = Text(info->lpFile);
  g_seen.parameters = Text(info->lpParameters);
  g_seen.directoryNull = info->lpDirectory == nullptr;
  g_seen.directory = Text(info->lpDirectory);
  g_seen.show = info->nShow;
  g_seen.mask = info->fMask;
  info->hProcess = CreateThread(nullptr, 0, ShortProgram, nullptr, 0, nullptr);
  return TRUE;
}

int WINAPI FakeFileOperation(SHFILEOPSTRUCTA* operation) {
  g_seen.calls++;
  const char* p = operation->pFrom;
  size_t n = 0;
  while (p[n] || p[n + 1]) n++;
  g_seen.from.assign(p, n + 2);
  g_seen.function = operation->wFunc;
  g_seen.flags = operation->fFlags;
  g_seen.owner = operation->hwnd;
  operation->fAnyOperationsAborted = g_aborted;
  return g_operationAnswer;
}

HRESULT WINAPI FakeEmptyRecycleBin(HWND owner, LPCSTR root, DWORD flags) {
  g_seen.calls++;
  g_seen.owner = owner;
  g_seen.directory = Text(root);
  g_seen.recycleFlags = flags;
  return S_OK;
}

class SDiskShellTest : public ::testing::Test {
 protected:
  void SetUp() override {
    saved = GetSystemActionCalls();
    GetSystemActionCalls().shellExecute = FakeShellExecute;
    GetSystemActionCalls().shellExecuteEx = FakeShellExecuteEx;
    GetSystemActionCalls().shellFileOperation = FakeFileOperation;
    GetSystemActionCalls().emptyRecycleBin = FakeEmptyRecycleBin;
    g_seen = Recorded();
    g_executeAnswer = 42;
    g_operationAnswer = 0;
    g_aborted = FALSE;
    g_programEnded = 0;
  }
  void TearDown() override { GetSystemActionCalls() = saved; }

  std::string R(const std::string& relative) { return scratch[relative]; }

  SystemActionCalls saved;
  ScratchFolder scratch;
  SDisk disk;
};

TEST_F(SDiskShellTest, ExecuteOpensAnExistingFileInItsFolderWhenAsked) {
  scratch.MakeFile("tool.exe", "MZ");
  ASSERT_TRUE(disk.Execute(R("tool.exe").c_str(), "-x 1", false, true, SW_SHOW));
  EXPECT_EQ(g_seen.calls, 1);
  EXPECT_EQ(g_seen.verb, "open");
  EXPECT_EQ(g_seen.file, R("tool.exe"));
  EXPECT_EQ(g_seen.parameters, "-x 1");
  EXPECT_EQ(g_seen.directory, scratch.Path());
  EXPECT_EQ(g_seen.show, SW_SHOW);

  ASSERT_TRUE(disk.Execute(R("tool.exe").c_str(), "", false, false, SW_HIDE));
  EXPECT_EQ(g_seen.directory, "");
  EXPECT_EQ(g_seen.show, SW_HIDE);

  // The shell's error codes, 32 and below, are failures.
  g_executeAnswer = SE_ERR_NOASSOC;
  EXPECT_FALSE(disk.Execute(R("tool.exe").c_str(), "", false, false, SW_SHOW));

  g_seen.calls = 0;
  EXPECT_FALSE(disk.Execute(R("none.exe").c_str(), "", false, false, SW_SHOW));
  EXPECT_FALSE(disk.Execute(scratch.Path().c_str(), "", false, false, SW_SHOW));
  EXPECT_EQ(g_seen.calls, 0);
}

TEST_F(SDiskShellTest, ExecuteWithWaitReturnsWhenTheProgramHasEnded) {
  scratch.MakeFile("tool.exe", "MZ");
  ASSERT_TRUE(disk.Execute(R("tool.exe").c_str(), "p", true, false, SW_SHOW));
  EXPECT_EQ(g_programEnded, 1);
  EXPECT_EQ(g_seen.verb, "open");
  EXPECT_EQ(g_seen.file, R("tool.exe"));
  EXPECT_TRUE(g_seen.mask & SEE_MASK_NOCLOSEPROCESS);
  EXPECT_TRUE(g_seen.directoryNull);

  g_programEnded = 0;
  ASSERT_TRUE(disk.Execute(R("tool.exe").c_str(), "p", true, true, SW_SHOW));
  EXPECT_EQ(g_programEnded, 1);
  EXPECT_EQ(g_seen.directory, scratch.Path());
}

TEST_F(SDiskShellTest, OpenAndExploreFolders) {
  EXPECT_TRUE(disk.OpenFolder(scratch.Path().c_str(), SW_SHOW));
  EXPECT_EQ(g_seen.verb, "open");
  EXPECT_EQ(g_seen.file, scratch.Path());
  EXPECT_FALSE(disk.OpenFolder(R("none\\").c_str(), SW_SHOW));
  EXPECT_EQ(g_seen.calls, 1);
  // Exploring asks the shell without looking first.
  EXPECT_TRUE(disk.ExploreFolder(R("none\\").c_str(), SW_SHOWNORMAL));
  EXPECT_EQ(g_seen.verb, "explore");
  EXPECT_EQ(g_seen.file, R("none\\"));
  EXPECT_EQ(g_seen.show, SW_SHOWNORMAL);
}

TEST_F(SDiskShellTest, RecycleAFolderByItsFullPathDoublyEnded) {
  scratch.MakeFolder("bin");
  HWND owner = reinterpret_cast<HWND>(0x1234);
  ASSERT_TRUE(disk.ShellFileOperation(R("bin\\").c_str(), owner, false, false));
  EXPECT_EQ(g_seen.from, R("bin") + std::string("\0\0", 2));
  EXPECT_EQ(g_seen.function, UINT(FO_DELETE));
  EXPECT_EQ(g_seen.owner, owner);
  EXPECT_EQ(g_seen.flags, FOF_ALLOWUNDO | FOF_SILENT | FOF_NOERRORUI | FOF_NOCONFIRMATION);

  ASSERT_TRUE(disk.ShellFileOperation(R("bin").c_str(), nullptr, true, true));
  EXPECT_EQ(g_seen.flags, FOF_ALLOWUNDO);

  g_aborted = TRUE;
  EXPECT_FALSE(disk.ShellFileOperation(R("bin").c_str(), nullptr, true, true));
  g_aborted = FALSE;
  g_operationAnswer = 2;
  EXPECT_FALSE(disk.ShellFileOperation(R("bin").c_str(), nullptr, true, true));

  g_seen.calls = 0;
  EXPECT_FALSE(disk.ShellFileOperation("bad<name", nullptr, false, false));
  EXPECT_FALSE(disk.ShellFileOperation("C:\\", nullptr, false, false));
  EXPECT_EQ(g_seen.calls, 0);
}

TEST_F(SDiskShellTest, EmptyRecycleBinOfEveryDrive) {
  ASSERT_TRUE(disk.EmptyRecycleBin(nullptr, false, false));
  EXPECT_EQ(g_seen.directory, "<null>");
  EXPECT_EQ(g_seen.recycleFlags, DWORD(SHERB_NOCONFIRMATION | SHERB_NOPROGRESSUI | SHERB_NOSOUND));
  ASSERT_TRUE(disk.EmptyRecycleBin(nullptr, true, true));
  EXPECT_EQ(g_seen.recycleFlags, 0u);
}

// The link file read back through the shell's own link object.
struct LinkContent {
  std::string path, folder, description;
};

std::string WithoutFinalBackslash(std::string folder) {
  if (!folder.empty() && folder.back() == '\\') folder.pop_back();
  return folder;
}

bool ReadShortcut(const std::string& file, LinkContent& out) {
  IShellLinkA* link = nullptr;
  IPersistFile* persist = nullptr;
  bool ok = SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                       IID_IShellLinkA, reinterpret_cast<void**>(&link))) &&
            SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&persist)));
  WCHAR wide[MAX_PATH];
  MultiByteToWideChar(CP_ACP, 0, file.c_str(), -1, wide, MAX_PATH);
  char text[MAX_PATH];
  if (ok) ok = SUCCEEDED(persist->Load(wide, STGM_READ));
  if (ok && SUCCEEDED(link->GetPath(text, MAX_PATH, nullptr, 0))) out.path = text;
  if (ok && SUCCEEDED(link->GetWorkingDirectory(text, MAX_PATH))) out.folder = text;
  if (ok && SUCCEEDED(link->GetDescription(text, MAX_PATH))) out.description = text;
  if (persist) persist->Release();
  if (link) link->Release();
  return ok;
}

TEST_F(SDiskShellTest, CreateShortcutAnswersTrueWhenTheLinkIsWritten) {
  scratch.MakeFolder("app");
  scratch.MakeFile("app\\tool.exe", "MZ");
  std::string link = R("links\\deep\\tool.lnk");
  EXPECT_FALSE(disk.CreateShortcut(link.c_str(), R("app\\tool.exe").c_str(), "A tool", false));
  EXPECT_FALSE(ScratchFolder::Exists(link));

  ASSERT_TRUE(disk.CreateShortcut(link.c_str(), R("app\\tool.exe").c_str(), "A tool", true));
  ASSERT_TRUE(ScratchFolder::Exists(link));
  CoInitialize(nullptr);
  LinkContent content;
  EXPECT_TRUE(ReadShortcut(link, content));
  CoUninitialize();
  EXPECT_EQ(content.path, R("app\\tool.exe"));
  EXPECT_EQ(WithoutFinalBackslash(content.folder), R("app"));
  EXPECT_EQ(content.description, "A tool");

  EXPECT_FALSE(disk.CreateShortcut(link.c_str(), "bad<target", "", false));
}

}  // namespace
