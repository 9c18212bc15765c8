// A printer for the tests, and reading back what was printed on it.
//
// Wine has no printer of its own, and the system print dialog fails without
// one. TestPrinter installs one in the test prefix: Wine's PostScript driver
// with Ghostscript's PDF printer description, on a port that is a file of the
// prefix, made the default printer. Each job's PostScript lands in that
// file; Ghostscript (a host program, started through Wine) reads it back as
// pages of text.
//
// The print dialog is modal inside the call under test; DialogAnswerer
// presses its OK or Cancel button from a thread of its own.
#pragma once

#include <windows.h>

#include <winspool.h>

#include <atomic>
#include <cstdint>
#include <cctype>
#include <string>
#include <thread>
#include <vector>

namespace printer_testing {

constexpr const char* kPrinterName = "Tavrin Test Printer";
constexpr const char* kDriverName = "Tavrin Test PostScript";
// The port: a file of the prefix, so that each worktree has its own.
constexpr const char* kPortFile = "C:\\tavrin-test-printer.ps";

// The Unix path of a Windows path; "" outside Wine.
inline std::string UnixPath(const char* path) {
  typedef char*(CDECL * UnixNameFunction)(const WCHAR*);
  auto unixName = reinterpret_cast<UnixNameFunction>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
  if (!unixName) return "";
  WCHAR wide[MAX_PATH];
  MultiByteToWideChar(CP_ACP, 0, path, -1, wide, MAX_PATH);
  char* name = unixName(wide);
  std::string result = name ? name : "";
  if (name) HeapFree(GetProcessHeap(), 0, name);
  return result;
}

// Ghostscript's PDF printer description, found under whichever version
// folder the host has; "" when Ghostscript is not installed.
inline std::string FindGhostscriptPpd() {
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA("Z:\\usr\\share\\ghostscript\\*", &found);
  if (search == INVALID_HANDLE_VALUE) return "";
  std::string result;
  do {
    if (found.cFileName[0] == '.') continue;
    std::string ppd = std::string("Z:\\usr\\share\\ghostscript\\") + found.cFileName + "\\lib\\ghostpdf.ppd";
    if (GetFileAttributesA(ppd.c_str()) != INVALID_FILE_ATTRIBUTES) result = ppd;
  } while (result.empty() && FindNextFileA(search, &found));
  FindClose(search);
  return result;
}

// Installs the test printer once per prefix (later calls find it) and makes
// it the default. False, with why, when some step fails.
inline bool InstallTestPrinter(std::string* why = nullptr) {
  auto fail = [&](const std::string& step) {
    if (why) *why = step + " failed, error " + std::to_string(GetLastError());
    return false;
  };
  HANDLE existing = nullptr;
  if (OpenPrinterA(const_cast<char*>(kPrinterName), &existing, nullptr)) {
    ClosePrinter(existing);
    return SetDefaultPrinterA(kPrinterName) || fail("SetDefaultPrinterA");
  }

  // 1. The driver: wineps.drv with the printer description beside it.
  char driverFolder[MAX_PATH];
  DWORD needed = 0;
  if (!GetPrinterDriverDirectoryA(nullptr, nullptr, 1, reinterpret_cast<BYTE*>(driverFolder), sizeof driverFolder,
                                  &needed))
    return fail("GetPrinterDriverDirectoryA");
  std::string ppdSource = FindGhostscriptPpd();
  if (ppdSource.empty()) return fail("finding Ghostscript's ghostpdf.ppd");
  std::string ppd = std::string(driverFolder) + "\\ghostpdf.ppd";
  if (!CopyFileA(ppdSource.c_str(), ppd.c_str(), FALSE)) return fail("copying the PPD");
  DRIVER_INFO_3A driver = {};
  driver.cVersion = 3;
  driver.pName = const_cast<char*>(kDriverName);
  driver.pDriverPath = const_cast<char*>("wineps.drv");
  driver.pDataFile = ppd.data();
  driver.pConfigFile = const_cast<char*>("wineps.drv");
  if (!AddPrinterDriverA(nullptr, 3, reinterpret_cast<BYTE*>(&driver)) &&
      GetLastError() != ERROR_PRINTER_DRIVER_ALREADY_INSTALLED)
    return fail("AddPrinterDriverA");

  // 2. The port: local ports are the value names of this key.
  HKEY ports;
  if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows NT\\CurrentVersion\\Ports", 0, nullptr, 0,
                      KEY_SET_VALUE, nullptr, &ports, nullptr) != ERROR_SUCCESS)
    return fail("opening the Ports key");
  LONG set = RegSetValueExA(ports, kPortFile, 0, REG_SZ, reinterpret_cast<const BYTE*>(""), 1);
  RegCloseKey(ports);
  if (set != ERROR_SUCCESS) return fail("registering the port");

  // 3. The printer on that port, made the default.
  PRINTER_INFO_2A info = {};
  info.pPrinterName = const_cast<char*>(kPrinterName);
  info.pPortName = const_cast<char*>(kPortFile);
  info.pDriverName = const_cast<char*>(kDriverName);
  info.pPrintProcessor = const_cast<char*>("WinPrint");
  info.pDatatype = const_cast<char*>("RAW");
  info.Attributes = PRINTER_ATTRIBUTE_LOCAL;
  HANDLE printer = AddPrinterA(nullptr, 2, reinterpret_cast<BYTE*>(&info));
  if (!printer && GetLastError() != ERROR_PRINTER_ALREADY_EXISTS) return fail("AddPrinterA");
  if (printer) ClosePrinter(printer);
  return SetDefaultPrinterA(kPrinterName) || fail("SetDefaultPrinterA");
}

