// Driving the dialogs of a packed application from the test process, as a
// person would: its windows found by process id and caption, its controls
// by id, read through Win32 queries, clicked and typed into with SendInput,
// and grabbed from the screen into a PNG that ImageMagick's compare checks
// against a stored reference.
//
// Every wait is a bounded poll. References live in tests/e2e/data/dialogs;
// run the tests with TAVRIN_RECORD_REFERENCES=1 to write the grabs there
// instead of comparing (README, "Tests").
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace e2e::dialogs {

// Polls the condition every stepMs until it holds or timeoutMs passed;
// answers its last value.
bool PollUntil(const std::function<bool()>& condition, DWORD timeoutMs, DWORD stepMs = 50);

// The first visible top-level window of the process with the caption;
// null when there is none.
HWND FindDialog(DWORD processId, const char* caption);
// The same, polled for up to timeoutMs.
HWND WaitForDialog(DWORD processId, const char* caption, DWORD timeoutMs);
// A control of the dialog (a child at any depth) by its id; null when none.
HWND FindControl(HWND dialog, int id);

std::string ReadText(HWND window);
// BM_GETCHECK of a button, check box or radio button.
int ReadCheckState(HWND control);
RECT ScreenRect(HWND window);
RECT ClientRect(HWND window);

// The window brought to the front, then a left click at a point of its
// client area through SendInput.
bool ClickAt(HWND window, int x, int y);
// The pointer moved to a point of the window's client area, waited for
// until it is there; the left button pressed or released where it is; two
// clicks in one batch of input, which the system takes as a double click.
// With these a drag is played step by step, each waiting on what the
// program shows.
bool MoveMouseTo(HWND window, int x, int y);
void LeftButton(bool down);
bool DoubleClickAt(HWND window, int x, int y);
// Key presses through SendInput, to the window with the focus.
void PressKey(WORD virtualKey);
void TypeText(const std::string& text);

// Runs a Windows program of the session with its output into a file;
// the output, "" when it did not run within timeoutMs.
std::string RunAndRead(const std::string& commandLine, DWORD timeoutMs = 60000);
// The text Wine's own reg.exe prints for a value: "reg query KEY /v NAME".
std::string RegQuery(const std::string& key, const std::string& valueName);

// Runs a command of the host's shell (Wine runs host programs); its exit
// code, -1 when it did not start.
int RunHostCommand(const std::string& command);
// The host's path of a Windows path on drive Z: ("Z:\\tmp\\a" -> "/tmp/a").
std::string HostPath(const std::string& windowsPath);

// Where the grabs of this run go (a folder of the host's /tmp), made on
// first use.
std::string GrabFolder();
// The window's rectangle as the screen shows it, saved as name.png in the
// grab folder; its Windows path, "" when it could not be saved.
std::string GrabWindow(HWND window, const std::string& name);
// Compares the grab with reference name.png by pixels within fuzzPercent;
// empty when they match (or the reference was re-recorded), else why not,
// with the difference image kept beside the grab.
std::string CompareWithReference(HWND window, const std::string& name, int fuzzPercent = 3);

}  // namespace e2e::dialogs
