#include "tests/e2e/DialogHarness.h"

#include <cstdlib>
#include <filesystem>
#include <vector>

#include "tests/e2e/PackedApp.h"
#include "tests/window/AbsoluteMouse.h"
#include "tests/window/ScreenshotTesting.h"
#include "tools/AppBoxes.h"

namespace e2e::dialogs {

namespace {

struct ControlSearch {
  int id;
  HWND found;
};

BOOL CALLBACK MatchControl(HWND window, LPARAM parameter) {
  ControlSearch* search = reinterpret_cast<ControlSearch*>(parameter);
  if (GetDlgCtrlID(window) != search->id) return TRUE;
  search->found = window;
  return FALSE;
}

void SendKey(WORD virtualKey, WORD scan, DWORD flags) {
  INPUT input = {};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = virtualKey;
  input.ki.wScan = scan;
  input.ki.dwFlags = flags;
  SendInput(1, &input, sizeof input);
}

INPUT MouseInput(DWORD flags, POINT p) { return AbsoluteMouseInput(flags, p); }

void SendMouse(DWORD flags, POINT p) { SendAbsoluteMouse(flags, p); }

// A shell word for the host's /bin/sh.
std::string Quoted(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

bool Exists(const std::string& windowsPath) { return GetFileAttributesA(windowsPath.c_str()) != INVALID_FILE_ATTRIBUTES; }

}  // namespace

bool PollUntil(const std::function<bool()>& condition, DWORD timeoutMs, DWORD stepMs) {
  DWORD start = GetTickCount();
  while (!condition()) {
    if (GetTickCount() - start >= timeoutMs) return condition();
    Sleep(stepMs);
  }
  return true;
}

HWND FindDialog(DWORD processId, const char* caption) { return appboxes::FindBox(processId, caption); }

HWND WaitForDialog(DWORD processId, const char* caption, DWORD timeoutMs) {
  HWND found = nullptr;
  PollUntil([&] { return (found = FindDialog(processId, caption)) != nullptr; }, timeoutMs, 100);
  return found;
}

HWND FindControl(HWND dialog, int id) {
  ControlSearch search = {id, nullptr};
  EnumChildWindows(dialog, MatchControl, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::string ReadText(HWND window) { return appboxes::WindowText(window); }

int ReadCheckState(HWND control) { return int(SendMessageA(control, BM_GETCHECK, 0, 0)); }

RECT ScreenRect(HWND window) {
  RECT rect = {};
  GetWindowRect(window, &rect);
  return rect;
}

RECT ClientRect(HWND window) {
  RECT rect = {};
  GetClientRect(window, &rect);
  return rect;
}

bool MoveMouseTo(HWND window, int x, int y) {
  POINT p = {x, y};
  if (!ClientToScreen(window, &p)) return false;
  SendMouse(MOUSEEVENTF_MOVE, p);
  return PollUntil(
      [&] {
        POINT now;
        GetCursorPos(&now);
        return now.x == p.x && now.y == p.y;
      },
      1000, 10);
}

void LeftButton(bool down) {
  POINT now;
  GetCursorPos(&now);
  SendMouse(down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP, now);
}

bool ClickAt(HWND window, int x, int y) {
  SetForegroundWindow(GetAncestor(window, GA_ROOT));
  bool there = MoveMouseTo(window, x, y);
  LeftButton(true);
  LeftButton(false);
  return there;
}

bool DoubleClickAt(HWND window, int x, int y) {
  SetForegroundWindow(GetAncestor(window, GA_ROOT));
  if (!MoveMouseTo(window, x, y)) return false;
  POINT p = {x, y};
  ClientToScreen(window, &p);
  INPUT inputs[4] = {MouseInput(MOUSEEVENTF_LEFTDOWN, p), MouseInput(MOUSEEVENTF_LEFTUP, p),
                     MouseInput(MOUSEEVENTF_LEFTDOWN, p), MouseInput(MOUSEEVENTF_LEFTUP, p)};
  return SendInput(4, inputs, sizeof inputs[0]) == 4;
}

void PressKey(WORD virtualKey) {
  SendKey(virtualKey, 0, 0);
  SendKey(virtualKey, 0, KEYEVENTF_KEYUP);
}

void TypeText(const std::string& text) {
  for (unsigned char c : text) {
    SendKey(0, c, KEYEVENTF_UNICODE);
    SendKey(0, c, KEYEVENTF_UNICODE | KEYEVENTF_KEYUP);
  }
}

std::string RunAndRead(const std::string& commandLine, DWORD timeoutMs) {
  static int serial = 0;
  std::string path = GrabFolder() + "\\output-" + std::to_string(++serial) + ".txt";
  SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
  HANDLE out = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS, 0, nullptr);
  if (out == INVALID_HANDLE_VALUE) return "";
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = out;
  startup.hStdError = out;
  PROCESS_INFORMATION info = {};
  std::string line = commandLine;
  bool ran = CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &info);
  CloseHandle(out);
  if (!ran) return "";
  bool ended = WaitForSingleObject(info.hProcess, timeoutMs) == WAIT_OBJECT_0;
  CloseHandle(info.hThread);
  CloseHandle(info.hProcess);
  std::string text = ended ? e2e::ReadFileBytes(path) : "";
  DeleteFileA(path.c_str());
  return text;
}

std::string RegQuery(const std::string& key, const std::string& valueName) {
  return RunAndRead("reg.exe query \"" + key + "\" /v \"" + valueName + "\"");
}

int RunHostCommand(const std::string& command) {
  // Wine starts a host program without a process handle to wait on or to
  // read the exit code from: the shell writes the code into a file, which
  // is polled for.
  static int serial = 0;
  std::string done = GrabFolder() + "\\command-" + std::to_string(++serial) + ".status";
  DeleteFileA(done.c_str());
  std::string script = "(" + command + "); echo $? > " + Quoted(HostPath(done) + ".part") + "; mv " +
                       Quoted(HostPath(done) + ".part") + " " + Quoted(HostPath(done));
  // Wine splits the line into the host program's arguments the Windows
  // way: the script is one argument in double quotes (it holds none).
  std::string line = "/bin/sh -c \"" + script + "\"";
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info = {};
  if (!CreateProcessA("Z:\\bin\\sh", line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
    return -1;
  if (info.hThread) CloseHandle(info.hThread);
  if (info.hProcess) CloseHandle(info.hProcess);
  if (!PollUntil([&] { return Exists(done); }, 60000, 20)) return -1;
  std::string status = e2e::ReadFileBytes(done);
  DeleteFileA(done.c_str());
  return status.empty() ? -1 : std::atoi(status.c_str());
}

std::string HostPath(const std::string& windowsPath) {
  std::string path = windowsPath;
  if (path.size() >= 2 && (path[0] == 'Z' || path[0] == 'z') && path[1] == ':') path.erase(0, 2);
  for (char& c : path)
    if (c == '\\') c = '/';
  return path;
}

std::string GrabFolder() {
  static std::string folder;
  if (folder.empty()) {
    folder = "Z:\\tmp\\tavrin-grabs-" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(folder.c_str(), nullptr);
  }
  return folder;
}

std::string GrabWindow(HWND window, const std::string& name) {
  std::string bmp = GrabFolder() + "\\" + name + ".bmp";
  if (!Screenshot(window).SaveBmp(bmp.c_str())) return "";
  std::string png = GrabFolder() + "\\" + name + ".png";
  bool converted = RunHostCommand("convert " + Quoted(HostPath(bmp)) + " -alpha off " + Quoted(HostPath(png))) == 0;
  DeleteFileA(bmp.c_str());
  return converted ? png : "";
}

std::string CompareWithReference(HWND window, const std::string& name, int fuzzPercent) {
  std::string grab = GrabWindow(window, name);
  if (grab.empty()) return "the window could not be grabbed";
  std::string reference = std::string(TAVRIN_TEST_DATA) + "/dialogs/" + name + ".png";
  const char* record = std::getenv("TAVRIN_RECORD_REFERENCES");
  if (record && *record && *record != '0') {
    bool copied = CopyFileA(grab.c_str(), reference.c_str(), FALSE);
    DeleteFileA(grab.c_str());
    return copied ? "" : "the reference could not be written";
  }
  if (!Exists(reference)) return "no reference " + reference + " (record it with TAVRIN_RECORD_REFERENCES=1)";
  std::string difference = GrabFolder() + "\\" + name + "-difference.png";
  std::string report = GrabFolder() + "\\" + name + "-compare.txt";
  // compare answers 0 for images alike within the fuzz, 1 for different
  // ones, 2 when it could not compare them (other sizes among them).
  int code = RunHostCommand("compare -metric AE -fuzz " + std::to_string(fuzzPercent) + "% " +
                            Quoted(HostPath(grab)) + " " + Quoted(HostPath(reference)) + " " +
                            Quoted(HostPath(difference)) + " 2>" + Quoted(HostPath(report)));
  if (code == 0) {
    for (const std::string& file : {grab, difference, report}) DeleteFileA(file.c_str());
    return "";
  }
  return "compare answered " + std::to_string(code) + " (differing pixels in " + HostPath(report) +
         "); the grab is " + HostPath(grab) + " and the difference " + HostPath(difference);
}

}  // namespace e2e::dialogs
