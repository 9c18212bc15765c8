// ControlNotifyMessage: how child controls report to their parent window.
//
// Windows controls report with WM_COMMAND, WM_NOTIFY, WM_HSCROLL and
// WM_VSCROLL, each with its own codes and records. The shared message
// handling of SWnd turns the notifications of framework child controls into
// one numbered family, ControlNotifyMessage(class index, event), which the
// parent sends to itself with the child's SWnd* as wparam; the parent's
// window class then needs one switch on the number only. Mouse events of
// controls carry a ControlMouseRecord in lparam.
#pragma once

#include <windows.h>

#include <cstdint>

#include "window/FrameworkMessage.h"

class SWnd;

// The class index of a control in the message number.
enum ControlClass : int {
  kControlClassBrowser = 0,
  kControlClassButton = 1,
  kControlClassCheck = 2,
  kControlClassCodeEdit = 3,
  kControlClassControlBar = 4,
  kControlClassCombo = 5,
  kControlClassEdit = 6,
  kControlClassExtendedList = 7,
  kControlClassFlash = 8,
  kControlClassGroup = 9,
  kControlClassGui = 10,
  kControlClassLabel = 11,
  kControlClassLcd = 12,
  kControlClassLevel = 13,
  kControlClassList = 14,
  kControlClassMedia = 15,
  kControlClassMediaPlayer = 16,
  kControlClassMenu = 17,
  kControlClassPanel = 18,
  kControlClassProgress = 19,
  kControlClassProperty = 20,
  kControlClassRadio = 21,
  kControlClassRichEdit = 22,
  kControlClassScroll = 23,
  kControlClassSlider = 24,
  kControlClassSplitter = 25,
  kControlClassSpread = 26,
  kControlClassStatusBar = 27,
  kControlClassTab = 28,
  kControlClassTabDoc = 29,
  kControlClassToolBar = 30,
  kControlClassTrayIcon = 31,
  kControlClassTree = 32,
};

// MouseEventCode: a button bit and an action bit.
enum MouseEventCode : int32_t {
  kMouseLeft = 1,
  kMouseMiddle = 2,
  kMouseRight = 4,
  kMouseDown = 8,
  kMouseUp = 16,
  kMouseClick = 32,
  kMouseDoubleClick = 64,
};

// The record of every control mouse event: the code, the point in the
// control's client coordinates and the same point on the screen.
struct ControlMouseRecord {
  int32_t code;
  int32_t x, y;
  int32_t screenX, screenY;
};

// The code of a mouse message (button down, up, double click) or of a
// framework click message; 0 for any other message.
int32_t MouseEventCodeFor(UINT message);
// A record for a point given as a mouse message's lparam (signed 16-bit
// halves, x low) in control's client coordinates.
ControlMouseRecord MakeControlMouseRecord(HWND control, int32_t code, LPARAM point);

// ---- Translations made by the parent's message handling ---------------------------------
//
// Each sends the family message to the parent itself and answers false when
// a handler deleted the parent (its caller must then touch it no more).

// WM_COMMAND from a framework child: the notification code is the high
// word of the WM_COMMAND wparam.
bool TranslateControlCommand(SWnd* parent, SWnd* child, int code);
// WM_NOTIFY from a framework child. False also when the notification is
// answered here (*result then holds the answer); true lets the message go on.
bool TranslateControlNotify(SWnd* parent, SWnd* child, NMHDR* header, LRESULT* result);
