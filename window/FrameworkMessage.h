// FrameworkMessage: the numbers of the framework's private window messages,
// all at WM_APP (0x8000) and above, in six families. The comment of each
// says who sends it, to whom, and what its parameters carry.
//
// "Self": sent to the window it concerns. "Direct": delivered by calling
// WindowProcedure synchronously instead of SendMessageA, so it is handled
// before the call returns. A nonzero answer to kCreatedMessage,
// kModalStartMessage or kWindowDragStartMessage vetoes that step.
#pragma once

#include <windows.h>

// ---- StringTransferMessage: byte strings sent between windows of any process ----

enum : UINT {
  kStringDeliveredMessage = 0x81F6,  // self; wparam tag, lparam the received record
  kTransferStartMessage = 0x81F7,    // wparam tag, lparam byte length; answer slot number
  kTransferChunkMessage = 0x81F8,    // wparam slot, lparam four bytes, first byte highest
  kTransferEndMessage = 0x81F9,      // wparam slot, lparam end value
};

// ---- WindowEventMessage: what happened to a window ---------------------------------

enum : UINT {
  kUserMessage = 0x83E8,          // posted by SWnd::PostUserMessage; two caller values
  kCreatedMessage = 0x83E9,       // direct, after creation; lparam creation data; nonzero refuses
  kDialogBuiltMessage = 0x83EA,   // the dialog builder
  kControlCreatedMessage = 0x83EB,  // the dialog builder, to the new control
  kParentResizedMessage = 0x83EC,   // to every framework descendant; wparam WM_SIZE's, lparam resized HWND
  kParentMovedMessage = 0x83ED,     // to every framework descendant; wparam WM_MOVE's, lparam moved HWND
  kModalStartMessage = 0x83EE,      // direct; two caller values; nonzero refuses the modal run
  kModalOkMessage = 0x83EF,         // direct from the modal loop on Enter (lparam 1)
  kModalCancelMessage = 0x83F0,     // direct on Escape (lparam 1) or on closing a modal window (lparam 0)
  kFilesDroppedMessage = 0x83F1,    // self; wparam SStringArray* of the paths, valid during the call
  kMaximizedMessage = 0x83F2,
  kMinimizedMessage = 0x83F3,
  kRestoredMessage = 0x83F4,        // after a minimize or maximize only
  kNonClientLeftClickMessage = 0x83F5,    // lparam screen point
  kNonClientMiddleClickMessage = 0x83F6,
  kNonClientRightClickMessage = 0x83F7,
  kLeftClickMessage = 0x83F8,       // lparam client point
  kMiddleClickMessage = 0x83F9,
  kRightClickMessage = 0x83FA,
  kMouseEnterMessage = 0x83FB,      // the first move's wparam and lparam
  kMouseLeaveMessage = 0x83FC,
  kWindowDragStartMessage = 0x83FD,  // lparam the button-down point; nonzero: no drag
  kWindowDragEndMessage = 0x83FE,
  kScrolledHorzMessage = 0x8400,    // wparam new position << 16 | old position
  kScrolledVertMessage = 0x8401,
  kTrayIconMessage = 0x8402,
  kCaptureDragMoveMessage = 0x8406,  // from the application window; wparam button, lparam point
  kCaptureDragDropMessage = 0x8407,
  kCaptureLostMessage = 0x8408,
};

// ---- ParentRelayMessage: a window telling its parent or popup ancestor ----------------

enum : UINT {
  kContentChangedMessage = 0x85DC,  // to the parent; wparam source SWnd*, lparam a value
  kSystemKeyMessage = 0x85DD,       // direct to the nearest popup ancestor; answer -1 swallows the key
  kKeyMessage = 0x85DE,             // direct to the nearest popup ancestor; wparam key, lparam source SWnd*
  kAnchoredMessage = 0x85DF,        // to the parent; wparam the anchored SWnd*
};

// ---- SocketMessage: Winsock's asynchronous selection ------------------------------------

enum : UINT {
  kSocketListenMessage = 0x87D0,    // the listening socket
  kSocketConnectionMessage = 0x87D1,  // an accepted or connected socket
};

// ---- ThreadValueMessage: values handed between a worker thread and its owner -------------

enum : UINT {
  kValueFromWorkerMessage = 0x87DA,
  kValueFromOwnerMessage = 0x87DB,
  kWorkerFinishedMessage = 0x87DC,
};

// ---- ControlNotifyMessage: a child control reporting to its parent ----------------------
//
// The parent sends itself kControlNotifyBase + 10 x the control's class
// index + the event number (0..9), with the child's SWnd* as wparam; the
// class indexes are in window/ControlNotify.h.

enum : UINT { kControlNotifyBase = 0x8BB8 };

constexpr UINT ControlNotifyMessage(int classIndex, int event) {
  return kControlNotifyBase + UINT(10 * classIndex + event);
}
