#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "files/GlobalObjects.h"
#include "files/SFileMem.h"
#include "files/SKeyboard.h"

namespace {

const char kMarkVariable[] = "TAVRIN_GLOBALS_CHILD_MARK";

// Called by a child test at its end, so that the parent knows the filter
// named a test that ran; the note is handed to the parent.
void MarkChildRan(const char* note = "") {
  char path[MAX_PATH];
  if (GetEnvironmentVariableA(kMarkVariable, path, MAX_PATH) == 0) return;
  SFileMem text;
  text.WriteString(note, -1);
  text.SaveFile(path);
}

// Runs one test of this executable in a process of its own and answers its
// exit code, or -1 when it could not be run or the test did not run: the
// objects' destruction at the end of a process can only be seen from
// outside it.
int RunInChildProcess(const char* testName, std::string* note = nullptr) {
  char exe[MAX_PATH];
  if (GetModuleFileNameA(nullptr, exe, MAX_PATH) == 0) return -1;
  std::string mark = testing::TempDir() + "globals-child-mark";
  DeleteFileA(mark.c_str());
  SetEnvironmentVariableA(kMarkVariable, mark.c_str());
  std::string command = std::string("\"") + exe + "\" --gtest_also_run_disabled_tests --gtest_filter=" + testName;
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
    return -1;
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD code = DWORD(-1);
  GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  SetEnvironmentVariableA(kMarkVariable, nullptr);
  SFileMem text;
  if (!text.LoadFile(mark.c_str())) return -1;
  if (note) *note = std::string(reinterpret_cast<const char*>(text.GetData()), size_t(text.GetSize()));
  DeleteFileA(mark.c_str());
  return int(code);
}

// ---- Run in a child process ---------------------------------------------------------------

// The state every object has before anything fills it.
TEST(GlobalObjectsChild, DISABLED_EmptyBeforeTheFrameworkStarts) {
  EXPECT_EQ(DialogWindowList.GetCount(), 0);
  EXPECT_EQ(DialogWindowList.GetCapacity(), 0);
  EXPECT_EQ(AppFolderPath.GetBuffer(), nullptr);
  EXPECT_EQ(ExePath.GetBuffer(), nullptr);
  EXPECT_EQ(ModulePath.GetBuffer(), nullptr);
  EXPECT_EQ(StandardCursorTable.GetCapacity(), 0);
  EXPECT_EQ(Identifiants.GetCursorNames().GetCount(), 18);
  EXPECT_EQ(Identifiants.GetColorNames().GetCount(), 30);
  EXPECT_FALSE(RichEditLibrary.IsLoaded());
  EXPECT_FALSE(LayeredWindowLibrary.IsLoaded());
  EXPECT_EQ(KeyNameTable.GetCount(), 0);
  MarkChildRan();
}

// Leaves every object holding storage for the process's end to release.
TEST(GlobalObjectsChild, DISABLED_FilledAtTheEnd) {
  SKeyboard keyboard;
  ASSERT_EQ(KeyNameTable.GetCount(), 256);
  DialogWindowList.Add(HWND(0x1234));  // never touched at the end: no such window
  AppFolderPath = "C:\\app\\";
  ExePath = "C:\\app\\a.exe";
  ModulePath = "C:\\app\\a.exe";
  StandardCursorTable.Add(reinterpret_cast<SCursor*>(0x10));  // not deleted by the table
  // One library loaded from a stream (a temporary copy the end must
  // delete), one loaded by path.
  SFileMem library;
  ASSERT_TRUE(library.LoadFile(TAVRIN_TEST_DLL));
  ASSERT_TRUE(RichEditLibrary.LoadFromStream(&library));
  ASSERT_TRUE(LayeredWindowLibrary.Load("user32.dll"));
  MarkChildRan(RichEditLibrary.GetTemporaryPath().GetText());
}

// ---- Parent side --------------------------------------------------------------------------

TEST(GlobalObjectsTest, ProcessWithoutFrameworkStartEndsCleanly) {
  EXPECT_EQ(RunInChildProcess("GlobalObjectsChild.DISABLED_EmptyBeforeTheFrameworkStarts"), 0);
}

TEST(GlobalObjectsTest, FilledObjectsReleaseOnlyTheirOwnStorage) {
  std::string temporaryLibrary;
  EXPECT_EQ(RunInChildProcess("GlobalObjectsChild.DISABLED_FilledAtTheEnd", &temporaryLibrary), 0);
  // The library object freed its library and deleted its temporary copy.
  ASSERT_FALSE(temporaryLibrary.empty());
  EXPECT_EQ(GetFileAttributesA(temporaryLibrary.c_str()), INVALID_FILE_ATTRIBUTES) << temporaryLibrary;
}

}  // namespace