// Empties the port file so that it holds only the next job.
inline void ClearPrintedFile() { DeleteFileA(kPortFile); }

// The size of the port file; -1 when there is none.
inline long PrintedFileSize() {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExA(kPortFile, GetFileExInfoStandard, &data)) return -1;
  return long(data.nFileSizeLow);
}

// Presses a button of each system print dialog that appears in this
// process within the time given (counted from the start, then from the last
// answer): IDOK prints, IDCANCEL cancels. Stops at destruction.
class DialogAnswerer {
 public:
  explicit DialogAnswerer(int button, DWORD ms = 5000)
      : m_thread([this, button, ms] { Run(button, ms); }) {}
  ~DialogAnswerer() {
    m_stop = true;
    m_thread.join();
  }
  DialogAnswerer(const DialogAnswerer&) = delete;
  DialogAnswerer& operator=(const DialogAnswerer&) = delete;

  // How many dialogs it answered.
  int Answered() const { return m_answered; }

 private:
  struct Search {
    DWORD process;
    HWND found;
  };
  static BOOL CALLBACK Visit(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<Search*>(data);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    char className[16] = "";
    GetClassNameA(window, className, sizeof className);
    if (process == search->process && IsWindowVisible(window) && std::string(className) == "#32770" &&
        GetDlgItem(window, IDOK)) {
      search->found = window;
      return FALSE;
    }
    return TRUE;
  }
  void Run(int button, DWORD ms) {
    DWORD start = GetTickCount();
    while (!m_stop && GetTickCount() - start < ms) {
      Search search = {GetCurrentProcessId(), nullptr};
      EnumWindows(Visit, reinterpret_cast<LPARAM>(&search));
      if (search.found) {
        PostMessageA(search.found, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(search.found, button)));
        m_answered++;
        // The same dialog stays found until it has closed.
        while (!m_stop && IsWindow(search.found) && IsWindowVisible(search.found)) Sleep(10);
        start = GetTickCount();
        continue;
      }
      Sleep(20);
    }
  }

  std::atomic<bool> m_stop{false};
  std::atomic<int> m_answered{0};
  std::thread m_thread;
};

// The words of a printed page's text; Ghostscript writes a space between
// words as a no-break space.
inline std::vector<std::string> Words(std::string text) {
  for (size_t at; (at = text.find("\xC2\xA0")) != std::string::npos;) text.replace(at, 2, " ");
  std::vector<std::string> words;
  std::string word;
  for (char c : text + " ") {
    if (isspace(static_cast<unsigned char>(c))) {
      if (!word.empty()) words.push_back(word);
      word.clear();
    } else {
      word += c;
    }
  }
  return words;
}

// Runs a host command through /bin/sh and waits, at most ms, for it to end;
// false when it did not start or end in time. Wine gives a Unix program no
// pipe or waitable handle of ours, so a marker file tells its end.
inline bool RunHostCommand(const std::string& command, DWORD ms = 20000) {
  const std::string done = "C:\\tavrin-test-printer.done";
  DeleteFileA(done.c_str());
  std::string line = "/bin/sh -c \"" + command + "; touch '" + UnixPath(done.c_str()) + "'\"";
  STARTUPINFOA start = {};
  start.cb = sizeof start;
  PROCESS_INFORMATION process = {};
  if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &start, &process))
    return false;
  CloseHandle(process.hProcess);
  CloseHandle(process.hThread);
  DWORD begin = GetTickCount();
  while (GetFileAttributesA(done.c_str()) == INVALID_FILE_ATTRIBUTES) {
    if (GetTickCount() - begin > ms) return false;
    Sleep(20);
  }
  DeleteFileA(done.c_str());
  return true;
}

