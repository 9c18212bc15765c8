// The System class as applications use it: packed programs ask about the
// machine and the user and show what they found in boxes, which the test
// compares with the platform's own answers; fonts are added from a scratch
// copy of a Debian font file (fonts-wine) and installed into the Fonts folder; a file
// association is written under a test extension and read back through the
// shell's own lookup; two copies of one program count each other.
//
// All programs start together before the first box is read, since every
// start costs seconds under emulation. Nothing here ends the session: the
// shutdown actions are tested in-process, through the system calls' seam.
#include <windows.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <filesystem>
#include <regex>
#include <string>

#include "files/SSystem.h"
#include "tests/e2e/PackedApp.h"

namespace {

namespace fs = std::filesystem;

// Fonts of Debian's fonts-wine package: Wine loads the fonts of the
// system's font folders at start, so a copy of one of those would be a
// duplicate that never enters the font table by itself.
const char kFontSource[] = "Z:\\usr\\share\\wine\\fonts\\marlett.ttf";
const char kOtherFontSource[] = "Z:\\usr\\share\\wine\\fonts\\webdings.ttf";
const char kFontFamily[] = "Marlett";
const char kExtension[] = "tavrine2e";

// A text as a string literal of the program: the bytes the literal syntax
// gives a meaning to written as "%" and two hexadecimal digits.
std::string Literal(const std::string& text) {
  std::string out = "\"";
  for (unsigned char c : text) {
    if (c == '%' || c == '$' || c == '"' || c < 0x20 || c > 0x7E) {
      char hex[4];
      std::snprintf(hex, sizeof hex, "%%%02X", c);
      out += hex;
    } else {
      out += char(c);
    }
  }
  return out + "\"";
}

std::string Lower(std::string s) {
  for (char& c : s) c = char(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

std::string FontsFolder() {
  char folder[MAX_PATH];
  return SUCCEEDED(SHGetFolderPathA(nullptr, CSIDL_FONTS, nullptr, 0, folder)) ? folder : "";
}

// The command that the shell runs to open files of the extension; "" when
// it knows none.
std::string OpenCommand(const char* extension) {
  char command[1024];
  DWORD size = sizeof command;
  if (FAILED(AssocQueryStringA(ASSOCF_NOTRUNCATE, ASSOCSTR_COMMAND, extension, "open", command, &size)))
    return "";
  return command;
}

// What the machine tells any program, read here the platform's way.
std::string MachineFacts() {
  char name[256];
  DWORD size = sizeof name;
  std::string facts = "computer=" + std::string(GetComputerNameA(name, &size) ? name : "");
  size = sizeof name;
  facts += " user=" + std::string(GetUserNameA(name, &size) ? name : "");
  char owner[256] = "";
  DWORD ownerSize = sizeof owner;
  if (SHGetValueA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion", "RegisteredOwner",
                  nullptr, owner, &ownerSize) != ERROR_SUCCESS)
    owner[0] = 0;
  facts += " owner=" + std::string(owner);
  LANGID language = LOWORD(reinterpret_cast<UINT_PTR>(GetKeyboardLayout(0)));
  char country[256] = "";
  GetLocaleInfoA(MAKELCID(language, SORT_DEFAULT), LOCALE_SENGCOUNTRY, country, sizeof country);
  facts += " country=" + std::string(country);
  RECT area;
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
  facts += " area=1:" + std::to_string(area.left) + "," + std::to_string(area.top) + "," +
           std::to_string(area.right) + "," + std::to_string(area.bottom) + " null=0";
  HDC screen = GetDC(nullptr);
  facts += " screen=" + std::to_string(GetSystemMetrics(SM_CXSCREEN)) + "x" +
           std::to_string(GetSystemMetrics(SM_CYSCREEN)) + "x" + std::to_string(GetDeviceCaps(screen, BITSPIXEL));
  ReleaseDC(nullptr, screen);
  OSVERSIONINFOA version = {};
  version.dwOSVersionInfoSize = sizeof version;
  GetVersionExA(&version);
  facts += " os=" + std::to_string(SSystem::OSVersionFromNumbers(version.dwPlatformId, version.dwMajorVersion,
                                                                  version.dwMinorVersion));
  return facts + " nt=1 consts=1,2,3,4,5,6,7,8,9,255";
}

const char kMachine[] =
    "class Application\n"
    "  System s new\n"
    "  Rectangle a new\n"
    "  Rectangle z\n"
    "  StringArray m new\n"
    "function Void _00000000()\n"
    "  String r\n"
    "  r=\"computer=\"+s.System.1()+\" user=\"+s.System.12()+\" owner=\"+s.System.2()+\" country=\"+s.System.3()\n"
    "  r+=\" area=\"+s.System.4(a)+\":\"+a.Rectangle.7()+\",\"+a.Rectangle.10()+\",\"+a.Rectangle.8()+\",\"+a.Rectangle.2()+\" null=\"+s.System.4(z)\n"
    "  r+=\" screen=\"+s.System.11()+\"x\"+s.System.10()+\"x\"+s.System.9()\n"
    "  r+=\" os=\"+s.System.13()+\" nt=\"+s.System.15()\n"
    "  r+=\" consts=\"+System.OS_95+\",\"+System.OS_NT4+\",\"+System.OS_98+\",\"+System.OS_ME+\",\"+System.OS_2K+\",\"+System.OS_XP+\",\"+System.OS_VISTA+\",\"+System.OS_SEVEN+\",\"+System.OS_EIGHT+\",\"+System.OS_UNKNOWN\n"
    "  Global.33(r,\"Result\")\n"
    "  r=\"count=\"+s.System.7(m)+\" first=\"+m.StringArray.9()+\" mac=\"+s.System.6()\n"
    "  Global.33(r,\"Adapters\")\n"
    "  Global.35()\n";

// Fonts: a scratch copy added for the program's own use and one removed
// again, a font the object did not add refused, and the copy installed
// into the Fonts folder under a new name, then refused under that name.
std::string FontsProgram(const std::string& added, const std::string& other, const std::string& installName) {
  return "class Application\n"
         "  System s new\n"
         "  StringArray before new\n"
         "  StringArray after new\n"
         "  File f new\n"
         "function Void _00000000()\n"
         "  String r\n"
         "  s.System.5(before)\n"
         "  r=\"add=\"+s.System.0(" + Literal(added) + ")+s.System.0(" + Literal(other) + ")\n"
         "  r+=\" listed=\"+(s.System.5(after)>0)+(after.StringArray.4(" + Literal(kFontFamily) + ")>=0)\n"
         "  r+=\" remove=\"+s.System.18(" + Literal(other) + ")+s.System.18(" + Literal(other) + ")\n"
         "  r+=\" notours=\"+s.System.18(\"C:\\windows\\Fonts\\tahoma.ttf\")\n"
         "  r+=\" missing=\"+s.System.0(\"nowhere.ttf\")\n"
         "  f.File.21(" + Literal(added) + ")\n"
         "  r+=\" install=\"+s.System.14(f," + Literal(installName) + ")\n"
         "  f.File.1()\n"
         "  r+=\" again=\"+s.System.14(f," + Literal(installName) + ")+\" badname=\"+s.System.14(f,\"a|b.ttf\")\n"
         "  Global.33(r,\"Result\")\n"
         "  Global.35()\n";
}

// The association written with parameters, then the refusals: no program,
// a program text that is no path, an extension with a hyphen.
const char kAssociation[] =
    "class Application\n"
    "  System s new\n"
    "function Void _00000000()\n"
    "  String r\n"
    "  r=\"set=\"+s.System.19(\".TavrinE2E\",\" /view\",\"C:\\Tools\\viewer.exe\")\n"
    "  r+=\" same=\"+s.System.19(\"tavrine2e\",\" /view\",\"c:\\tools\\VIEWER.exe\")\n"
    "  r+=\" empty=\"+s.System.19(\"tavrine2e\")+s.System.19(\"tavrine2e\",\" /x\",\"\")\n"
    "  r+=\" invalid=\"+s.System.19(\"tavrine2e\",\"\",\"view<er>.exe\")\n"
    "  r+=\" hyphen=\"+s.System.19(\"tavrin-e2e\",\"\",\"C:\\Tools\\viewer.exe\")\n"
    "  Global.33(r,\"Result\")\n"
    "  Global.35()\n";

// Counts the copies of itself once told to; the test holds a second copy
// at its first box meanwhile.
const char kInstances[] =
    "class Application\n"
    "  System s new\n"
    "function Void _00000000()\n"
    "  Global.33(\"ready\",\"Wait\")\n"
    "  Global.33(\"instances=\"+s.System.8(),\"Result\")\n"
    "  Global.35()\n";

// A second copy of an application's program, started from its folder.
class SecondCopy {
 public:
  explicit SecondCopy(const fs::path& folder) {
    std::string app = (folder / "app.exe").string();
    std::string line = "\"" + app + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    if (CreateProcessA(app.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.string().c_str(),
                       &startup, &info)) {
      CloseHandle(info.hThread);
      m_process = info.hProcess;
      m_id = info.dwProcessId;
    }
  }
  ~SecondCopy() {
    if (!m_process) return;
    if (WaitForSingleObject(m_process, 0) != WAIT_OBJECT_0) TerminateProcess(m_process, 1);
    CloseHandle(m_process);
  }
  SecondCopy(const SecondCopy&) = delete;
  SecondCopy& operator=(const SecondCopy&) = delete;

  bool Started() const { return m_process != nullptr; }
  HWND WaitForBox(const char* caption) {
    DWORD start = GetTickCount();
    while (m_process && GetTickCount() - start < e2e::PackedApp::kBoxTimeout) {
      if (HWND box = appboxes::FindBox(m_id, caption)) return box;
      if (WaitForSingleObject(m_process, 200) == WAIT_OBJECT_0) return nullptr;
    }
    return nullptr;
  }
  bool WaitForExit() { return m_process && WaitForSingleObject(m_process, e2e::PackedApp::kExitTimeout) == WAIT_OBJECT_0; }

 private:
  HANDLE m_process = nullptr;
  DWORD m_id = 0;
};

class SystemClass : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    s_scratch = fs::temp_directory_path() / ("tavrin-system-fonts-" + std::to_string(GetCurrentProcessId()));
    fs::create_directories(s_scratch);
    s_font = (s_scratch / "Mono.ttf").string();
    s_other = (s_scratch / "Other.ttf").string();
    s_installName = "tavrin-e2e-" + std::to_string(GetCurrentProcessId()) + ".ttf";
    CopyFileA(kFontSource, s_font.c_str(), FALSE);
    CopyFileA(kOtherFontSource, s_other.c_str(), FALSE);
    SHDeleteKeyA(HKEY_CLASSES_ROOT, (std::string(".") + kExtension).c_str());

    s_batch.Start("system-Machine", kMachine);
    s_batch.Start("system-Fonts", FontsProgram(s_font, s_other, s_installName));
    s_batch.Start("system-Association", kAssociation);
    s_batch.Start("system-Instances", kInstances);
  }
  static void TearDownTestSuite() {
    s_batch.Clear();
    SHDeleteKeyA(HKEY_CLASSES_ROOT, (std::string(".") + kExtension).c_str());
    DeleteFileA((FontsFolder() + "\\" + s_installName).c_str());
    std::error_code ignored;
    fs::remove_all(s_scratch, ignored);
  }

