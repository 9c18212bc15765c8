// The Disk and Dll classes as applications use them: a backup of a folder
// tree into a ZIP archive, checked afterwards with zlib; programs started
// through the shell and files sent to the recycle bin, which under Wine is
// the Unix trash below XDG_DATA_HOME, here a scratch folder; and the tests'
// own library (tests/e2e/scriptlib) called in both conventions with every
// argument and result type, loaded once from its path and once from the
// package's "dll" resources, whose temporary copy lands in a temporary
// folder of the test's own (TMP) so that the test sees it go.
//
// Each program shows what it found in one box captioned "Result" and ends
// by itself. The environment a program needs is set while it is started
// and put back afterwards.
#include <windows.h>

#include <gtest/gtest.h>

#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "tests/e2e/PackedApp.h"

namespace fs = std::filesystem;

namespace {

// A Windows path as a program's string literal writes it.
std::string Literal(std::string path) {
  std::replace(path.begin(), path.end(), '/', '\\');
  std::string out;
  for (char c : path) out += c == '\\' ? std::string("%5C") : std::string(1, c);
  return out;
}

// A scratch folder of the test's own, removed again with its contents.
struct Scratch {
  explicit Scratch(const char* name) {
    char base[MAX_PATH];
    GetTempPathA(sizeof base, base);
    path = fs::path(base) / ("tavrin-e2e-" + std::string(name) + "-" + std::to_string(GetCurrentProcessId()));
    fs::remove_all(path, ignored);
    fs::create_directories(path, ignored);
  }
  ~Scratch() { fs::remove_all(path, ignored); }
  fs::path path;
  std::error_code ignored;
};

// An environment variable set for what the scope starts.
class EnvironmentScope {
 public:
  EnvironmentScope(const char* name, const std::string& value) : m_name(name) {
    char old[MAX_PATH * 2];
    DWORD n = GetEnvironmentVariableA(name, old, sizeof old);
    m_had = n > 0 && n < sizeof old;
    if (m_had) m_old = old;
    SetEnvironmentVariableA(name, value.c_str());
  }
  ~EnvironmentScope() { SetEnvironmentVariableA(m_name, m_had ? m_old.c_str() : nullptr); }

 private:
  const char* m_name;
  bool m_had;
  std::string m_old;
};

// The entries of a ZIP archive from its central directory, each inflated
// by zlib and checked against the CRC-32 the archive records; a fault
// leaves the name mapped to "<bad>".
std::map<std::string, std::string> ZipEntries(const std::string& zip) {
  std::map<std::string, std::string> entries;
  auto u16 = [&](size_t at) { return uint32_t(uint8_t(zip[at])) | uint32_t(uint8_t(zip[at + 1])) << 8; };
  auto u32 = [&](size_t at) { return u16(at) | u16(at + 2) << 16; };
  size_t end = zip.rfind(std::string("PK\x05\x06", 4));
  if (end == std::string::npos || end + 22 > zip.size()) return entries;
  size_t at = u32(end + 16);
  for (uint32_t i = 0; i < u16(end + 10) && at + 46 <= zip.size(); i++) {
    uint32_t method = u16(at + 10), crc = u32(at + 16), packed = u32(at + 20), size = u32(at + 24);
    uint32_t nameLength = u16(at + 28), local = u32(at + 42);
    std::string name = zip.substr(at + 46, nameLength);
    at += 46 + nameLength + u16(at + 30) + u16(at + 32);
    size_t data = local + 30 + u16(local + 26) + u16(local + 28);
    std::string bytes(size, '\0');
    bool ok = false;
    if (method == 0) {
      bytes = zip.substr(data, packed);
      ok = bytes.size() == size;
    } else if (method == 8) {
      z_stream z = {};
      inflateInit2(&z, -MAX_WBITS);
      z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(zip.data() + data));
      z.avail_in = packed;
      z.next_out = reinterpret_cast<Bytef*>(bytes.data());
      z.avail_out = size;
      ok = inflate(&z, Z_FINISH) == Z_STREAM_END && z.total_out == size;
      inflateEnd(&z);
    }
    uLong check = crc32(0, reinterpret_cast<const Bytef*>(bytes.data()), uInt(bytes.size()));
    entries[name] = ok && check == crc ? bytes : "<bad>";
  }
  return entries;
}

