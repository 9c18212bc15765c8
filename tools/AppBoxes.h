// The message boxes of another process: found among the top-level windows
// by its process id (and caption), read through their child controls and
// answered by posting the click of one of their buttons. Window handles are
// valid across processes, so this works from any program of the session.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace appboxes {

struct BoxButton {
  int id;  // IDOK, IDYES ...
  std::string text;
  bool isDefault;  // drawn as the default push button
};

struct BoxContent {
  std::string caption;
  std::string text;  // the text control's, line breaks as "\r\n"
  std::vector<BoxButton> buttons;
};

// The window's text (WM_GETTEXT, which reaches other processes too).
std::string WindowText(HWND window);

// The first visible dialog window of the process with the caption (any
// caption when null); null when there is none.
HWND FindBox(DWORD processId, const char* caption);
BoxContent ReadBox(HWND box);
// The id of the box's default button: the one drawn as default, else its
// first button, IDOK when it has none.
int DefaultButton(HWND box);
// Posts the click of the button with the command id and waits until the
// box is gone, so that a search that follows cannot find it again.
bool PressButton(HWND box, int commandId, DWORD timeoutMs);

}  // namespace appboxes
