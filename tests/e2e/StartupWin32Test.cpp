// The engine executable with a package appended, started as a process of
// its own: a sound package starts and ends quietly, and every damaged one
// ends in the one message box, "Corrupted File" / "Fatal Error" with the
// error icon, after which no module file is left in its temporary folder.
// The box is found by its caption, read and closed from here.
//
// Each case starts a whole process under emulation, so the cases are few
// and every wait is bounded.
#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/engine/PackageTestFiles.h"

namespace fs = std::filesystem;
using packagetest::TestPackage;

namespace {

const DWORD kStartTimeout = 120000;  // ms until the box must show
const DWORD kExitTimeout = 60000;    // ms until the process must end

struct BoxSearch {
  DWORD processId;
  HWND box;
};

BOOL CALLBACK FindBox(HWND window, LPARAM parameter) {
  BoxSearch* search = reinterpret_cast<BoxSearch*>(parameter);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  char caption[64] = "";
  GetWindowTextA(window, caption, sizeof caption);
  if (owner == search->processId && IsWindowVisible(window) && std::string(caption) == "Fatal Error") {
    search->box = window;
    return FALSE;
  }
  return TRUE;
}

// The pixels of a w x h area: of the screen at (x, y), or of an icon drawn
// on a background colour.
std::vector<uint32_t> Pixels(int w, int h, int x, int y, HICON icon, uint32_t background) {
  BITMAPINFO bmi = {};
  bmi.bmiHeader.biSize = sizeof bmi.bmiHeader;
  bmi.bmiHeader.biWidth = w;
  bmi.bmiHeader.biHeight = -h;
  bmi.bmiHeader.biPlanes = 1;
  bmi.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateDIBSection(dc, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(dc, bitmap);
  if (icon) {
    for (int i = 0; i < w * h; i++) static_cast<uint32_t*>(bits)[i] = background;
    DrawIconEx(dc, 0, 0, icon, w, h, 0, nullptr, DI_NORMAL);
  } else {
    BitBlt(dc, 0, 0, w, h, screen, x, y, SRCCOPY);
  }
  GdiFlush();
  std::vector<uint32_t> pixels(static_cast<uint32_t*>(bits), static_cast<uint32_t*>(bits) + w * h);
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  return pixels;
}

long Distance(const std::vector<uint32_t>& a, const std::vector<uint32_t>& b) {
  long d = 0;
  for (size_t i = 0; i < a.size(); i++)
    for (int shift = 0; shift < 24; shift += 8) d += labs(long((a[i] >> shift) & 0xFF) - long((b[i] >> shift) & 0xFF));
  return d;
}

// Which of the system's message icons the icon control shows, judged by its
// pixels on the screen (icon handles do not cross processes): the one drawn
// closest to them.
const char* ShownIcon(HWND iconControl) {
  RECT r;
  GetWindowRect(iconControl, &r);
  int w = r.right - r.left, h = r.bottom - r.top;
  if (w <= 0 || h <= 0) return "none";
  std::vector<uint32_t> shown = Pixels(w, h, r.left, r.top, nullptr, 0);
  struct {
    const char* name;
    LPCSTR id;
  } icons[] = {{"error", IDI_ERROR}, {"warning", IDI_WARNING}, {"information", IDI_INFORMATION},
               {"question", IDI_QUESTION}};
  const char* best = "none";
  long bestDistance = -1;
  for (const auto& icon : icons) {
    long d = Distance(shown, Pixels(w, h, 0, 0, LoadIconA(nullptr, icon.id), shown[0]));
    if (bestDistance < 0 || d < bestDistance) {
      bestDistance = d;
      best = icon.name;
    }
  }
  return best;
}

// What a message box shows: the text of its static text control, which
// icon it shows, and its buttons.
struct BoxContent {
  std::string text;
  std::string icon = "none";
  std::vector<std::string> buttons;
};

BOOL CALLBACK ReadBoxChild(HWND child, LPARAM parameter) {
  BoxContent* content = reinterpret_cast<BoxContent*>(parameter);
  char className[32] = "", text[256] = "";
  GetClassNameA(child, className, sizeof className);
  GetWindowTextA(child, text, sizeof text);
  LONG style = GetWindowLongA(child, GWL_STYLE);
  if (lstrcmpiA(className, "Static") == 0) {
    if ((style & SS_TYPEMASK) == SS_ICON) {
      if (SendMessageA(child, STM_GETICON, 0, 0)) content->icon = ShownIcon(child);
    } else if (text[0]) {
      content->text = text;
    }
  } else if (lstrcmpiA(className, "Button") == 0 && IsWindowVisible(child)) {
    content->buttons.push_back(text);
  }
  return TRUE;
}

class StartupTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char base[MAX_PATH];
    GetTempPathA(sizeof base, base);
    m_folder = fs::path(base) / ("tavrin-startup-" + std::to_string(GetCurrentProcessId()));
    fs::remove_all(m_folder);
    fs::create_directories(m_folder / "temp");
    m_app = (m_folder / "app.exe").string();
    m_engine = packagetest::ReadAll(TAVRIN_ENGINE_EXE);
    ASSERT_GT(m_engine.size(), 0u) << TAVRIN_ENGINE_EXE;
  }
  void TearDown() override {
    if (m_process) {
      if (WaitForSingleObject(m_process, 0) == WAIT_TIMEOUT) TerminateProcess(m_process, 1);
      WaitForSingleObject(m_process, kExitTimeout);
      CloseHandle(m_process);
    }
    std::error_code ignored;
    fs::remove_all(m_folder, ignored);
  }

