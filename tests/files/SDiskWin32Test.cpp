// SDisk's folders, drives, queries, names and single-file changes.
#include <gtest/gtest.h>

#include <shlobj.h>

#include <string>

#include "core/SStringArray.h"
#include "core/STimer.h"
#include "files/SDisk.h"
#include "tests/files/ScratchFolder.h"

namespace {

std::string Text(const SString& s) { return s.GetText(); }

bool EndsWithOneBackslash(const std::string& folder) {
  size_t n = folder.size();
  return n >= 2 && folder[n - 1] == '\\' && folder[n - 2] != '\\';
}

std::string ShellFolder(int csidl) {
  char path[MAX_PATH] = "";
  if (FAILED(SHGetFolderPathA(nullptr, csidl, nullptr, 0, path))) return "";
  return std::string(path) + "\\";
}

// ---- Folders ------------------------------------------------------------------------------

TEST(SDiskFolders, EveryFolderEndsWithOneBackslashAndExists) {
  SDisk disk;
  struct Case {
    const char* name;
    SString folder;
  } cases[] = {
      {"documents", disk.GetDocumentsFolder()}, {"desktop", disk.GetDesktopFolder()},
      {"fonts", disk.GetFontsFolder()},         {"program files", disk.GetProgramFilesFolder()},
      {"programs", disk.GetProgramsFolder()},   {"system", disk.GetSystemFolder()},
      {"windows", disk.GetWindowsFolder()},     {"temp", disk.GetTempFolder()},
      {"favorites", disk.GetFavoritesFolder()}, {"recent", disk.GetRecentFolder()},
      {"current", disk.GetCurrentFolder()},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_TRUE(EndsWithOneBackslash(Text(c.folder))) << Text(c.folder);
    EXPECT_TRUE(ScratchFolder::Exists(Text(c.folder))) << Text(c.folder);
  }
  EXPECT_EQ(Text(disk.GetDocumentsFolder()), ShellFolder(CSIDL_PERSONAL));
  EXPECT_EQ(Text(disk.GetFontsFolder()), ShellFolder(CSIDL_FONTS));
  char windows[MAX_PATH];
  GetWindowsDirectoryA(windows, MAX_PATH);
  EXPECT_EQ(Text(disk.GetWindowsFolder()), std::string(windows) + "\\");
  // Cookies may have no folder of their own; then the answer is "".
  std::string cookies = Text(disk.GetCookiesFolder());
  EXPECT_TRUE(cookies.empty() || EndsWithOneBackslash(cookies)) << cookies;
}

TEST(SDiskFolders, QuickLaunchLivesInTheUsersApplicationData) {
  std::string data = ShellFolder(CSIDL_APPDATA);
  ASSERT_FALSE(data.empty());
  EXPECT_EQ(Text(SDisk().GetQuickLaunchFolder()),
            data + "Microsoft\\Internet Explorer\\Quick Launch\\");
}

TEST(SDiskFolders, ADriveRootAsCurrentFolderKeepsOneBackslash) {
  char saved[MAX_PATH];
  GetCurrentDirectoryA(MAX_PATH, saved);
  ASSERT_TRUE(SetCurrentDirectoryA("C:\\"));
  SDisk disk;
  EXPECT_EQ(Text(disk.GetCurrentFolder()), "C:\\");
  EXPECT_EQ(Text(disk.GetCurrentDrive()), "c:\\");
  SetCurrentDirectoryA(saved);
}

// ---- Drives and volumes ---------------------------------------------------------------------

TEST(SDiskDrives, DrivesAreLowerCaseRootsOfEveryLogicalDrive) {
  SDisk disk;
  SStringArray roots;
  roots.Add("kept");
  int n = disk.GetDrives(roots);
  ASSERT_EQ(n + 1, roots.GetCount());
  EXPECT_EQ(Text(roots.GetString(0)), "kept");
  DWORD mask = GetLogicalDrives();
  int expected = 0;
  for (int i = 0; i < 26; i++) expected += (mask >> i) & 1;
  EXPECT_EQ(n, expected);
  EXPECT_GE(roots.Find("c:\\"), 1);
  for (int i = 1; i < roots.GetCount(); i++) {
    std::string root = Text(roots.GetString(i));
    ASSERT_EQ(root.size(), 3u);
    EXPECT_TRUE(root[0] >= 'a' && root[0] <= 'z') << root;
    EXPECT_EQ(root.substr(1), ":\\");
  }
}

TEST(SDiskDrives, VolumeQueriesAnswerForCAndFailForAMissingDrive) {
  SDisk disk;
  char name[MAX_PATH], system[MAX_PATH];
  DWORD serial = 0;
  ASSERT_TRUE(GetVolumeInformationA("C:\\", name, MAX_PATH, &serial, nullptr, nullptr, system,
                                    MAX_PATH));
  EXPECT_EQ(disk.GetVolumeSerial('c'), serial);
  EXPECT_EQ(Text(disk.GetVolumeName('c')), name);
  EXPECT_EQ(Text(disk.GetFileSystemName('C')), system);
  EXPECT_FALSE(Text(disk.GetFileSystemName('c')).empty());
  EXPECT_FALSE(disk.IsCdDrive('c'));

  char missing = 0;
  DWORD mask = GetLogicalDrives();
  for (int i = 25; i >= 0 && !missing; i--)
    if (!(mask & (1u << i))) missing = char('a' + i);
  ASSERT_NE(missing, 0);
  EXPECT_EQ(disk.GetVolumeSerial(missing), 0u);
  EXPECT_EQ(Text(disk.GetVolumeName(missing)), "");
  EXPECT_EQ(Text(disk.GetFileSystemName(missing)), "");
  EXPECT_FALSE(disk.IsCdDrive(missing));
}

TEST(SDiskDrives, SpaceIsKilobytesCountedIn64Bits) {
  SDisk disk;
  std::string temp = Text(disk.GetTempFolder());
  ULARGE_INTEGER available, total;
  ASSERT_TRUE(GetDiskFreeSpaceExA(temp.c_str(), &available, &total, nullptr));
  EXPECT_EQ(disk.GetTotalSpace(temp.c_str()), int64_t(total.QuadPart >> 10));
  // Free space moves as other programs write; a megabyte either way will do.
  EXPECT_NEAR(double(disk.GetFreeSpace(temp.c_str())), double(available.QuadPart >> 10), 1024.0);
  EXPECT_GT(disk.GetFreeSpace(temp.c_str()), 0);
  EXPECT_EQ(disk.GetTotalSpace("Q:\\no\\such\\"), 0);
  EXPECT_EQ(disk.GetFreeSpace(nullptr), 0);
}

// ---- Queries of single files ---------------------------------------------------------------

class SDiskFileTest : public ::testing::Test {
 protected:
  std::string R(const std::string& relative) { return scratch[relative]; }
  ScratchFolder scratch;
  SDisk disk;
};

TEST_F(SDiskFileTest, SizeAndDigests) {
  scratch.MakeFile("abc.txt", "abc");
  scratch.MakeFile("empty.txt", "");
  EXPECT_EQ(disk.GetFileSize(R("abc.txt").c_str()), 3);
  EXPECT_EQ(disk.GetFileSize(R("empty.txt").c_str()), 0);
  EXPECT_EQ(disk.GetFileSize(R("none.txt").c_str()), -1);
  EXPECT_EQ(disk.GetFileCrc32(R("abc.txt").c_str()), 0x352441C2u);
  EXPECT_EQ(Text(disk.GetFileMd5(R("abc.txt").c_str())), "900150983CD24FB0D6963F7D28E17F72");
  EXPECT_EQ(Text(disk.GetFileSha1(R("abc.txt").c_str())),
            "A9993E364706816ABA3E25717850C26C9CD0D89D");
  EXPECT_EQ(disk.GetFileCrc32(R("none.txt").c_str()), 0u);
  EXPECT_EQ(Text(disk.GetFileMd5(R("none.txt").c_str())), "");
  EXPECT_EQ(Text(disk.GetFileSha1(R("none.txt").c_str())), "");
}

TEST_F(SDiskFileTest, TimesComeBackAsStoredInUtcOrLocalTime) {
  scratch.MakeFile("t.txt", "t");
  SYSTEMTIME when = {2021, 7, 0, 14, 9, 26, 53, 589};
  FILETIME stored;
  ASSERT_TRUE(SystemTimeToFileTime(&when, &stored));
  HANDLE file = CreateFileA(R("t.txt").c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_TRUE(SetFileTime(file, &stored, &stored, &stored));
  CloseHandle(file);

  STimer creation, access, write;
  ASSERT_TRUE(disk.GetFileTimes(R("t.txt").c_str(), &creation, &access, &write, false));
  for (const STimer* t : {&creation, &access, &write}) {
    EXPECT_EQ(t->GetYear(), 2021);
    EXPECT_EQ(t->GetMonth(), 7);
    EXPECT_EQ(t->GetDay(), 14);
    EXPECT_EQ(t->GetHour(), 9);
    EXPECT_EQ(t->GetMinute(), 26);
    EXPECT_EQ(t->GetSecond(), 53);
    EXPECT_EQ(t->GetMillisecond(), 589);
  }
  FILETIME localTime;
  SYSTEMTIME local;
  FileTimeToLocalFileTime(&stored, &localTime);
  FileTimeToSystemTime(&localTime, &local);
  STimer localWrite;
  ASSERT_TRUE(disk.GetFileTimes(R("t.txt").c_str(), nullptr, nullptr, &localWrite, true));
  EXPECT_EQ(localWrite.GetHour(), local.wHour);
  EXPECT_EQ(localWrite.GetDay(), local.wDay);
  EXPECT_FALSE(disk.GetFileTimes(R("none.txt").c_str(), nullptr, nullptr, &write, false));
}

TEST_F(SDiskFileTest, AttributesReadAndSetThreeBitsKeepingTheOthers) {
  scratch.MakeFile("a.txt", "a");
  std::string path = R("a.txt");
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_ARCHIVE);
  EXPECT_EQ(disk.GetAttributes(path.c_str()), 0);
  ASSERT_TRUE(disk.SetAttributes(path.c_str(), 1 | 2 | 8));
  EXPECT_EQ(disk.GetAttributes(path.c_str()), 3);
  EXPECT_TRUE(disk.IsReadOnly(path.c_str()));
  EXPECT_TRUE(disk.IsHidden(path.c_str()));
  EXPECT_FALSE(disk.IsSystem(path.c_str()));
  EXPECT_TRUE(GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_ARCHIVE);
  ASSERT_TRUE(disk.SetAttributes(path.c_str(), 0));
  EXPECT_EQ(disk.GetAttributes(path.c_str()), 0);
  EXPECT_FALSE(disk.IsReadOnly(path.c_str()));

  EXPECT_EQ(disk.GetAttributes(R("none").c_str()), -1);
  EXPECT_FALSE(disk.SetAttributes(R("none").c_str(), 1));
  EXPECT_FALSE(disk.IsHidden(R("none").c_str()));
}

TEST_F(SDiskFileTest, ShortPathOfAnExistingFile) {
  scratch.MakeFile("a rather long name.text", "x");
  std::string shortPath = Text(disk.GetShortPath(R("a rather long name.text").c_str()));
  ASSERT_FALSE(shortPath.empty());
  EXPECT_EQ(ScratchFolder::Read(shortPath), "x");
  EXPECT_EQ(Text(disk.GetShortPath(R("none").c_str())), "");
}

// ---- Names ------------------------------------------------------------------------------------

TEST_F(SDiskFileTest, UniqueNamesAvoidExistingFiles) {
  EXPECT_EQ(Text(disk.MakeUniqueFileName("txt", R("none\\").c_str(), "a")), "");
  EXPECT_EQ(Text(disk.MakeUniqueFileName("txt", scratch.Path().c_str(), "a")), R("a.txt"));
  EXPECT_EQ(Text(disk.MakeUniqueFileName("", scratch.Path().c_str(), "a")), R("a"));
  scratch.MakeFile("a.txt", "");
  std::string other = Text(disk.MakeUniqueFileName("txt", scratch.Path().c_str(), "a"));
  ASSERT_GT(other.size(), R("a.txt").size());
  EXPECT_EQ(other.substr(0, R("a").size()), R("a"));
  EXPECT_EQ(other.substr(other.size() - 4), ".txt");
  EXPECT_FALSE(ScratchFolder::Exists(other));

  std::string temp = Text(disk.MakeTempFileName());
  ASSERT_FALSE(temp.empty());
  EXPECT_TRUE(ScratchFolder::Exists(temp));
  EXPECT_TRUE(disk.DeleteFile(temp.c_str()));
  EXPECT_FALSE(disk.DeleteFile(temp.c_str()));
}

// ---- Changes ------------------------------------------------------------------------------------

TEST_F(SDiskFileTest, RenameAndCopy) {
  scratch.MakeFile("a.txt", "alpha");
  EXPECT_TRUE(disk.RenameFile(R("a.txt").c_str(), R("b.txt").c_str()));
  EXPECT_EQ(ScratchFolder::Read(R("b.txt")), "alpha");
  EXPECT_FALSE(disk.RenameFile(R("a.txt").c_str(), R("c.txt").c_str()));

  EXPECT_FALSE(disk.CopyFile(R("x\\y\\c.txt").c_str(), R("b.txt").c_str(), false, false));
  EXPECT_TRUE(disk.CopyFile(R("x\\y\\c.txt").c_str(), R("b.txt").c_str(), false, true));
  EXPECT_EQ(ScratchFolder::Read(R("x\\y\\c.txt")), "alpha");
  scratch.MakeFile("b.txt", "bravo");
  EXPECT_FALSE(disk.CopyFile(R("x\\y\\c.txt").c_str(), R("b.txt").c_str(), false, false));
  EXPECT_EQ(ScratchFolder::Read(R("x\\y\\c.txt")), "alpha");
  EXPECT_TRUE(disk.CopyFile(R("x\\y\\c.txt").c_str(), R("b.txt").c_str(), true, false));
  EXPECT_EQ(ScratchFolder::Read(R("x\\y\\c.txt")), "bravo");
}

TEST_F(SDiskFileTest, MoveReplacesOnlyWhenAskedAndNeverLosesAFile) {
  scratch.MakeFile("a.txt", "alpha");
  scratch.MakeFile("b.txt", "bravo");
  EXPECT_FALSE(disk.MoveFile(R("b.txt").c_str(), R("a.txt").c_str(), false, false));
  EXPECT_EQ(ScratchFolder::Read(R("a.txt")), "alpha");
  EXPECT_TRUE(disk.MoveFile(R("b.txt").c_str(), R("a.txt").c_str(), true, false));
  EXPECT_FALSE(ScratchFolder::Exists(R("a.txt")));
  EXPECT_EQ(ScratchFolder::Read(R("b.txt")), "alpha");

  // A file moved onto itself with replace stays, whatever the answer.
  disk.MoveFile(R("b.txt").c_str(), R("b.txt").c_str(), true, false);
  EXPECT_EQ(ScratchFolder::Read(R("b.txt")), "alpha");

  // A move that fails keeps the target it would have replaced.
  scratch.MakeFile("c.txt", "charlie");
  EXPECT_FALSE(disk.MoveFile(R("c.txt").c_str(), R("none.txt").c_str(), true, false));
  EXPECT_EQ(ScratchFolder::Read(R("c.txt")), "charlie");

  EXPECT_TRUE(disk.MoveFile(R("d\\e\\b.txt").c_str(), R("b.txt").c_str(), false, true));
  EXPECT_EQ(ScratchFolder::Read(R("d\\e\\b.txt")), "alpha");
}

TEST_F(SDiskFileTest, CreateEmptyFile) {
  EXPECT_FALSE(disk.CreateEmptyFile("", true, true));
  EXPECT_FALSE(disk.CreateEmptyFile(R("f\\g\\new.txt").c_str(), false, false));
  EXPECT_TRUE(disk.CreateEmptyFile(R("f\\g\\new.txt").c_str(), false, true));
  EXPECT_EQ(ScratchFolder::Read(R("f\\g\\new.txt")), "");
  scratch.MakeFile("full.txt", "content");
  EXPECT_FALSE(disk.CreateEmptyFile(R("full.txt").c_str(), false, false));
  EXPECT_EQ(ScratchFolder::Read(R("full.txt")), "content");
  EXPECT_TRUE(disk.CreateEmptyFile(R("full.txt").c_str(), true, false));
  EXPECT_EQ(ScratchFolder::Read(R("full.txt")), "");
}

}  // namespace
