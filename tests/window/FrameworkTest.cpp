#include <winsock2.h>

#include <dsound.h>
#include <gdiplus.h>
#include <objbase.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "core/LocaleRecord.h"
#include "core/SString.h"
#include "files/GlobalObjects.h"
#include "files/SRegistry.h"
#include "window/Framework.h"
#include "window/FrameworkCommandLine.h"
#include "window/FrameworkHooks.h"
#include "window/FrameworkSound.h"
#include "window/FrameworkWindowClasses.h"
#include "window/SCursor.h"
#include "window/SWndApp.h"
#include "window/ThreadWindowTable.h"

namespace {

const int kEngineFlags = kStartWinSock | kStartDirectSound | kStartListActiveX;

HINSTANCE Instance() { return GetModuleHandleA(nullptr); }

std::string Text(const SString& s) { return std::string(s.GetText(), static_cast<size_t>(s.GetLength())); }

bool ClassExists(const char* name, WNDCLASSEXA* out = nullptr) {
  WNDCLASSEXA wc = {};
  wc.cbSize = sizeof wc;
  bool found = GetClassInfoExA(Instance(), name, &wc) != 0;
  if (out) *out = wc;
  return found;
}

int TableRecords() {
  int n = 0;
  for (ThreadWindowRecord* r : ThreadWindowTable) n += r != nullptr;
  return n;
}

BOOL CALLBACK CountWindow(HWND, LPARAM count) {
  ++*reinterpret_cast<int*>(count);
  return TRUE;
}

int ThreadWindows() {
  int n = 0;
  EnumThreadWindows(GetCurrentThreadId(), CountWindow, reinterpret_cast<LPARAM>(&n));
  return n;
}

// The process's GDI and USER objects; -1 each when the system does not count.
struct GuiObjects {
  int gdi, user;
  static GuiObjects Now() {
    int gdi = int(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS));
    int user = int(GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS));
    return {gdi > 0 ? gdi : -1, user > 0 ? user : -1};
  }
};

// ---- Start-up and shutdown ------------------------------------------------------------

// Everything start-up builds exists, with its names, on the calling thread.
void ExpectStarted() {
  WNDCLASSEXA plain, noClose;
  ASSERT_TRUE(ClassExists("TAVRIN", &plain));
  ASSERT_TRUE(ClassExists("TAVRIN2", &noClose));
  EXPECT_EQ(UINT(CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS), plain.style);
  EXPECT_EQ(UINT(CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS | CS_NOCLOSE), noClose.style);
  EXPECT_EQ(&WindowProcedure, plain.lpfnWndProc);
  EXPECT_EQ(&WindowProcedure, noClose.lpfnWndProc);
  EXPECT_EQ(LoadCursorA(nullptr, IDC_ARROW), plain.hCursor);
  EXPECT_EQ(nullptr, plain.hbrBackground);
  EXPECT_EQ(0, plain.cbClsExtra + plain.cbWndExtra);

  HWND app = GetAppWindowHandle();
  ASSERT_TRUE(IsWindow(app));
  char name[32] = {};
  GetClassNameA(app, name, sizeof name);
  EXPECT_STREQ("TAVRIN", name);
  EXPECT_EQ(DWORD(WS_POPUP), DWORD(GetWindowLongA(app, GWL_STYLE)) & ~DWORD(WS_CLIPSIBLINGS));
  EXPECT_FALSE(IsWindowVisible(app));
  EXPECT_EQ(nullptr, GetParent(app));

  ASSERT_NE(nullptr, ThreadWindowTable[0]);
  EXPECT_EQ(GetCurrentThreadId(), ThreadWindowTable[0]->threadId);
  // The application window is the thread's one framework window.
  ASSERT_EQ(1, ThreadWindowTable[0]->windows.GetCount());
  EXPECT_EQ(app, ThreadWindowTable[0]->windows.GetAt(0)->GetHwnd());
  EXPECT_EQ(1, TableRecords());

  EXPECT_EQ(Instance(), GetInstanceHandle());
  EXPECT_EQ(RegisterWindowMessageA("commdlg_FindReplace"), GetFindReplaceMessage());
  EXPECT_GE(GetFindReplaceMessage(), 0xC000u);
  HDC screen = GetDC(nullptr);
  EXPECT_EQ(GetDeviceCaps(screen, BITSPIXEL), GetScreenColorDepth());
  int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);

  LOGFONTA font = {};
  ASSERT_EQ(int(sizeof font), GetObjectA(GetDefaultFont(), sizeof font, &font));
  EXPECT_EQ(DefaultFontHeight(dpi), font.lfHeight);
  NONCLIENTMETRICSA metrics = {};
  metrics.cbSize = sizeof metrics;
  SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
  EXPECT_STREQ(metrics.lfMessageFont.lfFaceName, font.lfFaceName);

  // The rich-edit library, held by its global library object, and its class.
  WNDCLASSA richEdit;
  EXPECT_TRUE(RichEditLibrary.IsLoaded());
  EXPECT_NE(nullptr, GetModuleHandleA("riched20.dll"));
  EXPECT_TRUE(GetClassInfoA(nullptr, "RichEdit20A", &richEdit));
  // GDI+ answers.
  Gdiplus::GpBitmap* bitmap = nullptr;
  EXPECT_EQ(Gdiplus::Ok, Gdiplus::DllExports::GdipCreateBitmapFromScan0(4, 4, 0, PixelFormat32bppARGB,
                                                                         nullptr, &bitmap));
  if (bitmap) Gdiplus::DllExports::GdipDisposeImage(bitmap);
}

