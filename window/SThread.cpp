#include "window/SThread.h"

#include <new>

#include "window/Framework.h"
#include "window/FrameworkMessage.h"
#include "window/MessageLoop.h"
#include "window/ThreadWindowTable.h"

// ==== The hidden windows =========================================================================

LRESULT SThread::_SWnd::WindowProc(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case kValueFromWorkerMessage:
      m_thread.HandleValueFromWorker(this, wparam, lparam);
      break;
    case kValueFromOwnerMessage:
      m_thread.HandleValueFromOwner(this, wparam, lparam);
      break;
    case kWorkerFinishedMessage:
      m_thread.HandleWorkerFinished(this);
      break;
  }
  return SWnd::WindowProc(message, wparam, lparam);
}

// Each message is taken only by the window it belongs to, and only for a
// value that this object holds for that direction: a stale or stray message
// hands nothing over.

void SThread::HandleValueFromWorker(_SWnd* window, WPARAM wparam, LPARAM lparam) {
  SValue* value = reinterpret_cast<SValue*>(lparam);
  if (window != &m_ownerWindow || FindSlot(value, kToOwner) < 0) return;
  OnValueFromWorker(int(wparam), value);
  FreeSlot(value);
}

void SThread::HandleValueFromOwner(_SWnd* window, WPARAM wparam, LPARAM lparam) {
  SValue* value = reinterpret_cast<SValue*>(lparam);
  if (window != m_workerWindow.load() || FindSlot(value, kToWorker) < 0) return;
  if (m_looping.load()) OnValueFromOwner(int(wparam), value);
  FreeSlot(value);
}

void SThread::HandleWorkerFinished(_SWnd* window) {
  if (window == &m_ownerWindow) CloseWorkerHandle();
}

// ==== Construction and destruction ================================================================

SThread::SThread()
    : m_ownerThreadId(0),
      m_ownerWindow(*this),
      m_thread(nullptr),
      m_threadId(0),
      m_synchronous(0),
      m_running(0),
      m_workerWindow(nullptr),
      m_workerHandle(nullptr),
      m_workerReady(0),
      m_looping(0),
      m_stopRequest(kNoStop),
      m_workerRegistered(0),
      m_data("") {
  for (int i = 0; i < kSlotCount; i++) {
    m_slots[i].store(nullptr);
    m_slotDirection[i].store(kToOwner);
  }
  m_ownerWindow.CreateHidden(this);
}

SThread::~SThread() {
  m_workerWindow.store(nullptr);
  m_workerHandle.store(nullptr);
  if (m_thread) {
    // A worker that has cleared its running flag touches this object no
    // more and ends by itself; only one still at work is cut short.
    if (m_running.exchange(0)) {
      TerminateThread(m_thread, kCutShortExitCode);
      WaitForSingleObject(m_thread, INFINITE);
      UnregisterWindowThread(m_threadId.load());
    } else {
      WaitForSingleObject(m_thread, INFINITE);
    }
    CloseWorkerHandle();
  }
  FreeAllSlots();
  if (m_ownerWindow.GetHwnd()) m_ownerWindow.Destroy();
}

void SThread::EndWorker(DWORD graceMs) {
  if (!m_thread) return;
  if (m_running.load()) {
    // The stop request is stored before the ready flag is read, and the
    // worker reads the request only after setting that flag: either the
    // worker sees the request and skips its loop, or the quit reaches it.
    int32_t none = kNoStop;
    m_stopRequest.compare_exchange_strong(none, kStopByOwner);
    if (m_workerReady.load()) PostThreadMessageA(m_threadId.load(), WM_QUIT, 0, 0);
  }
  HANDLE thread = m_thread;
  DWORD start = GetTickCount();
  for (;;) {
    DWORD spent = GetTickCount() - start;
    if (spent >= graceMs) break;
    MSG message;
    PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    DWORD result = MsgWaitForMultipleObjects(1, &thread, FALSE, graceMs - spent, QS_SENDMESSAGE);
    if (result != WAIT_OBJECT_0 + 1) break;
  }
  if (WaitForSingleObject(thread, 0) != WAIT_OBJECT_0 && m_running.exchange(0)) {
    TerminateThread(thread, kCutShortExitCode);
    WaitForSingleObject(thread, INFINITE);
    UnregisterWindowThread(m_threadId.load());
  } else {
    WaitForSingleObject(thread, INFINITE);
  }
  CloseWorkerHandle();
}