uint32_t Crc32(const std::string& bytes) {
  return uint32_t(crc32(0, reinterpret_cast<const Bytef*>(bytes.data()), uInt(bytes.size())));
}

// ---- The programs ------------------------------------------------------------------------------

// A folder tree made, listed, archived, copied, changed and removed again.
std::string BackupProgram() {
  return "class Application\n"
         "  Disk d new\n"
         "  File f new\n"
         "  StringArray files new\n"
         "  StringArray found new\n"
         "  Timer written new\n"
         "  Timer created new\n"
         "  Timer now new\n"
         "function Void _00000000()\n"
         "  String r\n"
         "  Integer age\n"
         "  String root\n"
         "  String zip\n"
         "  Integer i\n"
         "  Integer parts\n"
         "  root=d.Disk.23()\n"
         "  for i=0;i<root.String.9();i++\n"
         "    if root.String.6(i)==\"%5C\"\n"
         "      parts++\n"
         "    end\n"
         "  end\n"
         "  r=\"made=\"+d.Disk.21(root+\"data%5Cdocs%5Cold\")+d.Disk.21(root+\"data%5Cempty\",0)+d.Disk.21(root+\"data\",0)\n"
         "  f.File.21(root+\"data%5Ca.txt\",1,1)\n"
         "  f.File.35(\"alpha\")\n"
         "  f.File.5()\n"
         "  f.File.21(root+\"data%5Cdocs%5Cb.txt\",1,1)\n"
         "  f.File.35(\"bravo bravo\")\n"
         "  f.File.5()\n"
         "  f.File.21(root+\"data%5Cdocs%5Cold%5Cc.txt\",1,1)\n"
         "  f.File.35(\"charlie\")\n"
         "  f.File.5()\n"
         "  r+=\" listed=\"+d.Disk.43(files,root+\"data%5C*.*\")\n"
         "  r+=\" bare=\"+d.Disk.43(found,root+\"data%5C*\",Disk.DIRS|Disk.SUBDIRS|Disk.NODIR_FILES|Disk.NODIR_SUBDIRS)\n"
         "  r+=\" \"+(found.StringArray.5(0)==root+\"data%5Cempty%5C\")\n"
         "  zip=d.Disk.37(root,\"backup\",\"zip\")\n"
         "  r+=\" zip=\"+d.Disk.32(zip,files,parts)+(zip==root+\"backup.zip\")+(d.Disk.35(zip)>100)\n"
         "  r+=\" next=\"+(d.Disk.37(root,\"backup\",\"zip\")!=zip)\n"
         "  r+=\" crc=\"+d.Disk.26(root+\"data%5Ca.txt\")+\" md5=\"+d.Disk.27(root+\"data%5Cdocs%5Cb.txt\")\n"
         "  r+=\" mirror=\"+d.Disk.20(root+\"data\",root+\"mirror\")+d.Disk.38(root+\"mirror%5Cdocs%5Cold%5Cc.txt\")+d.Disk.24(root+\"mirror%5Cempty\")\n"
         "  r+=\" files=\"+d.Disk.29(root+\"mirror%5Ca.txt\",root+\"mirror%5Cb.txt\")+d.Disk.39(root+\"mirror%5Cb.txt\",root+\"moved%5Cb.txt\",1,1)\n"
         "  r+=\"\"+d.Disk.40(root+\"moved%5Cb.txt\",root+\"moved%5Cd.txt\")+d.Disk.33(root+\"mirror%5Ca.txt\")+d.Disk.44(root+\"mirror%5Ca.txt\")\n"
         "  r+=\" gone=\"+d.Disk.22(root+\"mirror\",1)+d.Disk.24(root+\"mirror\")\n"
         "  r+=\" ro=\"+d.Disk.49(root+\"data%5Ca.txt\",Disk.ATTRIBUTE_READONLY)+d.Disk.45(root+\"data%5Ca.txt\")+d.Disk.46(root+\"data%5Ca.txt\")+d.Disk.47(root+\"data%5Ca.txt\")\n"
         "  r+=\" size=\"+d.Disk.35(root+\"data%5Cdocs%5Cb.txt\")+d.Disk.35(root+\"none\")\n"
         "  now.Timer.21()\n"
         "  r+=\" times=\"+d.Disk.34(root+\"data%5Cdocs%5Cb.txt\",written,created)+d.Disk.34(root+\"none\",written)\n"
         "  age=now.Timer.46()-written.Timer.46()\n"
         "  r+=\"\"+(age>=-5)+(age<600)+(created.Timer.46()<=written.Timer.46())\n"
         "  Global.33(r,\"Result\")\n"
         "  Global.35()\n";
}