// Waits until the spooler has written the last job; its size, or 0 when
// nothing came.
inline long WaitForPrintedFile() {
  long size = -1;
  for (int i = 0; i < 100; i++) {
    long now = PrintedFileSize();
    if (now > 0 && now == size) return size;
    size = now;
    Sleep(50);
  }
  return size > 0 ? size : 0;
}

// The pages of the last job as Ghostscript reads them: one text per page
// (txtwrite's lines, each ended by a line break). Empty when nothing was
// printed or Ghostscript failed.
inline std::vector<std::string> ReadPrintedPages() {
  std::vector<std::string> pages;
  if (!WaitForPrintedFile()) return pages;
  const std::string folder = "C:\\tavrin-test-printer-pages";
  CreateDirectoryA(folder.c_str(), nullptr);
  WIN32_FIND_DATAA found;
  HANDLE old = FindFirstFileA((folder + "\\*.txt").c_str(), &found);
  if (old != INVALID_HANDLE_VALUE) {
    do DeleteFileA((folder + "\\" + found.cFileName).c_str());
    while (FindNextFileA(old, &found));
    FindClose(old);
  }
  const std::string unixFolder = UnixPath(folder.c_str());
  if (!RunHostCommand("gs -q -dSAFER -dNOPAUSE -dBATCH -sDEVICE=txtwrite -sOutputFile='" + unixFolder +
                      "/page-%03d.txt' '" + UnixPath(kPortFile) + "' >/dev/null 2>&1"))
    return pages;
  for (int page = 1;; page++) {
    char name[32];
    wsprintfA(name, "\\page-%03d.txt", page);
    HANDLE file = CreateFileA((folder + name).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                              nullptr);
    if (file == INVALID_HANDLE_VALUE) break;
    std::string text;
    char buffer[4096];
    DWORD read = 0;
    while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0) text.append(buffer, read);
    CloseHandle(file);
    pages.push_back(text);
  }
  return pages;
}

// The first page of the last job rendered by Ghostscript at dpi dots per
// inch: RGB pixels (0xRRGGBB), rows from the top. Empty when nothing was
// printed or Ghostscript failed.
struct RenderedPage {
  int width = 0, height = 0;
  std::vector<uint32_t> pixels;
  uint32_t At(int x, int y) const { return pixels[size_t(y) * size_t(width) + size_t(x)]; }
};

inline RenderedPage RenderPrintedPage(int dpi) {
  RenderedPage page;
  if (!WaitForPrintedFile()) return page;
  const char* image = "C:\\tavrin-test-printer-page.ppm";
  DeleteFileA(image);
  if (!RunHostCommand("gs -q -dSAFER -dNOPAUSE -dBATCH -dFirstPage=1 -dLastPage=1 -sDEVICE=ppmraw -r" +
                      std::to_string(dpi) + " -sOutputFile='" + UnixPath(image) + "' '" + UnixPath(kPortFile) +
                      "' >/dev/null 2>&1"))
    return page;
  HANDLE file = CreateFileA(image, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return page;
  std::string data;
  char buffer[65536];
  DWORD read = 0;
  while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0) data.append(buffer, read);
  CloseHandle(file);
  // "P6", width, height and the largest value (255), each after blanks and
  // "#" comment lines; one blank, then the bytes.
  size_t at = 0;
  auto number = [&]() {
    for (;;) {
      while (at < data.size() && isspace(static_cast<unsigned char>(data[at]))) at++;
      if (at >= data.size() || data[at] != '#') break;
      while (at < data.size() && data[at] != '\n') at++;
    }
    int value = 0;
    while (at < data.size() && isdigit(static_cast<unsigned char>(data[at]))) value = value * 10 + (data[at++] - '0');
    return value;
  };
  if (data.compare(0, 2, "P6") != 0) return page;
  at = 2;
  int width = number(), height = number(), largest = number();
  size_t start = at + 1;
  if (largest != 255 || data.size() < start + size_t(width) * size_t(height) * 3) return page;
  page.width = width;
  page.height = height;
  page.pixels.resize(size_t(width) * size_t(height));
  for (size_t i = 0; i < page.pixels.size(); i++) {
    const unsigned char* p = reinterpret_cast<const unsigned char*>(data.data()) + start + i * 3;
    page.pixels[i] = uint32_t(p[0]) << 16 | uint32_t(p[1]) << 8 | p[2];
  }
  return page;
}

}  // namespace printer_testing
