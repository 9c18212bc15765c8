// SSystem: answers checked against the platform's own calls, fonts and
// associations made for real and taken back, and the session's end through
// a stand-in that only records the request.
#include <gtest/gtest.h>

#include <shlobj.h>

#include <string>
#include <vector>

#include "core/SStringArray.h"
#include "files/SFileMem.h"
#include "files/SRegistry.h"
#include "files/SSystem.h"
#include "files/SystemActionCalls.h"
#include "tests/files/ScratchFolder.h"

namespace {

std::string Text(const SString& s) { return s.GetText(); }

// ---- Version and the session's end ----------------------------------------------------

TEST(SSystemVersion, NumbersMapToCodes) {
  struct Case {
    DWORD platform, major, minor;
    int code;
  } cases[] = {
      {1, 4, 0, SSystem::OS_95},     {2, 4, 0, SSystem::OS_NT4},     {1, 4, 10, SSystem::OS_98},
      {1, 4, 90, SSystem::OS_ME},    {2, 5, 0, SSystem::OS_2K},      {2, 5, 1, SSystem::OS_XP},
      {2, 5, 2, SSystem::OS_XP},     {2, 6, 0, SSystem::OS_VISTA},   {2, 6, 1, SSystem::OS_SEVEN},
      {2, 6, 2, SSystem::OS_EIGHT},  {2, 6, 3, SSystem::OS_UNKNOWN}, {2, 10, 0, SSystem::OS_UNKNOWN},
      {1, 4, 1, SSystem::OS_UNKNOWN}, {1, 5, 0, SSystem::OS_UNKNOWN}, {0, 4, 0, SSystem::OS_UNKNOWN},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.platform << " " << c.major << "." << c.minor);
    EXPECT_EQ(SSystem::OSVersionFromNumbers(c.platform, c.major, c.minor), c.code);
  }
}

TEST(SSystemVersion, TheRunningSystemIsOfTheNtFamily) {
  OSVERSIONINFOA info = {};
  info.dwOSVersionInfoSize = sizeof info;
  ASSERT_TRUE(GetVersionExA(&info));
  EXPECT_EQ(SSystem::GetOSVersion(),
            SSystem::OSVersionFromNumbers(info.dwPlatformId, info.dwMajorVersion,
                                          info.dwMinorVersion));
  EXPECT_NE(SSystem::GetOSVersion(), 0);
  EXPECT_TRUE(SSystem::IsNtFamily());
}

struct ExitRequest {
  int calls = 0;
  UINT flags = 0;
  DWORD reason = 0;
};
ExitRequest g_exit;
BOOL g_exitAnswer = TRUE;

BOOL WINAPI FakeExitWindows(UINT flags, DWORD reason) {
  g_exit.calls++;
  g_exit.flags = flags;
  g_exit.reason = reason;
  return g_exitAnswer;
}

TEST(SSystemSession, ShutDownRebootAndLogOffAskWithTheirFlags) {
  SystemActionCalls saved = GetSystemActionCalls();
  GetSystemActionCalls().exitWindows = FakeExitWindows;
  struct Case {
    int (*action)();
    UINT flags;
  } cases[] = {{SSystem::ShutDown, EWX_SHUTDOWN | EWX_FORCEIFHUNG},
               {SSystem::Reboot, EWX_REBOOT | EWX_FORCEIFHUNG},
               {SSystem::LogOff, EWX_LOGOFF | EWX_FORCEIFHUNG}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.flags);
    g_exit = ExitRequest();
    g_exitAnswer = TRUE;
    EXPECT_NE(c.action(), 0);
    EXPECT_EQ(g_exit.calls, 1);
    EXPECT_EQ(g_exit.flags, c.flags);
    EXPECT_EQ(g_exit.reason, 0x80000000u);
    g_exitAnswer = FALSE;
    EXPECT_EQ(c.action(), 0);
  }
  GetSystemActionCalls() = saved;
}

// ---- Names and the screen -------------------------------------------------------------------

