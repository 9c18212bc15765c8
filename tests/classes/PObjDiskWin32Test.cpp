// The Disk class called as a program calls it: every member reaches its
// disk service with the arguments in the service's order. Files live in a
// scratch folder of the test's own (Wine's Z: is the whole Unix file
// system); what would start a program or touch the recycle bin goes
// through stand-ins that record the request.
#include <windows.h>

#include <gtest/gtest.h>

#include <shlobj.h>

#include <filesystem>
#include <string>

#include "classes/PObjDisk.h"
#include "classes/PObjRectangle.h"
#include "classes/PObjStringArray.h"
#include "classes/windows/PObjDialog.h"
#include "core/SStringArray.h"
#include "engine/PObjectDefinition.h"
#include "files/SystemActionCalls.h"
#include "tests/classes/DataClassTest.h"
#include "tests/window/WindowTesting.h"

namespace {

using classtest::kUnset;
using D = PObjDisk;
namespace fs = std::filesystem;

class PObjDiskWin32Test : public classtest::DataClassTest {
 protected:
  void SetUp() override {
    DataClassTest::SetUp();
    disk = NewObject<D>();
  }
  PObjStringArray* NewArray() { return NewObject<PObjStringArray>(); }
  static std::string At(PObjStringArray* a, int i) { return a->GetStore().GetAt(i)->GetText(); }