// The folders, drives and volumes as answers that hold on any machine, and
// the members the backup leaves out.
const char kQueriesProgram[] =
    "class Application\n"
    "  Disk d new\n"
    "  File f new\n"
    "  StringArray drives new\n"
    "function Void _00000000()\n"
    "  String r\n"
    "  String root\n"
    "  String t\n"
    "  root=d.Disk.23()\n"
    "  r=\"folders=\"+(d.Disk.0()?=\"*%5C\")+(d.Disk.1()?=\"*%5C\")+(d.Disk.2()?=\"*%5C\")+(d.Disk.3()?=\"*%5C\")+(d.Disk.4()?=\"*%5C\")+(d.Disk.5()?=\"*%5C\")\n"
    "  r+=\"\"+(d.Disk.6()?=\"*%5CQuick Launch%5C\")+(d.Disk.7()?=\"*%5C\")+(d.Disk.8()?=\"*%5C\")+(d.Disk.9()?=\"*%5C\")+(d.Disk.10()?=\"*%5C\")+(d.Disk.11()?=\"*%5C\")\n"
    "  r+=\" drive=\"+(d.Disk.12()?=\"?:%5C\")+\" drives=\"+(d.Disk.14(drives)>=2)+(drives.StringArray.4(\"c:%5C\")>=0)+(drives.StringArray.4(\"z:%5C\")>=0)\n"
    "  r+=\" volume=\"+(d.Disk.13(\"c\")!=\"\")+(d.Disk.17(\"C:%5C\")>0)+(d.Disk.18(\"C:%5C\")>0)+d.Disk.19(\"c\")+\"[\"+d.Disk.15(\"#\")+d.Disk.16(\"#\")+\"]\"\n"
    "  f.File.21(root+\"check.txt\",1,1)\n"
    "  f.File.35(\"123456789\")\n"
    "  f.File.5()\n"
    "  r+=\" sha1=\"+d.Disk.28(root+\"check.txt\")+\" short=\"+(d.Disk.41(root+\"check.txt\")!=\"\")+\" system=\"+d.Disk.48(root+\"check.txt\")\n"
    "  r+=\" rename=\"+d.Disk.21(root+\"a%5Cb\")+d.Disk.25(root+\"a\",root+\"c\")+d.Disk.24(root+\"c%5Cb\")+d.Disk.24(root+\"a\")\n"
    "  r+=\" link=\"+d.Disk.31(root+\"links%5Ccheck.lnk\",root+\"check.txt\",\"The check\",1)+d.Disk.38(root+\"links%5Ccheck.lnk\")\n"
    "  t=d.Disk.36()\n"
    "  r+=\" temp=\"+(t?=d.Disk.10()+\"*\")+d.Disk.38(t)+d.Disk.33(t)+d.Disk.38(t)\n"
    "  Global.33(r,\"Result\")\n"
    "  Global.35()\n";

