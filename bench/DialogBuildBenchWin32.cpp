// Opening a dialog description of 200 standard controls, beside creating
// the same 200 windows with plain CreateWindowEx calls in the same process:
// the best of RUNS runs of each, in milliseconds, and their ratio
// (description / plain; the aim: at most 1.5). Both sides make a hidden
// popup and its 200 children; destroying them again is not timed.
//
//   DialogBuildBench [RUNS]      (default: 5 runs)
#include <windows.h>

#include <commctrl.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "dialogs/DialogFromDescription.h"
#include "files/SFileMem.h"
#include "window/Framework.h"
#include "window/FrameworkWindowClasses.h"
#include "window/SDialog.h"

namespace {

const int kControls = 200;

double Now() {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

// The types in turn: the description's KEY and style text, and the system
// class and style bits the factory gives the same record.
struct Kind {
  const char* key;
  const char* styleText;
  const char* className;
  DWORD style;
};
const Kind kKinds[] = {
    {"BUTTON", "WS_VISIBLE", "BUTTON", WS_VISIBLE},
    {"CHECK", "WS_VISIBLE", "BUTTON", WS_VISIBLE | BS_CHECKBOX},
    {"RADIO", "WS_VISIBLE", "BUTTON", WS_VISIBLE | BS_RADIOBUTTON},
    {"GROUP", "WS_VISIBLE", "BUTTON", WS_VISIBLE | BS_GROUPBOX},
    {"EDIT", "WS_VISIBLE WS_BORDER", "EDIT", WS_VISIBLE | WS_BORDER},
    {"LIST", "WS_VISIBLE WS_BORDER", "LISTBOX", WS_VISIBLE | WS_BORDER | LBS_OWNERDRAWVARIABLE},
    {"COMBO", "WS_VISIBLE CBS_DROPDOWNLIST", "COMBOBOX", WS_VISIBLE | CBS_DROPDOWNLIST},
    {"STATIC", "WS_VISIBLE", "STATIC", WS_VISIBLE | SS_OWNERDRAW},
    {"PROGRESS", "WS_VISIBLE", PROGRESS_CLASSA, WS_VISIBLE},
    {"SCROLL", "WS_VISIBLE", "SCROLLBAR", WS_VISIBLE},
};
const int kKindCount = int(sizeof kKinds / sizeof kKinds[0]);

void PlaceOf(int i, int* x, int* y) {
  *x = 10 + (i % 10) * 70;
  *y = 10 + (i / 10) * 28;
}

std::string Description() {
  std::string text = "TAVRIN DIALOG 1.0.0.0\r\n\r\n[DIALOG]\r\nCAPTION=Bench\r\nPOSITION=0 0 720 580\r\n"
                     "STYLE=WS_CAPTION WS_SYSMENU\r\n\r\n";
  for (int i = 0; i < kControls; i++) {
    const Kind& kind = kKinds[i % kKindCount];
    int x, y;
    PlaceOf(i, &x, &y);
    text += std::string("[") + kind.key + "]\r\nID=" + std::to_string(i + 1) + "\r\nNAME=C" + std::to_string(i) +
            "\r\nCAPTION=Control\r\nPOSITION=" + std::to_string(x) + " " + std::to_string(y) + " 64 24\r\nSTYLE=" +
            kind.styleText + "\r\n\r\n";
  }
  return text;
}

double FromDescription(SFileMem* stream) {
  double start = Now();
  SDialog dialog;
  DialogDescriptionOptions own;
  own.noShow = true;
  DialogBuildOptions options;
  options.builderOptions = &own;
  if (!dialog.Load(stream, nullptr, &options) || dialog.GetControlCount() != kControls) {
    std::fprintf(stderr, "DialogBuildBench: the description did not load (%d controls)\n", dialog.GetControlCount());
    std::exit(1);
  }
  double elapsed = Now() - start;
  dialog.Destroy();
  return elapsed;
}

double Plain() {
  double start = Now();
  HINSTANCE instance = GetInstanceHandle();
  RECT frame = {0, 0, 720, 580};
  AdjustWindowRectEx(&frame, WS_CAPTION | WS_SYSMENU, FALSE, 0);
  HWND parent = CreateWindowExA(0, kFrameworkClass, "Bench", WS_POPUP | WS_CAPTION | WS_SYSMENU, CW_USEDEFAULT,
                                CW_USEDEFAULT, frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                                instance, nullptr);
  for (int i = 0; i < kControls; i++) {
    const Kind& kind = kKinds[i % kKindCount];
    int x, y;
    PlaceOf(i, &x, &y);
    HWND child = CreateWindowExA(0, kind.className, "Control", kind.style | WS_CHILD, x, y, 64, 24, parent,
                                 reinterpret_cast<HMENU>(INT_PTR(i + 1)), instance, nullptr);
    if (!child) {
      std::fprintf(stderr, "DialogBuildBench: CreateWindowEx failed\n");
      std::exit(1);
    }
  }
  double elapsed = Now() - start;
  DestroyWindow(parent);
  return elapsed;
}

}  // namespace

int main(int argc, char** argv) {
  int runs = argc > 1 ? std::atoi(argv[1]) : 5;
  if (runs < 1) runs = 1;
  FrameworkInit(GetModuleHandleA(nullptr), SW_HIDE, kStartNoCom);
  InstallDialogBuilder();
  std::string text = Description();
  SFileMem stream;
  stream.Write(text.data(), int(text.size()));

  // One of each first, so that neither side pays for loading the classes.
  FromDescription(&stream);
  Plain();
  double described = 1e30, plain = 1e30;
  for (int i = 0; i < runs; i++) {
    double d = FromDescription(&stream);
    double p = Plain();
    if (d < described) described = d;
    if (p < plain) plain = p;
  }
  std::printf("description: %.2f ms for %d controls\n", described, kControls);
  std::printf("CreateWindowEx: %.2f ms for %d controls\n", plain, kControls);
  std::printf("ratio: %.2f\n", described / plain);
  FrameworkExit();
  return 0;
}