  void Write(const TestPackage& package) {
    ASSERT_TRUE(packagetest::WritePackage(m_app, m_engine, package));
  }

  // Starts the application with its own temporary folder, so that the files
  // it leaves there are its own.
  void Start() {
    std::string temp = (m_folder / "temp").string();
    char oldTmp[MAX_PATH] = "", oldTemp[MAX_PATH] = "";
    GetEnvironmentVariableA("TMP", oldTmp, sizeof oldTmp);
    GetEnvironmentVariableA("TEMP", oldTemp, sizeof oldTemp);
    SetEnvironmentVariableA("TMP", temp.c_str());
    SetEnvironmentVariableA("TEMP", temp.c_str());
    std::string commandLine = "\"" + m_app + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    BOOL started = CreateProcessA(m_app.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                                  nullptr, m_folder.string().c_str(), &startup, &info);
    SetEnvironmentVariableA("TMP", oldTmp);
    SetEnvironmentVariableA("TEMP", oldTemp);
    ASSERT_TRUE(started);
    CloseHandle(info.hThread);
    m_process = info.hProcess;
    m_processId = info.dwProcessId;
  }

  // The box, or null when the process ended (or the time ran out) first.
  HWND WaitForBox() {
    DWORD start = GetTickCount();
    while (GetTickCount() - start < kStartTimeout) {
      BoxSearch search = {m_processId, nullptr};
      EnumWindows(FindBox, reinterpret_cast<LPARAM>(&search));
      if (search.box) return search.box;
      if (WaitForSingleObject(m_process, 200) == WAIT_OBJECT_0) return nullptr;
    }
    return nullptr;
  }

  // Reads and closes the box, then waits for the process to end with 0.
  void ExpectCorruptedFileBox(size_t moduleFilesWhileShown) {
    HWND box = WaitForBox();
    ASSERT_NE(box, nullptr) << "no \"Fatal Error\" box";
    // Painted before its pixels are read.
    SetForegroundWindow(box);
    Sleep(1000);
    BoxContent content;
    EnumChildWindows(box, ReadBoxChild, reinterpret_cast<LPARAM>(&content));
    EXPECT_EQ(content.text, "Corrupted File");
    EXPECT_EQ(content.icon, "error");
    EXPECT_EQ(content.buttons.size(), 1u);
    // The module files exist while the box is up: they go after it.
    EXPECT_EQ(TempFiles().size(), moduleFilesWhileShown);
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    ExpectExitWithNothingLeft();
  }

  void ExpectExitWithNothingLeft() {
    ASSERT_EQ(WaitForSingleObject(m_process, kExitTimeout), WAIT_OBJECT_0);
    DWORD code = 1;
    GetExitCodeProcess(m_process, &code);
    EXPECT_EQ(code, 0u);
    EXPECT_TRUE(TempFiles().empty());
  }

  std::vector<std::string> TempFiles() {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(m_folder / "temp"))
      names.push_back(entry.path().filename().string());
    return names;
  }

  fs::path m_folder;
  std::string m_app;
  std::string m_engine;
  HANDLE m_process = nullptr;
  DWORD m_processId = 0;
};

TEST_F(StartupTest, SoundPackageStartsAndEndsWithoutAMessage) {
  TestPackage package;
  // The engine runs the program once it is loaded: this one ends itself.
  package.program =
      "constant ID_OK 1\n"
      "class Application\n"
      "  Integer count\n"
      "function Void _00000000()\n"
      "  Global.35()\n"
      "class Helper : Application\n";
  package.resources = {{"text\\readme.txt", "hello"}};
  Write(package);
  Start();
  EXPECT_EQ(WaitForBox(), nullptr);
  ExpectExitWithNothingLeft();
}

TEST_F(StartupTest, EmptyModuleEndsInCorruptedFileAndTheModuleFilesGo) {
  TestPackage package;
  package.modules = {"MZ not a library", ""};
  Write(package);
  Start();
  ExpectCorruptedFileBox(2);
}

TEST_F(StartupTest, PackWithoutItsClosingSizeEndsInCorruptedFile) {
  TestPackage package;
  package.modules = {"MZ module"};
  package.resources = {{"text\\a.txt", "a"}};
  Write(package);
  packagetest::DropPackTerminator(m_app);
  Start();
  ExpectCorruptedFileBox(1);
}

TEST_F(StartupTest, TruncatedExecutableEndsInCorruptedFile) {
  TestPackage package;
  package.modules = {"MZ module"};
  Write(package);
  std::string bytes = packagetest::ReadAll(m_app);
  packagetest::WriteAll(m_app, bytes.substr(0, bytes.size() - 7));
  Start();
  ExpectCorruptedFileBox(0);
}

}  // namespace