// Everything start-up built is gone again.
void ExpectStopped(HWND app, HFONT font) {
  EXPECT_FALSE(ClassExists("TAVRIN"));
  EXPECT_FALSE(ClassExists("TAVRIN2"));
  EXPECT_FALSE(IsWindow(app));
  EXPECT_EQ(0u, GetObjectType(font));
  EXPECT_EQ(0, TableRecords());
  EXPECT_EQ(nullptr, GetInstanceHandle());
  EXPECT_EQ(nullptr, GetAppWindowHandle());
  EXPECT_EQ(nullptr, GetDefaultFont());
  EXPECT_EQ(nullptr, GetDirectSound());
  EXPECT_FALSE(IsWinSockStarted());
  EXPECT_FALSE(RichEditLibrary.IsLoaded());
  EXPECT_EQ("", Text(GetExePath()));
  EXPECT_EQ("", Text(GetAppFolder()));
  EXPECT_EQ(0, GetArgumentCount());
}

TEST(Framework, StartsAndStopsRepeatedlyWithoutLeaks) {
  // A first round lets the system load and cache what it keeps for the
  // process anyway.
  FrameworkInit(Instance(), SW_SHOWNORMAL, kEngineFlags);
  FrameworkExit();
  GuiObjects before = GuiObjects::Now();
  int windowsBefore = ThreadWindows();

  for (int round = 0; round < 2; round++) {
    SCOPED_TRACE(round);
    FrameworkInit(Instance(), SW_SHOWNORMAL, kEngineFlags);
    ExpectStarted();
    EXPECT_EQ(SW_SHOWNORMAL, GetShowCommand());
    EXPECT_EQ(kEngineFlags, GetStartFlags());
    EXPECT_EQ("", Text(GetModulePath()));
    // COM is initialised on this thread: a second initialisation says so.
    HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    EXPECT_EQ(S_FALSE, com);
    if (SUCCEEDED(com)) CoUninitialize();
    EXPECT_TRUE(IsWinSockStarted());
    SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    EXPECT_NE(INVALID_SOCKET, s);
    if (s != INVALID_SOCKET) closesocket(s);
    // ALSA's null device is a sound card: DirectSound must start on it.
    EXPECT_NE(nullptr, GetDirectSound());
    EXPECT_EQ(nullptr, GetXAudio2());

    HWND app = GetAppWindowHandle();
    HFONT font = GetDefaultFont();
    FrameworkExit();
    ExpectStopped(app, font);
    // WinSock and COM are balanced: both are uninitialised again.
    EXPECT_EQ(INVALID_SOCKET, socket(AF_INET, SOCK_STREAM, IPPROTO_TCP));
    EXPECT_EQ(WSANOTINITIALISED, WSAGetLastError());
    com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    EXPECT_EQ(S_OK, com);
    if (SUCCEEDED(com)) CoUninitialize();
  }

  EXPECT_EQ(windowsBefore, ThreadWindows());
  GuiObjects after = GuiObjects::Now();
  if (before.gdi >= 0 && after.gdi >= 0) {
    EXPECT_EQ(before.gdi, after.gdi);
  }
  if (before.user >= 0 && after.user >= 0) {
    EXPECT_EQ(before.user, after.user);
  }
}