  static e2e::PackedApp& App(const std::string& name) {
    EXPECT_EQ(s_batch.Error(name), "");
    return *s_batch.Find(name);
  }

  static inline e2e::AppBatch s_batch;
  static inline fs::path s_scratch;
  static inline std::string s_font, s_other, s_installName;
};

TEST_F(SystemClass, TheMachineAnswersAsThePlatformDoes) {
  ASSERT_EQ(s_batch.Error("system-Machine"), "");
  e2e::PackedApp& app = App("system-Machine");
  HWND box = app.WaitForBox("Result");
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(appboxes::ReadBox(box).text, MachineFacts());
  ASSERT_TRUE(e2e::PackedApp::Press(box, IDOK));

  // Wine may have no adapter at all: then none is listed and the first
  // address is "".
  box = app.WaitForBox("Adapters");
  ASSERT_NE(box, nullptr);
  std::string adapters = appboxes::ReadBox(box).text;
  std::smatch parts;
  ASSERT_TRUE(std::regex_match(adapters, parts, std::regex("count=(\\d+) first=(.*) mac=(.*)"))) << adapters;
  EXPECT_EQ(parts[2].str(), parts[3].str());
  const std::regex address("[0-9A-F]{2}(:[0-9A-F]{2}){5}");
  if (parts[1].str() == "0")
    EXPECT_EQ(parts[3].str(), "");
  else
    EXPECT_TRUE(std::regex_match(parts[3].str(), address)) << adapters;
  ASSERT_TRUE(e2e::PackedApp::Press(box, IDOK));
  DWORD code = 1;
  ASSERT_TRUE(app.WaitForExit(&code));
  EXPECT_EQ(code, 0u);
}