// Programs started through the shell, and the recycle bin.
std::string ShellProgram(const std::string& writeMark, const std::string& trash) {
  return "class Application\n"
         "  constant MARK \"" + Literal(writeMark) + "\"\n"
         "  constant TRASH \"" + Literal(trash) + "\"\n"
         "  Disk d new\n"
         "function Void _00000000()\n"
         "  String r\n"
         "  String root\n"
         "  root=d.Disk.23()\n"
         "  r=\"wait=\"+d.Disk.42(MARK,\"%22\"+root+\"waited.txt%22 one two\",1,1,0)+d.Disk.38(root+\"waited.txt\")\n"
         "  r+=\" nowait=\"+d.Disk.42(MARK,\"%22\"+root+\"later.txt%22\",0,0,0)+d.Disk.38(root+\"later.txt\")\n"
         "  r+=\" missing=\"+d.Disk.42(root+\"none.exe\")+d.Disk.52(root+\"none\")\n"
         "  r+=\" recycle=\"+d.Disk.30(root+\"junk.txt\")+d.Disk.51(root+\"junk.txt\")+d.Disk.38(root+\"junk.txt\")+d.Disk.38(TRASH+\"junk.txt\")\n"
         "  r+=\" empty=\"+d.Disk.50()+d.Disk.38(TRASH+\"junk.txt\")\n"
         "  Global.33(r,\"Result\")\n"
         "  Global.35()\n";
}

// Every argument and result type in both conventions; load is the line
// that loads the library.
std::string LibraryProgram(const std::string& load, const std::string& extra) {
  return "class Application\n"
         "  Dll lib new\n"
         "  Disk d new\n"
         "  StringArray found new\n"
         "function Void _00000000()\n"
         "  String r\n"
         "  r=\"new=\"+lib.Dll.2()+lib.Dll.4()+\"[\"+lib.Dll.0(\"IntC\")+\"]\"\n"
         "  lib.Dll.3(Dll.INT,Dll.INT)\n"
         "  r+=\" load=\"+" + load + "+lib.Dll.4()\n"
         "  lib.Dll.3(Dll.STR,Dll.INT,Dll.INT64,Dll.FLOAT,Dll.DOUBLE,Dll.STR,Dll.USTR,Dll.PTR)\n"
         "  r+=\" S:\"+lib.Dll.0(\"DescribeS\",\"-12\",\"-9000000000\",\"2.5\",\"-0.125\",\"a b\",\"w%E9\",\"5\")\n"
         "  lib.Dll.7(Dll.CDECL)\n"
         "  r+=\" C:\"+lib.Dll.0(\"DescribeC\",\"7\",\"8\",\"0.25\",\"1e3\",\"\",\"\",\"-1\")+\" conv=\"+lib.Dll.2()\n"
         "  lib.Dll.3(Dll.INT,Dll.INT,Dll.INT)\n"
         "  r+=\" int=\"+lib.Dll.0(\"IntC\",\"-3\",\"7\")\n"
         "  lib.Dll.3(Dll.INT64,Dll.INT64,Dll.INT)\n"
         "  r+=\" int64=\"+lib.Dll.0(\"Int64C\",\"0\",\"1\")\n"
         "  lib.Dll.3(Dll.FLOAT,Dll.FLOAT,Dll.INT)\n"
         "  r+=\" float=[\"+lib.Dll.0(\"FloatC\",\"1.25\",\"2\")+\"]\"\n"
         "  lib.Dll.3(Dll.USTR,Dll.USTR)\n"
         "  r+=\" ustr=\"+lib.Dll.0(\"WideC\",\"h%E9\")\n"
         "  lib.Dll.3(Dll.STR)\n"
         "  r+=\" null=[\"+lib.Dll.0(\"NullText\")+\"]\"\n"
         "  lib.Dll.3(Dll.USTR)\n"
         "  r+=\"[\"+lib.Dll.0(\"NullWide\")+\"]\"\n"
         "  lib.Dll.3(Dll.INT,Dll.STR)\n"
         "  r+=\" empty=\"+lib.Dll.0(\"IsNull\",\"\")\n"
         "  lib.Dll.7(Dll.STDCALL)\n"
         "  lib.Dll.3(Dll.INT,Dll.INT,Dll.INT)\n"
         "  r+=\" intS=\"+lib.Dll.0(\"IntS\",\"4\",\"5\")\n"
         "  lib.Dll.3(Dll.INT64,Dll.INT64,Dll.INT)\n"
         "  r+=\" int64S=\"+lib.Dll.0(\"Int64S\",\"9000000000\",\"1\")\n"
         "  lib.Dll.3(Dll.DOUBLE,Dll.DOUBLE,Dll.DOUBLE)\n"
         "  r+=\" doubleS=[\"+lib.Dll.0(\"DoubleS\",\"2\",\"0.5\")+\"]\"\n"
         "  lib.Dll.3(Dll.INT,Dll.PTR)\n"
         "  r+=\" ptrS=\"+lib.Dll.0(\"DerefS\",\"5\")\n"
         "  lib.Dll.3(Dll.PTR,Dll.INT)\n"
         "  r+=\" addressS=\"+lib.Dll.0(\"AddressS\",\"4096\")\n"
         "  lib.Dll.3(Dll.NONE,Dll.INT)\n"
         "  r+=\" none=[\"+lib.Dll.0(\"TouchS\",\"3\")+\"]\"\n"
         "  lib.Dll.7(Dll.CDECL)\n"
         "  lib.Dll.3(Dll.INT)\n"
         "  r+=lib.Dll.0(\"Count\")+\" missing=[\"+lib.Dll.0(\"Missing\")+\"]\"\n" +
         extra +
         "  Global.33(r,\"Result\")\n"
         "  Global.35()\n";
}