// ==== Running ======================================================================================

bool SThread::Start(bool synchronous) {
  if (m_thread || m_running.load()) return false;
  // The framework's deferred start runs on the user-interface thread only,
  // so it runs before any worker, which may make windows or call COM.
  StartWindowing();
  // The last worker's queue is gone with it, and the values it never took
  // with it; values bound for this side stay until their messages arrive.
  FreeSlotsBoundFor(kToWorker);

  m_threadId.store(0);
  m_synchronous = synchronous;
  m_workerReady.store(0);
  m_looping.store(0);
  m_stopRequest.store(kNoStop);
  m_workerRegistered = 0;
  m_ownerThreadId = GetCurrentThreadId();
  m_running.store(1);

  DWORD id = 0;
  m_thread = CreateThread(nullptr, 0, ThreadProc, this, 0, &id);
  if (!m_thread) {
    m_threadId.store(0);
    m_ownerThreadId = 0;
    m_running.store(0);
    return false;
  }
  m_threadId.store(id);
  if (!synchronous) return true;

  WaitForWorkerEnd();
  return m_workerRegistered != 0;
}

bool SThread::Stop() {
  if (!m_running.load() || !m_workerReady.load() || !m_looping.load()) return false;
  uint32_t caller = GetCurrentThreadId();
  int32_t none = kNoStop;
  if (caller == m_threadId.load()) {
    if (!m_stopRequest.compare_exchange_strong(none, kStopByWorker)) return false;
    PostQuitMessage(0);
    return true;
  }
  if (caller != m_ownerThreadId) return false;
  if (!m_stopRequest.compare_exchange_strong(none, kStopByOwner)) return false;
  PostThreadMessageA(m_threadId.load(), WM_QUIT, 0, 0);
  WaitForWorkerEnd();
  return true;
}

DWORD WINAPI SThread::ThreadProc(void* parameter) {
  SThread* self = static_cast<SThread*>(parameter);
  // The creator stores the same id once CreateThread returns; the worker
  // may need it before then.
  self->m_threadId.store(GetCurrentThreadId());
  HWND owner = self->m_ownerWindow.GetHwnd();
  bool registered = RegisterWindowThread() != nullptr;
  if (registered) {
    self->Work();
    UnregisterWindowThread();
  }
  // Closing the stop requests tells whether the owner is waiting for this
  // thread (a synchronous start or its own stop): it then closes the handle
  // itself. Otherwise the worker-finished message has it closed.
  int32_t request = kNoStop;
  self->m_stopRequest.compare_exchange_strong(request, kStopClosed);
  bool ownerWaits = self->m_synchronous || request == kStopByOwner;
  self->m_workerRegistered = registered;
  self->m_running.store(0);
  // From here on the object may be restarted or deleted: touch it no more.
  if (!ownerWaits) PostMessageA(owner, kWorkerFinishedMessage, 0, 0);
  return 0;
}

void SThread::Work() {
  OnInit();
  {
    _SWnd window(*this);
    if (window.CreateHidden(this)) {
      m_workerWindow.store(&window);
      m_workerHandle.store(window.GetHwnd());
      m_workerReady.store(1);
    }
    if (OnRun() && m_workerReady.load() && m_stopRequest.load() == kNoStop) {
      m_looping.store(1);
      bool waitForMessages = true;
      RunMessageLoop(&waitForMessages, nullptr, nullptr);
      m_looping.store(0);
    }
    OnEnd();
    // No value is accepted from here on; the window goes before OnExit, so
    // a value still queued for it is never handled.
    m_workerReady.store(0);
    m_workerHandle.store(nullptr);
    m_workerWindow.store(nullptr);
    window.Destroy();
  }
  OnExit();
}