  D* disk = nullptr;
};

TEST_F(PObjDiskWin32Test, Declaration) {
  PObjectDefinition* d = engine.FindDefinition(D::kTypeCode);
  ASSERT_NE(d, nullptr);
  EXPECT_STREQ(d->GetName(), "Disk");
  EXPECT_EQ(d->GetCategory(), CATEGORY_FILES);
  const std::pair<const char*, int> constants[] = {
      {"ID", int(D::kTypeCode)}, {"FILES", 4},          {"DIRS", 2},           {"SUBDIRS", 1},
      {"NODIR_FILES", 16},       {"NODIR_NOFILES", 32}, {"NODIR_SUBDIRS", 64}, {"NODIR_NOSUBDIRS", 128},
      {"NOHIDDEN", 8},           {"ATTRIBUTE_READONLY", 1}, {"ATTRIBUTE_HIDDEN", 2}, {"ATTRIBUTE_SYSTEM", 4}};
  ASSERT_EQ(d->GetConstantCount(), 12);
  for (int i = 0; i < 12; i++) {
    EXPECT_STREQ(d->GetConstantName(i).GetText(), constants[i].first);
    EXPECT_EQ(d->GetConstant(i)->ToInt64(), constants[i].second) << constants[i].first;
  }
  ASSERT_EQ(d->GetMemberCount(), 54);
  // Parameters and defaults of the members that have more than one.
  const struct {
    int member, params, defaults;
  } shapes[] = {{0, 0, 0},  {20, 2, 0}, {21, 2, 1}, {29, 4, 2}, {30, 3, 2}, {31, 4, 2}, {32, 3, 1},
                {34, 5, 3}, {37, 3, 2}, {39, 4, 2}, {42, 5, 4}, {43, 3, 1}, {49, 2, 1}, {50, 3, 3},
                {51, 4, 3}, {53, 1, 0}};
  for (const auto& s : shapes) {
    EXPECT_EQ(d->GetParamCount(s.member), s.params) << s.member;
    EXPECT_EQ(d->GetDefaultCount(s.member), s.defaults) << s.member;
  }
  const SValue& flags = d->GetParamInfo(D::LIST, 2)->GetDefault();
  EXPECT_EQ(flags.ToInt64(), 5);
  EXPECT_STREQ(flags.GetName().GetText(), "Disk.SUBDIRS|Disk.FILES");
}

TEST_F(PObjDiskWin32Test, SpecialFoldersEndWithABackslash) {
  for (int m = D::COOKIES_FOLDER; m <= D::WINDOWS_FOLDER; m++) {
    std::string folder = Text(disk, m);
    ASSERT_GT(folder.size(), 3u) << m;
    EXPECT_EQ(folder.back(), '\\') << m;
  }
  EXPECT_NE(Text(disk, D::QUICK_LAUNCH_FOLDER).find("\\Microsoft\\Internet Explorer\\Quick Launch\\"),
            std::string::npos);
  std::string drive = Text(disk, D::CURRENT_DRIVE);
  EXPECT_EQ(drive.size(), 3u);
  EXPECT_EQ(drive, std::string(1, char(std::tolower(drive[0]))) + ":\\");
}

TEST_F(PObjDiskWin32Test, DrivesAndVolumes) {
  PObjStringArray* roots = NewArray();
  int64_t count = Int(disk, D::GET_DRIVES, roots);
  ASSERT_GE(count, 2);  // Wine's C: and Z: at least
  EXPECT_EQ(roots->GetStore().GetCount(), count);
  EXPECT_GE(roots->GetStore().Find("c:\\"), 0);
  EXPECT_GE(roots->GetStore().Find("z:\\"), 0);
  EXPECT_EQ(Int(disk, D::GET_DRIVES, nullptr), kUnset);

  EXPECT_NE(Text(disk, D::FILE_SYSTEM_NAME, "C:\\"), "");
  EXPECT_EQ(Text(disk, D::FILE_SYSTEM_NAME, "#"), "");
  EXPECT_EQ(Text(disk, D::VOLUME_NAME, "#"), "");
  EXPECT_EQ(Int(disk, D::VOLUME_SERIAL, "#"), 0);
  EXPECT_EQ(Int(disk, D::IS_CD_DRIVE, "c"), 0);
  // Kilobytes, the whole 64-bit count.
  ULARGE_INTEGER free, total;
  ASSERT_TRUE(GetDiskFreeSpaceExA("C:\\", &free, &total, nullptr));
  EXPECT_EQ(Int(disk, D::TOTAL_SPACE, "C:\\"), int64_t(total.QuadPart >> 10));
  EXPECT_NEAR(double(Int(disk, D::FREE_SPACE, "C:\\")), double(free.QuadPart >> 10), 1024.0 * 1024);
  EXPECT_EQ(Int(disk, D::TOTAL_SPACE, "Q:\\none\\"), 0);
}

TEST_F(PObjDiskWin32Test, FolderTrees) {
  std::string tree = PathOf("tree"), deep = PathOf("tree\\a\\b");
  EXPECT_EQ(Int(disk, D::CREATE_FOLDER, deep, 0), 0);
  EXPECT_EQ(Int(disk, D::CREATE_FOLDER, deep), 1);
  EXPECT_EQ(Int(disk, D::FOLDER_EXISTS, deep), 1);
  // An existing folder is the answer already.
  EXPECT_EQ(Int(disk, D::CREATE_FOLDER, deep, 0), 1);
  WriteDisk(deep + "\\f.txt", "deep");
  WriteDisk(tree + "\\top.txt", "top");

  EXPECT_EQ(Int(disk, D::COPY_FOLDER, tree, PathOf("copy")), 1);
  EXPECT_EQ(ReadDisk(PathOf("copy\\a\\b\\f.txt")), "deep");
  EXPECT_EQ(Int(disk, D::RENAME_FOLDER, PathOf("copy"), PathOf("moved")), 1);
  EXPECT_EQ(ReadDisk(PathOf("moved\\top.txt")), "top");
  EXPECT_EQ(Int(disk, D::FOLDER_EXISTS, PathOf("copy")), 0);

  EXPECT_EQ(Int(disk, D::DELETE_FOLDER, tree), 0);
  EXPECT_TRUE(Exists(deep + "\\f.txt"));
  EXPECT_EQ(Int(disk, D::DELETE_FOLDER, tree, 1), 1);
  EXPECT_FALSE(Exists(tree));

  std::string current = Text(disk, D::CURRENT_FOLDER);
  ASSERT_FALSE(current.empty());
  EXPECT_EQ(current.back(), '\\');
}

TEST_F(PObjDiskWin32Test, FilesTakeTheSourceFirst) {
  std::string a = PathOf("a.txt"), b = PathOf("b.txt");
  WriteDisk(a, "123456789");
  EXPECT_EQ(Int(disk, D::COPY_FILE, a, b), 1);
  EXPECT_EQ(ReadDisk(b), "123456789");
  WriteDisk(b, "old");
  EXPECT_EQ(Int(disk, D::COPY_FILE, a, b, 0), 0);
  EXPECT_EQ(ReadDisk(b), "old");
  EXPECT_EQ(Int(disk, D::COPY_FILE, a, PathOf("x\\y\\c.txt"), 1, 0), 0);
  EXPECT_EQ(Int(disk, D::COPY_FILE, a, PathOf("x\\y\\c.txt"), 1, 1), 1);

  EXPECT_EQ(Int(disk, D::MOVE_FILE, b, PathOf("m\\b.txt"), 1, 1), 1);
  EXPECT_FALSE(Exists(b));
  EXPECT_EQ(ReadDisk(PathOf("m\\b.txt")), "old");
  EXPECT_EQ(Int(disk, D::MOVE_FILE, PathOf("m\\b.txt"), a, 0), 0);
  EXPECT_EQ(Int(disk, D::RENAME_FILE, PathOf("m\\b.txt"), PathOf("m\\r.txt")), 1);

  EXPECT_EQ(Int(disk, D::CREATE_FILE, a), 0);
  EXPECT_EQ(Int(disk, D::CREATE_FILE, a, 1), 1);
  EXPECT_EQ(Int(disk, D::FILE_SIZE, a), 0);
  EXPECT_EQ(Int(disk, D::CREATE_FILE, PathOf("n\\e.txt"), 0, 1), 1);
  EXPECT_EQ(Int(disk, D::FILE_EXISTS, PathOf("n\\e.txt")), 1);
  EXPECT_EQ(Int(disk, D::FILE_EXISTS, PathOf("n\\")), 0);
  EXPECT_EQ(Int(disk, D::EXISTS, PathOf("n\\")), 1);
  EXPECT_EQ(Int(disk, D::FILE_SIZE, PathOf("none")), -1);
  EXPECT_EQ(Int(disk, D::DELETE_FILE, PathOf("n\\e.txt")), 1);
  EXPECT_EQ(Int(disk, D::DELETE_FILE, PathOf("n\\e.txt")), 0);

  EXPECT_NE(Text(disk, D::SHORT_PATH, a), "");
  EXPECT_EQ(Text(disk, D::SHORT_PATH, PathOf("none")), "");
}

TEST_F(PObjDiskWin32Test, DigestsOfTheFileBytes) {
  std::string file = PathOf("check.txt");
  WriteDisk(file, "123456789");
  // The CRC-32 is unsigned, as the number it is.
  EXPECT_EQ(Int(disk, D::FILE_CRC32, file), 0xCBF43926);
  EXPECT_EQ(Text(disk, D::FILE_MD5, file), "25F9E794323B453885F5181F1B624D0B");
  EXPECT_EQ(Text(disk, D::FILE_SHA1, file), "F7C3BC1D808E04732ADF679965CCC34CA7AE3441");
  EXPECT_EQ(Text(disk, D::FILE_MD5, PathOf("none")), "");
}

TEST_F(PObjDiskWin32Test, FreeAndTemporaryNames) {
  std::string folder = PathOf("");
  EXPECT_EQ(Text(disk, D::FREE_FILE_NAME, folder), folder + "tmp.tmp");
  // Without its backslash the folder still holds the name.
  std::string bare = folder.substr(0, folder.size() - 1);
  EXPECT_EQ(Text(disk, D::FREE_FILE_NAME, bare, "log", "txt"), folder + "log.txt");
  WriteDisk(folder + "log.txt", "");
  std::string other = Text(disk, D::FREE_FILE_NAME, folder, "log", "txt");
  EXPECT_NE(other, folder + "log.txt");
  EXPECT_EQ(other.rfind(folder + "log", 0), 0u);
  EXPECT_EQ(other.substr(other.size() - 4), ".txt");
  EXPECT_EQ(Text(disk, D::FREE_FILE_NAME, PathOf("missing\\")), "");

  std::string temporary = Text(disk, D::TEMP_FILE_NAME);
  ASSERT_NE(temporary, "");
  EXPECT_TRUE(Exists(temporary));
  EXPECT_EQ(Int(disk, D::DELETE_FILE, temporary), 1);
}

TEST_F(PObjDiskWin32Test, ListingAndArchives) {
  WriteDisk(PathOf("one.txt"), "1");
  fs::create_directories(PathOf("sub"));
  WriteDisk(PathOf("sub\\two.txt"), "22");
  PObjStringArray* list = NewArray();
  // The default: files of the tree, full paths.
  EXPECT_EQ(Int(disk, D::LIST, list, PathOf("*.txt")), 2);
  list->GetStore().Sort();
  EXPECT_EQ(At(list, 0), PathOf("one.txt"));
  EXPECT_EQ(At(list, 1), PathOf("sub\\two.txt"));
  PObjStringArray* folders = NewArray();
  EXPECT_EQ(Int(disk, D::LIST, folders, PathOf("*"), 2), 1);
  EXPECT_EQ(At(folders, 0), PathOf("sub\\"));
  EXPECT_EQ(Int(disk, D::LIST, nullptr, PathOf("*")), kUnset);

  // Entries named from the scratch folder on, the format's way: "sub/two.txt".
  std::string archive = PathOf("backup.zip");
  int parts = 0;
  for (char c : PathOf("")) parts += c == '\\';
  EXPECT_EQ(Int(disk, D::WRITE_ZIP, archive, list, parts), 1);
  std::string zip = ReadDisk(archive);
  EXPECT_EQ(zip.substr(0, 4), "PK\x03\x04");
  EXPECT_NE(zip.find("sub/two.txt"), std::string::npos);
  EXPECT_NE(zip.find("one.txt"), std::string::npos);
  EXPECT_EQ(Int(disk, D::WRITE_ZIP, PathOf("none.zip"), nullptr), kUnset);
  EXPECT_FALSE(Exists(PathOf("none.zip")));
  EXPECT_EQ(Int(disk, D::WRITE_ZIP, PathOf("empty.zip"), NewArray()), 0);
}

TEST_F(PObjDiskWin32Test, AttributesAndTimes) {
  std::string file = PathOf("a.txt");
  WriteDisk(file, "a");
  EXPECT_EQ(Int(disk, D::GET_ATTRIBUTES, file), 0);
  EXPECT_EQ(Int(disk, D::SET_ATTRIBUTES, file, 3 | 8), 1);
  EXPECT_EQ(Int(disk, D::GET_ATTRIBUTES, file), 3);
  EXPECT_EQ(Int(disk, D::IS_READ_ONLY, file), 1);
  EXPECT_EQ(Int(disk, D::IS_HIDDEN, file), 1);
  EXPECT_EQ(Int(disk, D::IS_SYSTEM, file), 0);
  EXPECT_EQ(Int(disk, D::SET_ATTRIBUTES, file), 1);
  EXPECT_EQ(Int(disk, D::IS_READ_ONLY, file), 0);
  EXPECT_EQ(Int(disk, D::GET_ATTRIBUTES, PathOf("none")), -1);

  // Without Timer objects only the answer remains: is the file there.
  EXPECT_EQ(Int(disk, D::FILE_TIMES, file, nullptr), 1);
  EXPECT_EQ(Int(disk, D::FILE_TIMES, PathOf("none"), nullptr), 0);
}

TEST_F(PObjDiskWin32Test, ShortcutToAFile) {
  std::string target = PathOf("tool.txt");
  WriteDisk(target, "t");
  EXPECT_EQ(Int(disk, D::CREATE_SHORTCUT, PathOf("links\\tool.lnk"), target, "A tool"), 0);
  EXPECT_EQ(Int(disk, D::CREATE_SHORTCUT, PathOf("links\\tool.lnk"), target, "A tool", 1), 1);
  EXPECT_EQ(ReadDisk(PathOf("links\\tool.lnk")).substr(0, 4), std::string("L\0\0\0", 4));
}

// ---- The shell, through stand-ins ------------------------------------------------------------

struct Seen {
  int calls = 0;
  std::string call;
  std::string verb = "", file = "", parameters = "", directory = "";
  int show = -1;
  UINT flags = 0;
  HWND owner = reinterpret_cast<HWND>(1);
};
Seen g_seen;

std::string Text0(const char* s) { return s ? s : "<null>"; }

// Starts a new record of one request.
Seen& Record(const char* call) {
  g_seen = Seen{g_seen.calls + 1, call};
  return g_seen;
}

HINSTANCE WINAPI SeenExecute(HWND, LPCSTR verb, LPCSTR file, LPCSTR parameters, LPCSTR directory,
                             INT show) {
  Seen& seen = Record("execute");
  seen.verb = Text0(verb);
  seen.file = Text0(file);
  seen.parameters = Text0(parameters);
  seen.directory = Text0(directory);
  seen.show = show;
  return reinterpret_cast<HINSTANCE>(INT_PTR(42));
}
BOOL WINAPI SeenExecuteEx(SHELLEXECUTEINFOA* info) {
  Seen& seen = Record("executeEx");
  seen.verb = Text0(info->lpVerb);
  seen.file = Text0(info->lpFile);
  seen.parameters = Text0(info->lpParameters);
  seen.directory = Text0(info->lpDirectory);
  seen.show = info->nShow;
  info->hProcess = nullptr;
  return TRUE;
}
int WINAPI SeenFileOperation(SHFILEOPSTRUCTA* operation) {
  Seen& seen = Record("recycle");
  seen.file = Text0(operation->pFrom);
  seen.flags = operation->fFlags;
  seen.owner = operation->hwnd;
  return operation->wFunc == FO_DELETE ? 0 : 1;
}
HRESULT WINAPI SeenEmptyRecycleBin(HWND owner, LPCSTR, DWORD flags) {
  Seen& seen = Record("empty");
  seen.flags = flags;
  seen.owner = owner;
  return S_OK;
}

class PObjDiskShellWin32Test : public PObjDiskWin32Test {
 public:
  // The framework runs, so that a Dialog can own the shell's windows.
  static void SetUpTestSuite() { WindowTest::SetUpTestSuite(); }
  static void TearDownTestSuite() { WindowTest::TearDownTestSuite(); }

