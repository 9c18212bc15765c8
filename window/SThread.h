// SThread: one worker thread beside the thread that owns the object, with
// values handed between the two.
//
// The worker runs a message loop of its own and owns a hidden window; the
// owner has another hidden window. A value travels as a copy in one of 32
// hand-over slots, announced by a ThreadValueMessage posted to the other
// side's window, so every value is handled on the receiving side's thread.
// A value that finds no free slot is dropped. A derived class overrides the
// virtual operations to do the work and to receive values.
//
// The two threads share the slots and the flags without a lock: a slot is
// claimed only by swapping null for a value and released only by swapping
// the value for null, so no two senders take the same slot and no value is
// handed over twice. A slot belongs to whoever holds its message: the
// receiver releases it after handling, the sender when the message could
// not be posted. Values bound for a worker that ended before handling them
// are released by the next Start, once that worker's queue is gone; values
// bound for the owner stay until the owner's queue delivers them.
//
// States: idle -> starting (OnInit) -> working (OnRun; values accepted) ->
// looping (Stop accepted) -> ending (OnEnd, then OnExit without the worker
// window) -> ended (the worker's handle is closed by the synchronous Start,
// the owner's Stop, or the worker-finished message) -> idle.
#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>

#include "core/SString.h"
#include "core/SValue.h"
#include "window/SWnd.h"

class SThread {
 public:
  static const int kSlotCount = 32;

  // The hidden window of either side; it hands the thread's messages to its
  // SThread.
  class _SWnd : public SWnd {
   public:
    explicit _SWnd(SThread& thread) : m_thread(thread) {}
    LRESULT WindowProc(UINT message, WPARAM wparam, LPARAM lparam) override;

   private:
    SThread& m_thread;
  };

  // Creates the owner window on the calling thread, which must be a thread
  // of the running framework.
  SThread();
  // On the owner thread. A worker that is still running is terminated
  // without OnEnd or OnExit.
  virtual ~SThread();
  SThread(const SThread&) = delete;
  SThread& operator=(const SThread&) = delete;

  // ---- Virtual operations, in slot order --------------------------------------------

  // Worker thread, before the worker window exists.
  virtual void OnInit() {}
  // Worker thread, after the worker window is gone.
  virtual void OnExit() {}
  // Worker thread: the work. True runs the message loop afterwards.
  virtual bool OnRun() { return true; }
  // Owner thread: a value sent by PostToOwner. The value lives only during
  // the call.
  virtual void OnValueFromWorker(int wparam, SValue* value) {
    (void)wparam, (void)value;
  }
  // Worker thread, while its loop runs: a value sent by PostToWorker.
  virtual void OnValueFromOwner(int wparam, SValue* value) {
    (void)wparam, (void)value;
  }
  // Worker thread, after the loop; the worker window still exists.
  virtual void OnEnd() {}

  // ---- Running ------------------------------------------------------------------------

  // Starts the worker; false while one is held or running, or when the
  // thread cannot be made. A synchronous start returns when the worker has
  // ended (handling the messages other threads send meanwhile); it is false
  // when the worker could not take a slot of the thread window table.
  bool Start(bool synchronous);
  // From the worker: ends its loop after the current message. From the
  // owner: ends the loop and waits until the worker has ended. False before
  // the loop runs, while a stop is under way, or from any other thread.
  bool Stop();

  bool IsRunning() const { return m_running.load() != 0; }
  // The worker's id while its handle is held, else 0.
  uint32_t GetThreadId() const { return m_threadId.load(); }

  // The exit code of a worker cut short by TerminateThread; a worker's own
  // entry returns 0.
  static constexpr DWORD kCutShortExitCode = 0xC0DE;

  // ---- Values -------------------------------------------------------------------------
  //
  // The value's kind and payload are copied; its name and display text are
  // not. Values are accepted from the creation of the worker window to the
  // end of OnEnd. False when the value was dropped: no worker window, a null
  // value, no free slot, or a message that could not be posted.

  // Normally on the worker thread.
  bool PostToOwner(const SValue* value, int wparam);
  bool PostIntToOwner(int wparam, int value);
  // On the owner thread.
  bool PostToWorker(const SValue* value, int wparam);
  bool PostIntToWorker(int wparam, int value);

  // Free text for the user of the object.
  SString GetData() const { return m_data; }
  void SetData(const char* text) { m_data = text; }

 protected:
  // For a derived destructor, before its part of the object goes: ends a
  // worker still held without cutting it short where it can be helped. A
  // worker waiting in its loop leaves it as after a stop; one still in OnRun
  // is kept from its loop and given graceMs to finish, and only then
  // terminated (a thread cut short may hold the heap's lock, so that is the
  // last resort). OnEnd and OnExit still run on a worker that ends by
  // itself: the derived class must keep them quiet.
  void EndWorker(DWORD graceMs);

 private:
  enum : int32_t {
    kNoStop = 0,
    kStopByOwner = 1,
    kStopByWorker = 2,
    // The worker has ended its loop for good: no stop is accepted any more.
    kStopClosed = 3,
  };
  enum : uint8_t { kToOwner = 0, kToWorker = 1 };

  static DWORD WINAPI ThreadProc(void* parameter);
  // The worker's life between taking and freeing its window table slot.
  void Work();
  // Waits until the worker thread has ended, handling the messages sent to
  // this thread meanwhile: a worker that sends to a window of this thread
  // must not wait for ever. Then closes the handle.
  void WaitForWorkerEnd();
  void CloseWorkerHandle();

  bool Post(const SValue* value, int wparam, uint8_t direction);
  // A new value holding a copy of value's kind and payload in the first
  // free slot; null when none is free or memory runs out.
  SValue* AllocateSlot(const SValue& value, uint8_t direction);
  // The slot index of value when it is held for the direction, else -1.
  int FindSlot(const SValue* value, uint8_t direction) const;
  // Empties the slot holding exactly this value and deletes it.
  void FreeSlot(SValue* value);
  void FreeSlotsBoundFor(uint8_t direction);
  void FreeAllSlots();

  // What the hidden windows do with the thread messages.
  void HandleValueFromWorker(_SWnd* window, WPARAM wparam, LPARAM lparam);
  void HandleValueFromOwner(_SWnd* window, WPARAM wparam, LPARAM lparam);
  void HandleWorkerFinished(_SWnd* window);

  uint32_t m_ownerThreadId;
  _SWnd m_ownerWindow;
  HANDLE m_thread;                   // owner thread only
  std::atomic<uint32_t> m_threadId;
  uint8_t m_synchronous;
  std::atomic<uint8_t> m_running;    // set by Start, cleared by the worker as its last act
  std::atomic<_SWnd*> m_workerWindow;  // on the worker's stack; null outside its life
  std::atomic<HWND> m_workerHandle;    // what other threads post to
  std::atomic<uint8_t> m_workerReady;
  std::atomic<uint8_t> m_looping;
  std::atomic<int32_t> m_stopRequest;
  uint8_t m_workerRegistered;        // the last worker had its window table slot
  SString m_data;
  std::atomic<SValue*> m_slots[kSlotCount];
  // Which side each held slot's message went to; written before it is posted.
  std::atomic<uint8_t> m_slotDirection[kSlotCount];
};