// Deferred, the start makes nothing of the window system until the user-
// interface thread first needs it, the same afterwards as a start at once.
TEST(Framework, ADeferredStartBuildsAtTheFirstNeedOfTheUserInterfaceThread) {
  FrameworkInit(Instance(), SW_SHOWNORMAL, kEngineFlags, FrameworkStart::kAtFirstUse);
  EXPECT_FALSE(ClassExists("TAVRIN"));
  EXPECT_FALSE(ClassExists("TAVRIN2"));
  EXPECT_EQ(0, GetStandardCursorTable().GetCount());
  EXPECT_FALSE(RichEditLibrary.IsLoaded());
  ASSERT_NE(nullptr, ThreadWindowTable[0]);
  EXPECT_EQ(0, ThreadWindowTable[0]->windows.GetCount());
  HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  EXPECT_EQ(S_OK, com);  // not initialised yet
  if (SUCCEEDED(com)) CoUninitialize();
  // Another thread's need makes nothing: its windows would die with it.
  SWndApp* seenByWorker = reinterpret_cast<SWndApp*>(1);
  std::thread([&] { seenByWorker = GetAppWindow(); }).join();
  EXPECT_EQ(nullptr, seenByWorker);
  EXPECT_FALSE(ClassExists("TAVRIN"));

  HWND app = GetAppWindowHandle();
  ASSERT_NE(nullptr, app);
  ExpectStarted();
  com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  EXPECT_EQ(S_FALSE, com);
  if (SUCCEEDED(com)) CoUninitialize();
  EXPECT_TRUE(IsWinSockStarted());
  HFONT font = GetDefaultFont();
  FrameworkExit();
  ExpectStopped(app, font);
  com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  EXPECT_EQ(S_OK, com);
  if (SUCCEEDED(com)) CoUninitialize();
}

