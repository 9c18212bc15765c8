// The message loops of the framework's threads, and the dialog-message list.
//
// RunMessageLoop is the application loop: the engine's run step stays in it
// on the user-interface thread until the program ends, and each worker
// thread runs one of its own. It blocks on the queue, or, while the caller's
// flag says so, polls it and calls an idle function whenever it is empty;
// the flag is re-read after every message. RunModalLoop is the nested loop
// of a window shown modally; it turns Enter and Escape into the framework's
// OK and Cancel messages. Both loops first offer every message to the
// windows of the dialog-message list, so that modeless dialogs such as the
// Find and Replace dialogs get their keyboard navigation.
#pragma once

#include <windows.h>

#include "core/SArray.h"

class SWnd;

// Called with the user value whenever the polling loop finds the queue
// empty; its answer is the caller's business, the loop ignores it.
using IdleFunction = bool (*)(void* user);

// Runs until WM_QUIT is taken from the queue. waitForMessages: true blocks
// on the queue, false polls and calls idle (when given) on an empty queue.
void RunMessageLoop(bool* waitForMessages, IdleFunction idle, void* user);
// Runs while the window exists and is modal; a WM_QUIT taken here is posted
// again, so that the loop around this one ends too.
void RunModalLoop(SWnd* window);
// Drops every pending keyboard and mouse message of the calling thread.
void FlushInputMessages();

// ---- DialogWindowList ------------------------------------------------------------------
//
// One process-wide list of modeless dialog windows, without duplicates;
// null entries are skipped. Callers that remove a window look its index up
// first (GetDialogWindowList().Find(handle)). Emptied by FrameworkExit.

SArray<HWND>& GetDialogWindowList();
// Appends the handle unless the list holds it already.
void AddDialogWindow(HWND window);
// An index outside the list does nothing.
void RemoveDialogWindow(int index);
void ClearDialogWindowList();