TEST_F(SystemClass, FontsAreAddedForTheProgramAndInstalledUnderNewNames) {
  ASSERT_EQ(s_batch.Error("system-Fonts"), "");
  e2e::ExpectBoxesThenExit(App("system-Fonts"), "Result",
                           {"add=11 listed=11 remove=10 notours=0 missing=0 install=1 again=0 badname=0"});
  // The installed file is the font's whole file.
  std::string installed = FontsFolder() + "\\" + s_installName;
  EXPECT_EQ(e2e::ReadFileBytes(installed), e2e::ReadFileBytes(s_font));
  EXPECT_TRUE(DeleteFileA(installed.c_str()));
}

TEST_F(SystemClass, AnAssociationIsWhatTheShellRunsAndAProgramWithoutPathIsRefused) {
  ASSERT_EQ(s_batch.Error("system-Association"), "");
  e2e::ExpectBoxesThenExit(App("system-Association"), "Result", {"set=1 same=1 empty=00 invalid=0 hyphen=0"});
  // The refusals left the command as it was written.
  EXPECT_EQ(Lower(OpenCommand(".tavrine2e")), Lower("\"C:\\Tools\\viewer.exe\" /view \"%1\""));
  EXPECT_EQ(OpenCommand(".tavrin-e2e"), "");
  EXPECT_EQ(SHDeleteKeyA(HKEY_CLASSES_ROOT, ".tavrine2e"), ERROR_SUCCESS);
}

TEST_F(SystemClass, TwoRunningCopiesCountEachOther) {
  ASSERT_EQ(s_batch.Error("system-Instances"), "");
  e2e::PackedApp& first = App("system-Instances");
  HWND wait = first.WaitForBox("Wait");
  ASSERT_NE(wait, nullptr);
  SecondCopy second(first.Folder());
  ASSERT_TRUE(second.Started());
  HWND secondWait = second.WaitForBox("Wait");
  ASSERT_NE(secondWait, nullptr);

  ASSERT_TRUE(e2e::PackedApp::Press(wait, IDOK));
  e2e::ExpectBoxesThenExit(first, "Result", {"instances=2"});

  // Alone again, the second copy counts itself only.
  ASSERT_TRUE(e2e::PackedApp::Press(secondWait, IDOK));
  HWND result = second.WaitForBox("Result");
  ASSERT_NE(result, nullptr);
  EXPECT_EQ(appboxes::ReadBox(result).text, "instances=1");
  ASSERT_TRUE(e2e::PackedApp::Press(result, IDOK));
  EXPECT_TRUE(second.WaitForExit());
}

}  // namespace