TEST(Framework, WithoutComTheModulePathIsKeptAndComLeftAlone) {
  FrameworkInit(Instance(), SW_HIDE, kStartNoCom);
  char path[MAX_PATH];
  GetModuleFileNameA(Instance(), path, MAX_PATH);
  EXPECT_EQ(path, Text(GetModulePath()));
  HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  EXPECT_EQ(S_OK, com);  // nobody had initialised it
  EXPECT_FALSE(IsWinSockStarted());
  EXPECT_EQ(nullptr, GetDirectSound());
  FrameworkExit();
  // Our initialisation survives the framework's exit.
  EXPECT_EQ(S_FALSE, CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
  CoUninitialize();
  if (SUCCEEDED(com)) CoUninitialize();
  EXPECT_EQ("", Text(GetModulePath()));
}

TEST(Framework, ExecutablePathAndFolderComeFromTheCommandLine) {
  FrameworkInit(Instance(), SW_SHOW, 0);
  std::string exe = Text(GetExePath());
  std::string folder = Text(GetAppFolder());
  FrameworkExit();
  ASSERT_GE(exe.size(), folder.size());
  ASSERT_FALSE(folder.empty());
  EXPECT_EQ('\\', folder.back());
  EXPECT_EQ(0, _stricmp(exe.substr(exe.size() - 16).c_str(), "window_tests.exe")) << exe;
  char full[MAX_PATH];
  GetFullPathNameA(exe.c_str(), MAX_PATH, full, nullptr);
  EXPECT_EQ(0, _strnicmp(full, folder.c_str(), folder.size())) << full << " " << folder;
  EXPECT_EQ(std::string::npos, std::string(full).find('\\', folder.size()));
}

TEST(Framework, StartBuildsTheCursorsAndTheApplicationWindow) {
  static std::string calls;
  calls.clear();
  GetFrameworkHooks().clearFindSettingsFlag = [] { calls += "find "; };

  FrameworkInit(Instance(), SW_SHOW, 0);
  EXPECT_EQ("find ", calls);
  SArray<SCursor*>& table = GetStandardCursorTable();
  ASSERT_EQ(21, table.GetCount());
  std::vector<HCURSOR> builtIn;
  for (int type = 0; type < 21; type++) {
    SCOPED_TRACE(type);
    ASSERT_NE(nullptr, table.GetAt(type)->GetHandle());
    EXPECT_EQ(type < 14, table.GetAt(type)->IsShared());
    if (type >= 14) builtIn.push_back(table.GetAt(type)->GetHandle());
  }
  EXPECT_EQ(LoadCursorA(nullptr, IDC_ARROW), GetStandardCursor(kCursorArrow));
  EXPECT_EQ(LoadCursorA(nullptr, IDC_WAIT), GetStandardCursor(kCursorWait));
  WNDCLASSEXA wc;
  ASSERT_TRUE(ClassExists("TAVRIN2", &wc));
  EXPECT_EQ(table.GetAt(0)->GetHandle(), wc.hCursor);

  SWndApp* app = GetAppWindow();
  ASSERT_NE(nullptr, app);
  EXPECT_EQ(app->GetHwnd(), GetAppWindowHandle());
  EXPECT_EQ(app, FindWindowObject(GetAppWindowHandle()));
  // Registering the classes again clears the find state again.
  calls.clear();
  UnregisterWindowClasses();  // fails for TAVRIN: a window of it exists
  RegisterWindowClasses();
  EXPECT_EQ("find ", calls);

  HWND appHandle = GetAppWindowHandle();
  FrameworkExit();
  GetFrameworkHooks() = FrameworkHooks{};
  EXPECT_EQ(nullptr, GetAppWindow());
  EXPECT_FALSE(IsWindow(appHandle));
  EXPECT_EQ(0, table.GetCount());
  EXPECT_EQ(nullptr, GetStandardCursor(kCursorArrow));
  // The built-in cursors are gone; the system's survive.
  ICONINFO info;
  for (HCURSOR cursor : builtIn) EXPECT_FALSE(GetIconInfo(cursor, &info));
  ASSERT_TRUE(GetIconInfo(LoadCursorA(nullptr, IDC_ARROW), &info));
  DeleteObject(info.hbmMask);
  if (info.hbmColor) DeleteObject(info.hbmColor);
}

TEST(Framework, ClassIconsReachBothClasses) {
  FrameworkInit(Instance(), SW_SHOW, 0);
  int windows = ThreadWindows();
  HICON big = LoadIconA(nullptr, IDI_APPLICATION);
  HICON little = LoadIconA(nullptr, IDI_WARNING);
  SetClassIcons(big, little);
  WNDCLASSEXA plain, noClose;
  ASSERT_TRUE(ClassExists("TAVRIN", &plain));
  ASSERT_TRUE(ClassExists("TAVRIN2", &noClose));
  EXPECT_EQ(big, plain.hIcon);
  EXPECT_EQ(little, plain.hIconSm);
  EXPECT_EQ(big, noClose.hIcon);
  EXPECT_EQ(little, noClose.hIconSm);
  EXPECT_EQ(windows, ThreadWindows());  // the helper window is gone
  FrameworkExit();
}

TEST(Framework, DefaultFontHeightRoundsHalfUp) {
  const struct {
    int dpi, height;
  } cases[] = {{96, -11}, {120, -13}, {72, -8}, {144, -16}, {0, 0}};
  for (auto c : cases) EXPECT_EQ(c.height, DefaultFontHeight(c.dpi)) << c.dpi;
}

TEST(Framework, PixelsToTwipsUsesTheScreenResolution) {
  HDC screen = GetDC(nullptr);
  int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  EXPECT_EQ(1440, PixelsToTwips(dpi));
  EXPECT_EQ(15 * 1440 / dpi, PixelsToTwips(15));
  EXPECT_EQ(0, PixelsToTwips(0));
}

// ---- Locale settings -----------------------------------------------------------------

// Sets values of the user's regional settings for one test and puts the
// old ones back.
class RegionalSettings {
 public:
  RegionalSettings() {
    for (int i = 0; i < 3; i++) {
      m_had[i] = RegQueryValue(kNames[i], m_old[i]);
    }
  }
  ~RegionalSettings() {
    for (int i = 0; i < 3; i++) {
      if (m_had[i])
        SRegistry::WriteString(HKEY_CURRENT_USER, kKey, kNames[i], m_old[i].c_str());
      else
        SRegistry::DeleteValue(HKEY_CURRENT_USER, kKey, kNames[i]);
    }
    BuildLocaleRecords(nullptr, nullptr, nullptr);
  }
  void Set(const char* digits, const char* decimal, const char* thousand) {
    const char* values[3] = {digits, decimal, thousand};
    for (int i = 0; i < 3; i++) {
      if (values[i])
        SRegistry::WriteString(HKEY_CURRENT_USER, kKey, kNames[i], values[i]);
      else
        SRegistry::DeleteValue(HKEY_CURRENT_USER, kKey, kNames[i]);
    }
  }

 private:
  static bool RegQueryValue(const char* name, std::string& out) {
    char buffer[256];
    DWORD size = sizeof buffer;
    if (RegGetValueA(HKEY_CURRENT_USER, kKey, name, RRF_RT_REG_SZ, nullptr, buffer, &size) != ERROR_SUCCESS)
      return false;
    out = buffer;
    return true;
  }
  static constexpr const char* kKey = "Control Panel\\International";
  static constexpr const char* kNames[3] = {"iDigits", "sDecimal", "sThousand"};
  bool m_had[3];
  std::string m_old[3];
};

TEST(FrameworkLocale, SystemRecordComesFromTheRegionalSettings) {
  RegionalSettings settings;
  const struct {
    const char* digits;
    const char* decimal;
    const char* thousand;
    int wantDigits;
    char wantDecimal, wantThousand;
    const char* grouped;  // 1234567.891 in the system record
  } cases[] = {
      {"2", ",", ".", 2, ',', '.', "1.234.567,89"},
      {"3", "", "", 3, '.', ',', "1,234,567.891"},
      {nullptr, nullptr, nullptr, 0, '.', ',', "1,234,568"},
      {"1", ",", " ", 1, ',', ' ', "1 234 567,9"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.grouped);
    settings.Set(c.digits, c.decimal, c.thousand);
    SetLanguage(2);
    FrameworkInit(Instance(), SW_SHOW, 0);
    const LocaleRecord* r = GetLocaleRecord();
    EXPECT_EQ(0, r->number);
    EXPECT_EQ(c.wantDigits, r->digits);
    EXPECT_EQ(c.wantDecimal, r->decimalSeparator);
    EXPECT_EQ(c.wantThousand, r->thousandsSeparator);
    SString s;
    EXPECT_EQ(c.grouped, Text(s.SetDoubleGrouped(1234567.891)));
    SetLanguage(3);
    EXPECT_EQ(0, GetLocaleRecord()->number);
    SetLanguage(-1);
    EXPECT_EQ(0, GetLocaleRecord()->number);
    FrameworkExit();
  }
}

// ---- Thread window table ------------------------------------------------------------------

TEST(ThreadWindowTable, FullTableRefusesTheNextThread) {
  ClearThreadWindowTable();
  // A thread may take several slots; lookups use its first.
  for (int i = 0; i < kThreadWindowSlots; i++) ASSERT_NE(nullptr, RegisterWindowThread()) << i;
  EXPECT_EQ(nullptr, RegisterWindowThread());
  EXPECT_EQ(kThreadWindowSlots, TableRecords());

  ThreadWindowRecord* second = ThreadWindowTable[1];
  EXPECT_TRUE(UnregisterWindowThread(0));  // frees the first slot only
  EXPECT_EQ(nullptr, ThreadWindowTable[0]);
  EXPECT_EQ(second, ThreadWindowTable[1]);
  ThreadWindowRecord* again = RegisterWindowThread();
  EXPECT_NE(nullptr, again);
  EXPECT_EQ(again, ThreadWindowTable[0]);  // the freed slot is taken again

  EXPECT_FALSE(UnregisterWindowThread(GetCurrentThreadId() + 1));
  int freed = 0;
  while (UnregisterWindowThread(GetCurrentThreadId())) freed++;
  EXPECT_EQ(kThreadWindowSlots, freed);
  EXPECT_EQ(0, TableRecords());
}

TEST(ThreadWindowTable, ThreadsStartingTogetherTakeDistinctSlots) {
  FrameworkInit(Instance(), SW_SHOW, 0);
  const int kThreads = 8;
  std::vector<ThreadWindowRecord*> records(kThreads);
  std::vector<DWORD> ids(kThreads);
  std::vector<std::thread> threads;
  for (int i = 0; i < kThreads; i++) {
    threads.emplace_back([&, i] {
      ids[i] = GetCurrentThreadId();
      records[i] = RegisterWindowThread();
    });
  }
  for (auto& t : threads) t.join();
  EXPECT_EQ(kThreads + 1, TableRecords());
  for (int i = 0; i < kThreads; i++) {
    ASSERT_NE(nullptr, records[i]);
    EXPECT_EQ(ids[i], records[i]->threadId);
    for (int j = 0; j < i; j++) EXPECT_NE(records[i], records[j]);
  }
  // A thread's slot can be freed by naming the thread.
  for (int i = 0; i < kThreads; i++) EXPECT_TRUE(UnregisterWindowThread(ids[i]));
  EXPECT_EQ(1, TableRecords());
  EXPECT_EQ(GetCurrentThreadId(), ThreadWindowTable[0]->threadId);
  FrameworkExit();
}

// ---- Command line ------------------------------------------------------------------------

TEST(FrameworkCommandLine, SplittingTable) {
  const struct {
    const char* line;
    int count;
    const char* arguments[4];
  } cases[] = {
      {"prog.exe \"C:\\a b\\\" next", 3, {"prog.exe", "C:\\a b\\", "next"}},
      {"prog.exe \"C:\\dir\\\" x", 3, {"prog.exe", "C:\\dir\\", "x"}},
      {"prog.exe", 1, {"prog.exe"}},
      {"prog.exe  a\\\\b   c", 3, {"prog.exe", "a\\\\b", "c"}},
      {"prog.exe a\"b c\"d", 2, {"prog.exe", "ab cd"}},
      {"prog.exe caf\xE9", 2, {"prog.exe", "caf\xE9"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    EXPECT_EQ(c.count, ReadCommandLineArgument(c.line, 0, nullptr));
    for (int i = 0; i < c.count; i++) {
      SString argument("unchanged");
      EXPECT_EQ(c.count, ReadCommandLineArgument(c.line, i, &argument));
      EXPECT_EQ(c.arguments[i], Text(argument));
    }
    SString outside("unchanged");
    ReadCommandLineArgument(c.line, c.count, &outside);
    EXPECT_EQ("unchanged", Text(outside));
  }
}

// The real command line of a process: this test program runs itself with
// arguments, and the child checks what the framework reads from them.
TEST(FrameworkCommandLine, ArgumentsOfTheProcess) {
  if (std::getenv("TAVRIN_FRAMEWORK_CHILD")) {
    FrameworkInit(Instance(), SW_SHOW, 0);
    // argument 0 is the test filter that started this child
    EXPECT_EQ(4, GetArgumentCount());
    EXPECT_EQ("C:\\a b\\", Text(GetArgument(1)));
    EXPECT_EQ("next", Text(GetArgument(2)));
    EXPECT_EQ("\"q\"", Text(GetArgument(3)));
    EXPECT_EQ("q", Text(GetArgument(3, true)));
    EXPECT_EQ("next", Text(GetArgument(2, true)));
    EXPECT_EQ("", Text(GetArgument(4)));
    EXPECT_EQ("", Text(GetArgument(-1)));
    FrameworkExit();
    return;
  }
  char exe[MAX_PATH];
  GetModuleFileNameA(nullptr, exe, MAX_PATH);
  std::string line = std::string("\"") + exe +
                     "\" --gtest_filter=FrameworkCommandLine.ArgumentsOfTheProcess \"C:\\a b\\\" next \"\"\"q\"\"\"";
  SetEnvironmentVariableA("TAVRIN_FRAMEWORK_CHILD", "1");
  STARTUPINFOA si = {};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi = {};
  std::vector<char> mutableLine(line.begin(), line.end());
  mutableLine.push_back(0);
  BOOL started = CreateProcessA(exe, mutableLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi);
  SetEnvironmentVariableA("TAVRIN_FRAMEWORK_CHILD", nullptr);
  ASSERT_TRUE(started);
  WaitForSingleObject(pi.hProcess, 120000);
  DWORD code = 1;
  GetExitCodeProcess(pi.hProcess, &code);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  EXPECT_EQ(0u, code);

  // This process was started with no argument of its own, or only gtest's.
  FrameworkInit(Instance(), SW_SHOW, 0);
  int count = GetArgumentCount();
  EXPECT_EQ("", Text(GetArgument(count)));
  EXPECT_EQ("", Text(GetArgument(-1)));
  FrameworkExit();
}

// ---- Sound ------------------------------------------------------------------------------

struct FakeSound {
  static inline int creates, waits, failures;
  static inline DWORD waited;
  static inline HRESULT error;
  static void Reset(HRESULT e, int n) {
    creates = waits = 0;
    waited = 0;
    error = e;
    failures = n;
  }
  static HRESULT Create(IDirectSound8** device) {
    creates++;
    if (creates <= failures) return error;
    return DirectSoundCreate8(nullptr, device, nullptr);
  }
  static void Wait(DWORD ms) {
    waits++;
    waited += ms;
  }
};

// Restores the real device creation when a test ends.
struct SoundStarterGuard {
  ~SoundStarterGuard() { SetDirectSoundStarter(nullptr, nullptr); }
};

TEST(FrameworkSound, NoSoundDeviceStartsWithoutSound) {
  SoundStarterGuard guard;
  SetDirectSoundStarter(FakeSound::Create, FakeSound::Wait);
  const struct {
    HRESULT error;
    int failures, creates, waits;
    bool device;
  } cases[] = {
      {DSERR_NODRIVER, 100, 10, 10, false},   // ten calls, each followed by a wait
      {DSERR_ALLOCATED, 100, 10, 10, false},
      {DSERR_ALLOCATED, 2, 3, 2, true},       // freed after a while
      {DSERR_NODRIVER, 9, 10, 9, true},       // the tenth call still counts
      {E_FAIL, 100, 1, 0, false},             // any other failure ends the tries
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.failures);
    FakeSound::Reset(c.error, c.failures);
    FrameworkInit(Instance(), SW_SHOW, kEngineFlags);
    // The device is opened at its first use, tries and waits included.
    EXPECT_EQ(0, FakeSound::creates);
    EXPECT_EQ(c.device, GetDirectSound() != nullptr);
    EXPECT_EQ(c.creates, FakeSound::creates);
    EXPECT_EQ(c.waits, FakeSound::waits);
    EXPECT_EQ(DWORD(c.waits) * 500, FakeSound::waited);
    // A failure is final, as it was at start: no second round of tries.
    EXPECT_EQ(c.device, GetDirectSound() != nullptr);
    EXPECT_EQ(c.creates, FakeSound::creates);
    // Everything else started all the same.
    ExpectStarted();
    EXPECT_TRUE(IsWinSockStarted());
    FrameworkExit();
    EXPECT_EQ(nullptr, GetDirectSound());
  }
}

TEST(FrameworkSound, ADeviceNeverUsedIsNeverOpened) {
  SoundStarterGuard guard;
  SetDirectSoundStarter(FakeSound::Create, FakeSound::Wait);
  FakeSound::Reset(E_FAIL, 0);
  FrameworkInit(Instance(), SW_SHOW, kEngineFlags);
  FrameworkExit();
  EXPECT_EQ(nullptr, GetDirectSound());
  EXPECT_EQ(0, FakeSound::creates);
}

TEST(FrameworkSound, XAudio2StartsOnlyWhenAsked) {
  FrameworkInit(Instance(), SW_SHOW, kStartXAudio2);
  EXPECT_NE(nullptr, GetXAudio2());
  EXPECT_NE(nullptr, GetMasteringVoice());
  EXPECT_EQ(nullptr, GetDirectSound());
  FrameworkExit();
  EXPECT_EQ(nullptr, GetXAudio2());
  EXPECT_EQ(nullptr, GetMasteringVoice());
}

}  // namespace
