// boxwatch: starts a Windows program, prints the caption, text and buttons
// of every message box it shows, and ends with the program's exit code.
// On a screen no one sees (Xvfb) it can also answer each box with its
// default button after a delay, so that the program goes on and ends.
//
//   boxwatch [--close SECONDS] PROGRAM.exe [ARGUMENTS...]
//
// Exit status: the program's, or 2 for a wrong command line or a program
// that cannot be started.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "tools/AppBoxes.h"

namespace {

const char kUsage[] = "usage: boxwatch [--close SECONDS] PROGRAM.exe [ARGUMENTS...]\n";

std::string Quoted(const char* argument) { return std::string("\"") + argument + "\""; }

void Print(const appboxes::BoxContent& box) {
  std::string text = box.text;
  // The box's line breaks as the console's.
  for (size_t at; (at = text.find("\r\n")) != std::string::npos;) text.erase(at, 1);
  std::printf("[%s] %s\n", box.caption.c_str(), text.c_str());
  std::string buttons;
  for (const appboxes::BoxButton& b : box.buttons) {
    std::string name = b.text;
    name.erase(std::remove(name.begin(), name.end(), '&'), name.end());
    buttons += (buttons.empty() ? "" : " ") + ("<" + name + ">");
  }
  std::printf("  buttons: %s\n", buttons.c_str());
  std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
  int first = 1;
  long closeAfterMs = -1;
  if (first + 1 < argc && std::strcmp(argv[first], "--close") == 0) {
    char* end = nullptr;
    closeAfterMs = std::strtol(argv[first + 1], &end, 10) * 1000;
    if (*end || closeAfterMs < 0) {
      std::fputs(kUsage, stderr);
      return 2;
    }
    first += 2;
  }
  if (first >= argc) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  std::string commandLine = Quoted(argv[first]);
  for (int i = first + 1; i < argc; i++) commandLine += " " + Quoted(argv[i]);

  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info = {};
  if (!CreateProcessA(argv[first], commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &info)) {
    std::fprintf(stderr, "boxwatch: cannot start %s (error %lu)\n", argv[first], GetLastError());
    return 2;
  }
  CloseHandle(info.hThread);

  HWND shown = nullptr;  // the box last printed
  DWORD shownAt = 0;
  while (WaitForSingleObject(info.hProcess, 200) == WAIT_TIMEOUT) {
    HWND box = appboxes::FindBox(info.dwProcessId, nullptr);
    if (!box) {
      shown = nullptr;
      continue;
    }
    if (box != shown) {
      Print(appboxes::ReadBox(box));
      shown = box;
      shownAt = GetTickCount();
    } else if (closeAfterMs >= 0 && GetTickCount() - shownAt >= DWORD(closeAfterMs)) {
      int button = appboxes::DefaultButton(box);
      std::printf("  closed with button %d\n", button);
      std::fflush(stdout);
      appboxes::PressButton(box, button, 10000);
      shown = nullptr;
    }
  }
  DWORD code = 0;
  GetExitCodeProcess(info.hProcess, &code);
  CloseHandle(info.hProcess);
  std::printf("boxwatch: %s ended with exit code %lu\n", argv[first], code);
  return int(code);
}