 protected:
  void SetUp() override {
    PObjDiskWin32Test::SetUp();
    saved = GetSystemActionCalls();
    GetSystemActionCalls().shellExecute = SeenExecute;
    GetSystemActionCalls().shellExecuteEx = SeenExecuteEx;
    GetSystemActionCalls().shellFileOperation = SeenFileOperation;
    GetSystemActionCalls().emptyRecycleBin = SeenEmptyRecycleBin;
    g_seen = Seen();
  }
  void TearDown() override {
    GetSystemActionCalls() = saved;
    PObjDiskWin32Test::TearDown();
  }
  SystemActionCalls saved;
};

TEST_F(PObjDiskShellWin32Test, ExecuteMapsShowWaitAndFolder) {
  std::string tool = PathOf("tool.exe");
  WriteDisk(tool, "MZ");
  EXPECT_EQ(Int(disk, D::EXECUTE, tool), 1);
  EXPECT_EQ(g_seen.call, "execute");
  EXPECT_EQ(g_seen.verb, "open");
  EXPECT_EQ(g_seen.file, tool);
  EXPECT_EQ(g_seen.parameters, "");
  EXPECT_EQ(g_seen.directory, "");
  EXPECT_EQ(g_seen.show, SW_SHOW);

  EXPECT_EQ(Int(disk, D::EXECUTE, tool, "-a b", 1, 1, 0), 1);
  EXPECT_EQ(g_seen.call, "executeEx");
  EXPECT_EQ(g_seen.parameters, "-a b");
  EXPECT_EQ(g_seen.directory, PathOf(""));
  EXPECT_EQ(g_seen.show, SW_HIDE);

  int calls = g_seen.calls;
  EXPECT_EQ(Int(disk, D::EXECUTE, PathOf("none.exe")), 0);
  EXPECT_EQ(g_seen.calls, calls);
}

TEST_F(PObjDiskShellWin32Test, RecycleBinWithoutOwner) {
  EXPECT_EQ(Int(disk, D::EMPTY_RECYCLE_BIN), 1);
  EXPECT_EQ(g_seen.call, "empty");
  EXPECT_EQ(g_seen.owner, nullptr);
  EXPECT_EQ(g_seen.flags, UINT(SHERB_NOCONFIRMATION | SHERB_NOPROGRESSUI | SHERB_NOSOUND));
  EXPECT_EQ(Int(disk, D::EMPTY_RECYCLE_BIN, nullptr, 1, 1), 1);
  EXPECT_EQ(g_seen.flags, 0u);

  std::string file = PathOf("old.txt");
  EXPECT_EQ(Int(disk, D::RECYCLE, file), 1);
  EXPECT_EQ(g_seen.call, "recycle");
  EXPECT_EQ(g_seen.file, file);
  EXPECT_EQ(g_seen.owner, nullptr);
  EXPECT_EQ(g_seen.flags, UINT(FOF_ALLOWUNDO | FOF_SILENT | FOF_NOERRORUI | FOF_NOCONFIRMATION));
  EXPECT_EQ(Int(disk, D::RECYCLE, file, nullptr, 1, 1), 1);
  EXPECT_EQ(g_seen.flags, UINT(FOF_ALLOWUNDO));
}

TEST_F(PObjDiskShellWin32Test, ADialogOwnsTheShellsWindows) {
  PObjDialog* dialog = NewObject<PObjDialog>();
  EXPECT_EQ(Int(disk, D::EMPTY_RECYCLE_BIN, dialog), 1);
  EXPECT_EQ(g_seen.owner, nullptr);  // no window yet
  PObjRectangle* place = NewObject<PObjRectangle>();
  place->Set(10, 10, 200, 120);
  ASSERT_EQ(Int(dialog, PObjDialog::CREATE, place, "Owner", "WS_CAPTION", "", nullptr, 1), 1);
  ASSERT_NE(dialog->GetHwnd(), nullptr);
  EXPECT_EQ(Int(disk, D::EMPTY_RECYCLE_BIN, dialog), 1);
  EXPECT_EQ(g_seen.owner, dialog->GetHwnd());
  EXPECT_EQ(Int(disk, D::RECYCLE, PathOf("old.txt"), dialog), 1);
  EXPECT_EQ(g_seen.owner, dialog->GetHwnd());
  // Another class is no owner.
  EXPECT_EQ(Int(disk, D::RECYCLE, PathOf("old.txt"), place), 1);
  EXPECT_EQ(g_seen.owner, nullptr);
}

TEST_F(PObjDiskShellWin32Test, FoldersOpenShownNormally) {
  EXPECT_EQ(Int(disk, D::OPEN_FOLDER, PathOf("")), 1);
  EXPECT_EQ(g_seen.verb, "open");
  EXPECT_EQ(g_seen.file, PathOf(""));
  EXPECT_EQ(g_seen.show, SW_SHOWNORMAL);
  EXPECT_EQ(Int(disk, D::EXPLORE_FOLDER, PathOf("")), 1);
  EXPECT_EQ(g_seen.verb, "explore");
  EXPECT_EQ(g_seen.show, SW_SHOWNORMAL);
  int calls = g_seen.calls;
  EXPECT_EQ(Int(disk, D::OPEN_FOLDER, PathOf("none\\")), 0);
  EXPECT_EQ(g_seen.calls, calls);
}

}  // namespace
