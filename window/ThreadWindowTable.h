// ThreadWindowTable: which framework windows each thread owns.
//
// 256 process-wide slots, each null or the record of one thread: its id and
// its framework windows sorted by handle value, so that the window procedure
// can find a window's object with a binary search in the slot of the
// window's own thread. The user-interface thread holds slot 0 from
// FrameworkInit on; a worker thread that makes windows takes a slot when it
// starts and frees it when it ends. No lock guards the table: each thread
// changes only its own record's windows, and a slot changes only when its
// thread takes or frees it.
#pragma once

#include <cstdint>

#include "core/SArray.h"

class SWnd;

struct ThreadWindowRecord {
  uint32_t threadId;
  SArray<SWnd*> windows;  // sorted by HWND, unsigned; not owned
};

const int kThreadWindowSlots = 256;
extern ThreadWindowRecord* ThreadWindowTable[kThreadWindowSlots];

// Takes the first free slot for the calling thread; null when all are
// taken (that thread's windows are then never registered). A thread that
// already holds a slot gets another; lookups use its first.
ThreadWindowRecord* RegisterWindowThread();
// Frees the first slot of the thread (0: the calling thread) with its
// window array, not the windows; false when the thread holds none.
bool UnregisterWindowThread(uint32_t threadId = 0);
// Frees every record and clears every slot.
void ClearThreadWindowTable();
// The record of the thread's first slot; null when it holds none.
ThreadWindowRecord* FindWindowThreadRecord(uint32_t threadId);