const char kLibraryResult[] =
    "new=10[] load=11 S:i=-12 l=-9000000000 f=2.5 d=-0.125 s=[a b] u=[w<E9>] p=5 "
    "C:i=7 l=8 f=0.25 d=1000 s=[] u=[] p=-1 conv=0 int=-2993 int64=-1 float=[        2.5] "
    "ustr=h\xE9! null=[][] empty=2 intS=4005 int64S=8999999999 doubleS=[        2.5] ptrS=6 "
    "addressS=4096 none=[]3 missing=[]";

// After the common part: the temporary copy while loaded, after the
// unload and after a load that fails.
const char kResourceExtra[] =
    "  r+=\" tmp=\"+d.Disk.43(found,d.Disk.10()+\"tmp*.tmp\",Disk.FILES)+lib.Dll.1()+d.Disk.43(found,d.Disk.10()+\"tmp*.tmp\",Disk.FILES)\n"
    "  r+=\" broken=\"+lib.Dll.6(\"broken.dll\")+lib.Dll.4()+d.Disk.43(found,d.Disk.10()+\"tmp*.tmp\",Disk.FILES)\n"
    "  r+=\" again=\"+lib.Dll.6(\"script.dll\")+d.Disk.43(found,d.Disk.10()+\"tmp*.tmp\",Disk.FILES)\n";

class DiskDllClasses : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    s_trashHome = std::make_unique<Scratch>("xdg");
    s_temporary = std::make_unique<Scratch>("tmp");
    s_batch.Start("DiskBackup", BackupProgram());
    s_batch.Start("DiskQueries", kQueriesProgram);
    {
      // Wine hands the variable to the Unix side of the process it starts.
      EnvironmentScope xdg("XDG_DATA_HOME", WineUnixPath(s_trashHome->path));
      s_batch.Start("DiskShell", ShellProgram(TAVRIN_WRITE_MARK, (s_trashHome->path / "Trash" / "files").string() + "\\"));
    }
    s_batch.Start("DllFromPath", LibraryProgram("lib.Dll.5(\"" + Literal(TAVRIN_SCRIPT_LIB) + "\")", ""));
    {
      EnvironmentScope tmp("TMP", s_temporary->path.string());
      EnvironmentScope temp("TEMP", s_temporary->path.string());
      s_batch.Start("DllFromResource", LibraryProgram("lib.Dll.6(\"script.dll\")", kResourceExtra),
                    {{"dll\\script.dll", e2e::ReadFileBytes(TAVRIN_SCRIPT_LIB)},
                     {"dll\\broken.dll", "MZ but no library"}});
    }
  }
  static void TearDownTestSuite() {
    s_batch.Clear();
    s_trashHome.reset();
    s_temporary.reset();
  }
  // The Unix path of a Windows path, as Wine maps it.
  static std::string WineUnixPath(const fs::path& path) {
    typedef char* (CDECL * ToUnix)(const WCHAR*);
    void* entry = reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name"));
    auto toUnix = reinterpret_cast<ToUnix>(entry);
    if (!toUnix) return path.string();
    char* unix = toUnix(path.wstring().c_str());
    std::string text = unix ? unix : "";
    HeapFree(GetProcessHeap(), 0, unix);
    return text;
  }
  static e2e::PackedApp& App(const char* name) {
    EXPECT_EQ(s_batch.Error(name), "");
    return *s_batch.Find(name);
  }

  static e2e::AppBatch s_batch;
  static std::unique_ptr<Scratch> s_trashHome, s_temporary;
};

