#include "window/ThreadWindowTable.h"

#include <windows.h>

#include <new>

ThreadWindowRecord* ThreadWindowTable[kThreadWindowSlots];

ThreadWindowRecord* RegisterWindowThread() {
  ThreadWindowRecord* record = new (std::nothrow) ThreadWindowRecord{GetCurrentThreadId(), {}};
  if (!record) return nullptr;
  // Threads that start at the same moment must not take the same slot: a
  // slot is taken only by swapping null for the record.
  for (int i = 0; i < kThreadWindowSlots; i++) {
    void* volatile* slot = reinterpret_cast<void* volatile*>(&ThreadWindowTable[i]);
    if (!ThreadWindowTable[i] && InterlockedCompareExchangePointer(slot, record, nullptr) == nullptr)
      return record;
  }
  delete record;
  return nullptr;
}

bool UnregisterWindowThread(uint32_t threadId) {
  if (threadId == 0) threadId = GetCurrentThreadId();
  for (int i = 0; i < kThreadWindowSlots; i++) {
    ThreadWindowRecord* record = ThreadWindowTable[i];
    if (record && record->threadId == threadId) {
      ThreadWindowTable[i] = nullptr;
      delete record;
      return true;
    }
  }
  return false;
}

void ClearThreadWindowTable() {
  for (ThreadWindowRecord*& record : ThreadWindowTable) {
    delete record;
    record = nullptr;
  }
}

ThreadWindowRecord* FindWindowThreadRecord(uint32_t threadId) {
  for (ThreadWindowRecord* record : ThreadWindowTable) {
    if (record && record->threadId == threadId) return record;
  }
  return nullptr;
}