TEST(SSystemNames, NamesOfTheMachineAndTheUser) {
  char name[256];
  DWORD size = sizeof name;
  ASSERT_TRUE(GetComputerNameA(name, &size));
  EXPECT_EQ(Text(SSystem::GetComputerName()), name);
  size = sizeof name;
  ASSERT_TRUE(GetUserNameA(name, &size));
  EXPECT_EQ(Text(SSystem::GetUserName()), name);
  EXPECT_FALSE(Text(SSystem::GetUserName()).empty());
  EXPECT_EQ(Text(SSystem::GetRegisteredOwner()),
            Text(SRegistry::ReadString(HKEY_LOCAL_MACHINE,
                                       "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion",
                                       "RegisteredOwner")));
  // A country's English name: letters and blanks.
  std::string country = Text(SSystem::GetKeyboardLocaleName());
  ASSERT_FALSE(country.empty());
  for (char c : country) EXPECT_TRUE(isalpha(static_cast<unsigned char>(c)) || c == ' ') << country;
}

TEST(SSystemScreen, SizeDepthAndWorkAreas) {
  int width = SSystem::GetMonitorWidth(), height = SSystem::GetMonitorHeight();
  EXPECT_EQ(width, GetSystemMetrics(SM_CXSCREEN));
  EXPECT_EQ(height, GetSystemMetrics(SM_CYSCREEN));
  EXPECT_GT(width, 0);
  EXPECT_GT(height, 0);
  int depth = SSystem::GetScreenDepth();
  EXPECT_TRUE(depth == 8 || depth == 16 || depth == 24 || depth == 32) << depth;

  RECT primary = SSystem::GetWorkArea(nullptr);
  EXPECT_GE(primary.left, 0);
  EXPECT_GE(primary.top, 0);
  EXPECT_LE(primary.right, width);
  EXPECT_LE(primary.bottom, height);
  EXPECT_GT(primary.right - primary.left, 0);
  EXPECT_GT(primary.bottom - primary.top, 0);
  POINT origin = {0, 0};
  RECT monitor = SSystem::GetWorkArea(MonitorFromPoint(origin, MONITOR_DEFAULTTOPRIMARY));
  EXPECT_TRUE(EqualRect(&primary, &monitor));
  RECT none = SSystem::GetWorkArea(reinterpret_cast<HMONITOR>(0x7654321));
  EXPECT_TRUE(IsRectEmpty(&none) && none.left == 0 && none.top == 0);
}

// ---- Fonts --------------------------------------------------------------------------------

TEST(SSystemFonts, FontNamesAreMergedSortedAndUnique) {
  SStringArray names;
  int found = SSystem::GetFontNames(names);
  ASSERT_GT(found, 0);
  EXPECT_EQ(found, names.GetCount());
  for (int i = 1; i < names.GetCount(); i++)
    EXPECT_LT(Text(names.GetString(i - 1)), Text(names.GetString(i)));
  // A second listing brings nothing new.
  EXPECT_EQ(SSystem::GetFontNames(names), 0);
  EXPECT_EQ(names.GetCount(), found);

  SStringArray merged;
  merged.Add("~kept");
  merged.Add(names.GetString(0).GetText());
  merged.Add(names.GetString(0).GetText());
  EXPECT_EQ(SSystem::GetFontNames(merged), found - 2);
  EXPECT_EQ(merged.GetCount(), found + 1);
  EXPECT_GE(merged.Find("~kept"), 0);
}

// Three different font files to work with: from the Fonts folder, or under
// Wine from the fonts it brings along. (The same font under three names
// would be one entry of the font table.)
std::vector<std::string> ThreeFontFiles() {
  char fonts[MAX_PATH];
  std::vector<std::string> folders = {"Z:\\usr\\share\\wine\\fonts\\"};
  if (SUCCEEDED(SHGetFolderPathA(nullptr, CSIDL_FONTS, nullptr, 0, fonts)))
    folders.insert(folders.begin(), std::string(fonts) + "\\");
  for (const std::string& folder : folders) {
    std::vector<std::string> found;
    for (const char* name : {"marlett.ttf", "webdings.ttf", "wingding.ttf", "symbol.ttf",
                             "tahoma.ttf", "arial.ttf", "cour.ttf", "times.ttf"}) {
      if (ScratchFolder::Exists(folder + name)) found.push_back(folder + name);
      if (found.size() == 3) return found;
    }
  }
  return {};
}

class SSystemFontFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::vector<std::string> fonts = ThreeFontFiles();
    if (fonts.empty()) GTEST_SKIP() << "no three font files found";
    for (int i = 0; i < 3; i++) {
      paths[i] = scratch["Font" + std::to_string(i) + ".TTF"];
      ASSERT_TRUE(CopyFileA(fonts[i].c_str(), paths[i].c_str(), FALSE));
    }
  }

  static std::string Lower(std::string s) {
    for (char& c : s) c = char(tolower(static_cast<unsigned char>(c)));
    return s;
  }

  ScratchFolder scratch;
  std::string paths[3];
};

TEST_F(SSystemFontFileTest, AddedFontsAreListedAndRemoved) {
  SStringArray added;
  ASSERT_TRUE(SSystem::AddFont(added, paths[0].c_str()));
  ASSERT_EQ(added.GetCount(), 1);
  EXPECT_EQ(Text(added.GetString(0)), Lower(paths[0]));
  EXPECT_FALSE(SSystem::AddFont(added, scratch["none.ttf"].c_str()));
  EXPECT_FALSE(SSystem::AddFont(added, "bad<name.ttf"));
  EXPECT_EQ(added.GetCount(), 1);

  ASSERT_TRUE(SSystem::RemoveFont(added, paths[0].c_str()));
  EXPECT_EQ(added.GetCount(), 0);
  // Once out of the table, it can't be taken out again.
  EXPECT_FALSE(SSystem::RemoveFont(added, paths[0].c_str()));
}

TEST_F(SSystemFontFileTest, ReleasingTheListRemovesEveryFont) {
  SStringArray added;
  for (const std::string& path : paths) ASSERT_TRUE(SSystem::AddFont(added, path.c_str()));
  ASSERT_EQ(added.GetCount(), 3);
  SSystem::ReleaseFontList(added);
  EXPECT_EQ(added.GetCount(), 0);
  // None is left in the font table for the platform to remove.
  for (const std::string& path : paths)
    EXPECT_FALSE(RemoveFontResourceA(Lower(path).c_str())) << path;
}

TEST(SSystemFonts, CopyToFontsFolderWritesOnlyNewFiles) {
  char fonts[MAX_PATH];
  ASSERT_TRUE(SUCCEEDED(SHGetFolderPathA(nullptr, CSIDL_FONTS, nullptr, 0, fonts)));
  std::string name = "tavrin-test-" + std::to_string(GetCurrentProcessId()) + ".ttf";
  std::string target = std::string(fonts) + "\\" + name;
  DeleteFileA(target.c_str());

  SFileMem stream;
  stream.Write("skip-font bytes", 15);
  stream.Seek(5);
  ASSERT_TRUE(SSystem::CopyToFontsFolder(name.c_str(), &stream));
  EXPECT_EQ(ScratchFolder::Read(target), "font bytes");

  stream.Seek(0);
  EXPECT_FALSE(SSystem::CopyToFontsFolder(name.c_str(), &stream));
  EXPECT_EQ(ScratchFolder::Read(target), "font bytes");
  EXPECT_FALSE(SSystem::CopyToFontsFolder("sub\\x.ttf", &stream));
  EXPECT_FALSE(SSystem::CopyToFontsFolder("y.ttf", nullptr));
  DeleteFileA(target.c_str());
}

// ---- Programs and files --------------------------------------------------------------------

TEST(SSystemPrograms, ThisProgramRunsOnce) {
  EXPECT_EQ(SSystem::CountProcesses(nullptr), 1);
  EXPECT_EQ(SSystem::CountProcesses(""), 1);
  char own[MAX_PATH];
  GetModuleFileNameA(nullptr, own, MAX_PATH);
  CharUpperA(own);
  EXPECT_EQ(SSystem::CountProcesses(own), 1);
  EXPECT_EQ(SSystem::CountProcesses("C:\\no\\such\\program.exe"), 0);
  // A library counts once in every process that has it.
  char kernel[MAX_PATH];
  GetModuleFileNameA(GetModuleHandleA("kernel32.dll"), kernel, MAX_PATH);
  EXPECT_GE(SSystem::CountProcesses(kernel), 1);
}

class SSystemAssociationTest : public ::testing::Test {
 protected:
  void SetUp() override { Clean(); }
  void TearDown() override { Clean(); }
  static void Clean() { RegDeleteTreeA(HKEY_CLASSES_ROOT, ".tavrintest7"); }