void SThread::WaitForWorkerEnd() {
  HANDLE thread = m_thread;
  for (;;) {
    // Handles the messages sent to this thread so far; posted ones stay
    // queued. The wait then wakes for the next one sent.
    MSG message;
    PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    DWORD result = MsgWaitForMultipleObjects(1, &thread, FALSE, INFINITE, QS_SENDMESSAGE);
    if (result != WAIT_OBJECT_0 + 1) break;  // ended, or the wait itself failed
  }
  CloseWorkerHandle();
}

void SThread::CloseWorkerHandle() {
  if (m_thread) CloseHandle(m_thread);
  m_thread = nullptr;
  m_threadId.store(0);
}

// ==== Values =========================================================================================

bool SThread::PostToOwner(const SValue* value, int wparam) {
  return value && Post(value, wparam, kToOwner);
}

bool SThread::PostIntToOwner(int wparam, int value) {
  SValue number;
  number.SetInt64(value);
  return Post(&number, wparam, kToOwner);
}

bool SThread::PostToWorker(const SValue* value, int wparam) {
  return value && Post(value, wparam, kToWorker);
}

bool SThread::PostIntToWorker(int wparam, int value) {
  SValue number;
  number.SetInt64(value);
  return Post(&number, wparam, kToWorker);
}

bool SThread::Post(const SValue* value, int wparam, uint8_t direction) {
  if (!m_workerWindow.load() || !m_workerReady.load()) return false;
  HWND target = direction == kToOwner ? m_ownerWindow.GetHwnd() : m_workerHandle.load();
  if (!target) return false;
  SValue* slot = AllocateSlot(*value, direction);
  if (!slot) return false;
  UINT message = direction == kToOwner ? kValueFromWorkerMessage : kValueFromOwnerMessage;
  if (PostMessageA(target, message, WPARAM(wparam), reinterpret_cast<LPARAM>(slot))) return true;
  // No message carries the slot: it is still the sender's to release.
  FreeSlot(slot);
  return false;
}

SValue* SThread::AllocateSlot(const SValue& value, uint8_t direction) {
  // The value is complete before any other thread can see it in a slot.
  SValue* copy = new (std::nothrow) SValue;
  if (!copy) return nullptr;
  copy->AssignValue(value);
  for (int i = 0; i < kSlotCount; i++) {
    SValue* empty = nullptr;
    if (m_slots[i].load() == nullptr && m_slots[i].compare_exchange_strong(empty, copy)) {
      m_slotDirection[i].store(direction);
      return copy;
    }
  }
  delete copy;
  return nullptr;
}

int SThread::FindSlot(const SValue* value, uint8_t direction) const {
  if (!value) return -1;
  for (int i = 0; i < kSlotCount; i++)
    if (m_slots[i].load() == value) return m_slotDirection[i].load() == direction ? i : -1;
  return -1;
}

void SThread::FreeSlot(SValue* value) {
  if (!value) return;
  for (int i = 0; i < kSlotCount; i++) {
    SValue* held = value;
    if (m_slots[i].compare_exchange_strong(held, nullptr)) {
      delete value;
      return;
    }
  }
}

void SThread::FreeSlotsBoundFor(uint8_t direction) {
  for (int i = 0; i < kSlotCount; i++) {
    SValue* value = m_slots[i].load();
    if (value && m_slotDirection[i].load() == direction) FreeSlot(value);
  }
}

void SThread::FreeAllSlots() {
  for (int i = 0; i < kSlotCount; i++) delete m_slots[i].exchange(nullptr);
}