e2e::AppBatch DiskDllClasses::s_batch;
std::unique_ptr<Scratch> DiskDllClasses::s_trashHome, DiskDllClasses::s_temporary;

TEST_F(DiskDllClasses, BackupOfAFolderTreeIntoAZip) {
  e2e::PackedApp& app = App("DiskBackup");
  e2e::ExpectBoxesThenExit(app, "Result",
                           {"made=111 listed=3 bare=1 1 zip=111 next=1 crc=" + std::to_string(Crc32("alpha")) +
                            " md5=10FC38A2DD92651C7BC287A8F9339425 mirror=111 files=11110 gone=10 ro=1110 "
                            "size=11-1 times=10111"});
  if (HasFatalFailure()) return;
  std::map<std::string, std::string> entries = ZipEntries(e2e::ReadFileBytes(app.Folder() / "backup.zip"));
  const std::map<std::string, std::string> expected = {
      {"data/a.txt", "alpha"}, {"data/docs/b.txt", "bravo bravo"}, {"data/docs/old/c.txt", "charlie"}};
  EXPECT_EQ(entries, expected);
  EXPECT_TRUE(GetFileAttributesA((app.Folder() / "data" / "a.txt").string().c_str()) & FILE_ATTRIBUTE_READONLY);
  EXPECT_FALSE(fs::exists(app.Folder() / "mirror"));
  EXPECT_EQ(e2e::ReadFileBytes(app.Folder() / "moved" / "d.txt"), "alpha");
  // The application's folder goes with the test: the read-only file too.
  SetFileAttributesA((app.Folder() / "data" / "a.txt").string().c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(DiskDllClasses, FoldersDrivesAndTheRest) {
  e2e::ExpectBoxesThenExit(App("DiskQueries"), "Result",
                           {"folders=111111111111 drive=1 drives=111 volume=1110[0] "
                            "sha1=F7C3BC1D808E04732ADF679965CCC34CA7AE3441 short=1 system=0 rename=1110 "
                            "link=11 temp=1110"});
}

TEST_F(DiskDllClasses, ProgramsAndTheRecycleBin) {
  e2e::PackedApp& app = App("DiskShell");
  e2e::ExpectBoxesThenExit(app, "Result", {"wait=11 nowait=10 missing=00 recycle=1101 empty=10"});
  if (HasFatalFailure()) return;
  EXPECT_EQ(e2e::ReadFileBytes(app.Folder() / "waited.txt"), "ran one two");
  // The program started without waiting still ends and writes.
  DWORD start = GetTickCount();
  while (!fs::exists(app.Folder() / "later.txt") && GetTickCount() - start < 20000) Sleep(100);
  EXPECT_EQ(e2e::ReadFileBytes(app.Folder() / "later.txt"), "ran");
  EXPECT_FALSE(fs::exists(s_trashHome->path / "Trash" / "files" / "junk.txt"));
}

TEST_F(DiskDllClasses, TheLibraryFromItsPath) {
  e2e::ExpectBoxesThenExit(App("DllFromPath"), "Result", {kLibraryResult});
}

TEST_F(DiskDllClasses, TheLibraryFromTheResourcesLeavesNoTemporaryFile) {
  e2e::ExpectBoxesThenExit(App("DllFromResource"), "Result",
                           {std::string(kLibraryResult) + " tmp=110 broken=000 again=11"});
  if (HasFatalFailure()) return;
  // The last copy went when the object was released at the end.
  int left = 0;
  for (const auto& entry : fs::directory_iterator(s_temporary->path)) left += entry.path().extension() == ".tmp";
  EXPECT_EQ(left, 0);
}

}  // namespace