  static std::string Command() {
    return Text(SRegistry::ReadString(HKEY_CLASSES_ROOT, ".tavrintest7\\shell\\open\\command", ""));
  }
  static bool HasKey(const char* subKey) {
    HKEY key;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, subKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
  }
};

TEST_F(SSystemAssociationTest, ExtensionsAreCheckedAndLowerCased) {
  ASSERT_TRUE(SSystem::SetFileAssociation(".TavrinTest7", "C:\\Tools\\view.exe", " /open"));
  EXPECT_EQ(Command(), "\"C:\\Tools\\view.exe\" /open \"%1\"");
  ASSERT_TRUE(SSystem::SetFileAssociation("tavrintest7", "C:\\Tools\\edit.exe", ""));
  EXPECT_EQ(Command(), "\"C:\\Tools\\edit.exe\" \"%1\"");

  for (const char* bad : {"", ".", "tavrin-test7", "a.b", "tavrin test"}) {
    SCOPED_TRACE(bad);
    EXPECT_FALSE(SSystem::SetFileAssociation(bad, "C:\\Tools\\view.exe", ""));
  }
  EXPECT_FALSE(HasKey(".tavrin-test7"));
}

TEST_F(SSystemAssociationTest, TheSameCommandRewritesNothingAnotherReplacesTheOldVerbs) {
  ASSERT_TRUE(SSystem::SetFileAssociation("tavrintest7", "C:\\Tools\\view.exe", ""));
  // Marks in the extension's key: they survive only as long as the key does.
  ASSERT_TRUE(SRegistry::WriteString(HKEY_CLASSES_ROOT, ".tavrintest7", "Mark", "1"));
  ASSERT_TRUE(SRegistry::WriteString(HKEY_CLASSES_ROOT, ".tavrintest7\\shell\\edit\\command", "",
                                     "old editor"));
  ASSERT_TRUE(SSystem::SetFileAssociation("TAVRINTEST7", "c:\\tools\\VIEW.exe", ""));
  EXPECT_EQ(Text(SRegistry::ReadString(HKEY_CLASSES_ROOT, ".tavrintest7", "Mark")), "1");

  ASSERT_TRUE(SSystem::SetFileAssociation("tavrintest7", "C:\\Tools\\other.exe", ""));
  EXPECT_EQ(Command(), "\"C:\\Tools\\other.exe\" \"%1\"");
  EXPECT_EQ(Text(SRegistry::ReadString(HKEY_CLASSES_ROOT, ".tavrintest7", "Mark")), "");
  EXPECT_FALSE(HasKey(".tavrintest7\\shell\\edit"));
}

TEST_F(SSystemAssociationTest, AKeyThatCannotBeReplacedIsAFailure) {
  // No key name may be this long: the old association can't be deleted and
  // the new one can't be written, and the answer must say so.
  std::string extension(300, 'x');
  EXPECT_FALSE(SSystem::SetFileAssociation(extension.c_str(), "C:\\Tools\\view.exe", ""));
}

// ---- Network -------------------------------------------------------------------------------

TEST(SSystemNetwork, AddressesAgreeInBothForms) {
  SArray<uint8_t> bytes;
  SStringArray texts;
  int n = SSystem::GetMacAddresses(&bytes, &texts);
  ASSERT_EQ(texts.GetCount(), n);
  ASSERT_EQ(bytes.GetCount(), 6 * n);
  for (int i = 0; i < n; i++) {
    char expected[18];
    wsprintfA(expected, "%02X:%02X:%02X:%02X:%02X:%02X", bytes.GetAt(6 * i), bytes.GetAt(6 * i + 1),
              bytes.GetAt(6 * i + 2), bytes.GetAt(6 * i + 3), bytes.GetAt(6 * i + 4),
              bytes.GetAt(6 * i + 5));
    EXPECT_EQ(Text(texts.GetString(i)), expected);
    EXPECT_NE(Text(texts.GetString(i)), "44:45:53:54:00:00");
  }
  EXPECT_EQ(Text(SSystem::GetMacAddress()), n > 0 ? Text(texts.GetString(0)) : "");
  EXPECT_EQ(SSystem::GetMacAddresses(nullptr, nullptr), n);
}

}  // namespace
