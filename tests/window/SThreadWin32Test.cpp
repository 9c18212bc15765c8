#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "core/SValue.h"
#include "window/Framework.h"
#include "window/SThread.h"
#include "window/ThreadWindowTable.h"

namespace {

// ---- Helpers -----------------------------------------------------------------------------

// Dispatches this thread's messages until done() holds or the time is up;
// answers done().
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 20000) {
  DWORD start = GetTickCount();
  while (!done()) {
    if (GetTickCount() - start > timeoutMs) return false;
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
  return true;
}

void PumpPending() {
  PumpUntil([] { return false; }, 50);
}

int TableRecords() {
  int n = 0;
  for (ThreadWindowRecord* record : ThreadWindowTable) n += record != nullptr;
  return n;
}

// The process's open kernel handles, found by asking about each handle
// value in turn (Wine does not count them for GetProcessHandleCount).
int HandleCount() {
  int count = 0;
  for (uintptr_t value = 4; value < 4 * 8192; value += 4) {
    DWORD flags;
    count += GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags) != 0;
  }
  return count;
}

// A manual-reset event, closed with the scope.
struct Event {
  HANDLE handle = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  ~Event() { CloseHandle(handle); }
  void Set() { SetEvent(handle); }
  bool Wait(DWORD ms = 20000) { return WaitForSingleObject(handle, ms) == WAIT_OBJECT_0; }
};

struct Received {
  DWORD thread;
  int wparam;
  SValue value;
};

// A worker whose every step is a function the test sets; it records the
// thread each operation ran on and the values each side received.
class TestThread : public SThread {
 public:
  std::function<void(TestThread&)> onInit, onRun, onEnd, onExit;
  std::function<void(TestThread&, int, SValue*)> onFromOwner;
  bool runLoop = true;
  std::vector<std::string> steps;  // worker side; read once the worker has ended
  DWORD workerThread = 0;
  std::vector<Received> fromWorker;  // owner side
  std::vector<Received> fromOwner;   // worker side

  ~TestThread() override = default;

  void OnInit() override {
    Step("init");
    if (onInit) onInit(*this);
  }
  bool OnRun() override {
    Step("run");
    if (onRun) onRun(*this);
    return runLoop;
  }
  void OnEnd() override {
    Step("end");
    if (onEnd) onEnd(*this);
  }
  void OnExit() override {
    Step("exit");
    if (onExit) onExit(*this);
  }
  void OnValueFromWorker(int wparam, SValue* value) override {
    fromWorker.push_back({GetCurrentThreadId(), wparam, *value});
  }
  void OnValueFromOwner(int wparam, SValue* value) override {
    fromOwner.push_back({GetCurrentThreadId(), wparam, *value});
    if (onFromOwner) onFromOwner(*this, wparam, value);
  }

 private:
  void Step(const char* name) {
    steps.push_back(name);
    workerThread = GetCurrentThreadId();
  }
};

SValue TextValue(const char* text) {
  SValue value;
  value.SetString(text);
  return value;
}

class SThreadTest : public testing::Test {
 protected:
  void SetUp() override { FrameworkInit(GetModuleHandleA(nullptr), SW_HIDE, kStartNoCom); }
  void TearDown() override { FrameworkExit(); }

  // Handles the pending messages until the finished worker's handle is closed.
  static bool WaitUntilIdle(SThread& thread) {
    return PumpUntil([&] { return !thread.IsRunning() && thread.GetThreadId() == 0; });
  }

  const DWORD owner = GetCurrentThreadId();
};

// ---- Life of a worker --------------------------------------------------------------------

TEST_F(SThreadTest, OwnerStopEndsTheLoopAfterEverythingRanOnTheWorker) {
  TestThread thread;
  Event looping;
  thread.onRun = [&](TestThread&) { looping.Set(); };
  EXPECT_FALSE(thread.Stop());  // nothing runs yet
  ASSERT_TRUE(thread.Start(false));
  EXPECT_FALSE(thread.Start(false));
  ASSERT_TRUE(looping.Wait());
  // Stop is accepted once the loop runs; the flag is set just before it.
  ASSERT_TRUE(PumpUntil([&] { return thread.Stop(); }));
  EXPECT_FALSE(thread.IsRunning());
  EXPECT_EQ(thread.GetThreadId(), 0u);
  EXPECT_EQ(thread.steps, (std::vector<std::string>{"init", "run", "end", "exit"}));
  EXPECT_NE(thread.workerThread, owner);
  EXPECT_FALSE(thread.Stop());
  EXPECT_EQ(TableRecords(), 1);  // the worker gave its slot back
}

TEST_F(SThreadTest, ValuesGoBothWaysOnTheRightThreads) {
  TestThread thread;
  Event looping;
  thread.onRun = [&](TestThread& t) {
    SValue named = TextValue("from worker");
    named.SetName("name");
    named.SetText("display");
    t.PostToOwner(&named, 7);
    looping.Set();
  };
  // Each value from the owner comes back doubled.
  thread.onFromOwner = [](TestThread& t, int wparam, SValue* value) {
    t.PostIntToOwner(wparam + 100, int(value->ToInt64()) * 2);
  };
  ASSERT_TRUE(thread.Start(false));
  ASSERT_TRUE(looping.Wait());
  ASSERT_TRUE(PumpUntil([&] { return thread.fromWorker.size() == 1; }));
  for (int i = 1; i <= 3; i++) EXPECT_TRUE(thread.PostIntToWorker(i, i * 10));
  ASSERT_TRUE(PumpUntil([&] { return thread.fromWorker.size() == 4; }));
  ASSERT_TRUE(thread.Stop());

  const Received& first = thread.fromWorker[0];
  EXPECT_EQ(first.thread, owner);
  EXPECT_EQ(first.wparam, 7);
  EXPECT_TRUE(first.value.IsString());
  EXPECT_STREQ(first.value.ToString().GetText(), "from worker");
  EXPECT_STREQ(first.value.GetName().GetText(), "");  // kind and payload only
  EXPECT_STREQ(first.value.GetText().GetText(), "");
  for (int i = 1; i <= 3; i++) {
    const Received& echo = thread.fromWorker[size_t(i)];
    EXPECT_EQ(echo.thread, owner);
    EXPECT_EQ(echo.wparam, 100 + i);
    EXPECT_EQ(echo.value.ToInt64(), i * 20);
    EXPECT_EQ(thread.fromOwner[size_t(i - 1)].thread, thread.workerThread);
    EXPECT_EQ(thread.fromOwner[size_t(i - 1)].wparam, i);
  }
}

TEST_F(SThreadTest, ValuesAreAcceptedFromTheWorkerWindowToTheEndOfOnEnd) {
  TestThread thread;
  thread.runLoop = false;
  std::vector<bool> accepted;
  thread.onInit = [&](TestThread& t) { accepted.push_back(t.PostIntToOwner(1, 1)); };
  thread.onEnd = [&](TestThread& t) { accepted.push_back(t.PostIntToOwner(2, 2)); };
  thread.onExit = [&](TestThread& t) { accepted.push_back(t.PostIntToOwner(3, 3)); };
  EXPECT_FALSE(thread.PostIntToWorker(0, 0));  // no worker yet
  ASSERT_TRUE(thread.Start(true));
  EXPECT_EQ(accepted, (std::vector<bool>{false, true, false}));
  EXPECT_TRUE(thread.fromWorker.empty());  // the synchronous start handles no posted message
  PumpPending();
  ASSERT_EQ(thread.fromWorker.size(), 1u);
  EXPECT_EQ(thread.fromWorker[0].wparam, 2);
  EXPECT_FALSE(thread.PostToOwner(nullptr, 0));
}

TEST_F(SThreadTest, SynchronousStartReturnsAfterOnExit) {
  TestThread thread;
  thread.runLoop = false;
  ASSERT_TRUE(thread.Start(true));
  EXPECT_EQ(thread.steps, (std::vector<std::string>{"init", "run", "end", "exit"}));
  EXPECT_FALSE(thread.IsRunning());
  EXPECT_EQ(thread.GetThreadId(), 0u);
  // The loop was never entered: stopping from the worker is refused before it.
  TestThread again;
  bool stopped = true;
  again.runLoop = false;
  again.onRun = [&](TestThread& t) { stopped = t.Stop(); };
  ASSERT_TRUE(again.Start(true));
  EXPECT_FALSE(stopped);
}

TEST_F(SThreadTest, WorkerWithoutLoopEndsAndItsHandleIsClosedByTheOwner) {
  TestThread thread;
  thread.runLoop = false;
  for (int round = 0; round < 2; round++) {
    ASSERT_TRUE(thread.Start(false));
    // Until the owner handles the worker-finished message the handle is held.
    EXPECT_TRUE(PumpUntil([&] { return !thread.IsRunning(); }));
    ASSERT_TRUE(WaitUntilIdle(thread));
  }
  EXPECT_EQ(thread.steps.size(), 8u);
}

// ---- Hand-over slots ---------------------------------------------------------------------

TEST_F(SThreadTest, ThirtyThirdValueFindsNoSlotWhileTheOwnerDoesNotDispatch) {
  TestThread thread;
  thread.runLoop = false;
  std::vector<bool> accepted;
  thread.onRun = [&](TestThread& t) {
    for (int i = 0; i < 40; i++) accepted.push_back(t.PostIntToOwner(i, 1000 + i));
  };
  ASSERT_TRUE(thread.Start(true));  // no posted message is handled meanwhile
  for (int i = 0; i < 40; i++) EXPECT_EQ(accepted[size_t(i)], i < 32) << i;
  PumpPending();
  ASSERT_EQ(thread.fromWorker.size(), 32u);
  for (int i = 0; i < 32; i++) {
    EXPECT_EQ(thread.fromWorker[size_t(i)].wparam, i);
    EXPECT_EQ(thread.fromWorker[size_t(i)].value.ToInt64(), 1000 + i);
  }
}

TEST_F(SThreadTest, RestartKeepsValuesWhoseMessagesAreStillQueued) {
  // Two synchronous runs in a row, with no message handled in between: the
  // values of the first still wait in the owner's queue when the second
  // starts, and must arrive intact and once.
  TestThread thread;
  thread.runLoop = false;
  int round = 0;
  thread.onRun = [&](TestThread& t) {
    for (int i = 0; i < 3; i++) {
      std::string text = "round " + std::to_string(round) + " value " + std::to_string(i);
      SValue value = TextValue(text.c_str());
      EXPECT_TRUE(t.PostToOwner(&value, round * 10 + i));
    }
  };
  ASSERT_TRUE(thread.Start(true));
  round = 1;
  ASSERT_TRUE(thread.Start(true));
  PumpPending();
  ASSERT_EQ(thread.fromWorker.size(), 6u);
  for (int r = 0; r < 2; r++) {
    for (int i = 0; i < 3; i++) {
      const Received& got = thread.fromWorker[size_t(r * 3 + i)];
      std::string text = "round " + std::to_string(r) + " value " + std::to_string(i);
      EXPECT_EQ(got.wparam, r * 10 + i);
      EXPECT_STREQ(got.value.ToString().GetText(), text.c_str());
    }
  }
}

TEST_F(SThreadTest, ValuesTheLastWorkerNeverTookAreReleasedByTheNextStart) {
  TestThread thread;
  thread.runLoop = false;
  Event running, filled;
  thread.onRun = [&](TestThread&) {
    running.Set();
    filled.Wait();
  };
  ASSERT_TRUE(thread.Start(false));
  ASSERT_TRUE(running.Wait());
  // The worker will not loop: these values are never handled.
  int accepted = 0;
  for (int i = 0; i < 40; i++) accepted += thread.PostIntToWorker(i, i);
  EXPECT_EQ(accepted, 32);
  filled.Set();
  ASSERT_TRUE(WaitUntilIdle(thread));
  EXPECT_TRUE(thread.fromOwner.empty());

  // The next run has every slot to itself again.
  int sent = 0;
  thread.onRun = [&](TestThread& t) {
    for (int i = 0; i < 32; i++) sent += t.PostIntToOwner(i, i);
  };
  ASSERT_TRUE(thread.Start(true));
  EXPECT_EQ(sent, 32);
  PumpPending();
  EXPECT_EQ(thread.fromWorker.size(), 32u);
}

// Both sides post as fast as they can while the other side handles: every
// accepted value arrives once, in order, on its side's thread; a value is
// dropped only when the post says so.
TEST_F(SThreadTest, ValuesUnderLoadArriveOnceOrAreCountedAsDropped) {
  // Under Wine on an emulated processor 20,000 values each way take a few
  // seconds; the limit of 32 slots is reached many times over either way.
  const int kValues = 20000;
  TestThread thread;
  Event looping;
  std::atomic<int> workerSentOk{0}, workerDropped{0}, ownerHandled{0};
  std::atomic<bool> wrongWorkerThread{false};
  std::vector<int64_t> workerReceived;  // worker thread only
  Event drained;
  thread.onRun = [&](TestThread&) { looping.Set(); };
  // The worker floods the owner from its first value on, and records what
  // reaches it; wparam 2 marks the owner's last value.
  thread.onFromOwner = [&](TestThread& t, int wparam, SValue* value) {
    if (GetCurrentThreadId() != t.workerThread) wrongWorkerThread = true;
    if (wparam == 2) {
      drained.Set();
      return;
    }
    workerReceived.push_back(value->ToInt64());
    if (workerReceived.size() == 1) {
      for (int i = 0; i < kValues; i++) {
        if (t.PostIntToOwner(0, i)) {
          workerSentOk++;
        } else {
          workerDropped++;
          // Give the owner a moment to empty a slot.
          if (workerDropped % 64 == 0) Sleep(0);
        }
      }
    }
  };
  ASSERT_TRUE(thread.Start(false));
  ASSERT_TRUE(looping.Wait());
  ASSERT_TRUE(PumpUntil([&] { return thread.PostIntToWorker(1, -1); }));

  int ownerSentOk = 1, ownerDropped = 0;
  for (int i = 0; i < kValues; i++) {
    if (thread.PostIntToWorker(1, i))
      ownerSentOk++;
    else
      ownerDropped++;
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
  }
  // Everything accepted either way is handled before the stop.
  ASSERT_TRUE(PumpUntil([&] {
    return workerSentOk + workerDropped == kValues && int(thread.fromWorker.size()) == workerSentOk;
  }, 60000));
  ASSERT_TRUE(PumpUntil([&] { return thread.PostIntToWorker(2, 0); }));  // queued behind the rest
  ASSERT_TRUE(PumpUntil([&] { return WaitForSingleObject(drained.handle, 0) == WAIT_OBJECT_0; }));
  ASSERT_TRUE(thread.Stop());

  EXPECT_FALSE(wrongWorkerThread);
  // Owner to worker: the accepted ones, once each, in order.
  ASSERT_EQ(int(workerReceived.size()), ownerSentOk);
  EXPECT_EQ(ownerSentOk + ownerDropped, kValues + 1);
  for (size_t i = 1; i < workerReceived.size(); i++) ASSERT_LT(workerReceived[i - 1], workerReceived[i]);
  // Worker to owner: likewise.
  std::set<int64_t> seen;
  int64_t last = -1;
  for (const Received& got : thread.fromWorker) {
    ASSERT_EQ(got.thread, owner);
    ASSERT_GT(got.value.ToInt64(), last);
    last = got.value.ToInt64();
    seen.insert(last);
  }
  EXPECT_EQ(int(seen.size()), workerSentOk.load());
  ownerHandled = int(thread.fromWorker.size());
  std::printf("load: owner->worker %d accepted, %d dropped; worker->owner %d accepted, %d dropped\n",
              ownerSentOk, ownerDropped, workerSentOk.load(), workerDropped.load());
  EXPECT_EQ(ownerHandled.load() + workerDropped.load(), kValues);
}

// ---- Stopping and waiting ----------------------------------------------------------------

TEST_F(SThreadTest, WorkerStoppingItselfLeavesTheObjectRestartable) {
  TestThread thread;
  std::vector<bool> stops;
  thread.onFromOwner = [&](TestThread& t, int, SValue*) {
    stops.push_back(t.Stop());
    stops.push_back(t.Stop());  // a stop is already under way
  };
  Event looping;
  thread.onRun = [&](TestThread&) { looping.Set(); };
  for (int round = 0; round < 3; round++) {
    ResetEvent(looping.handle);
    ASSERT_TRUE(thread.Start(false)) << round;
    ASSERT_TRUE(looping.Wait());
    ASSERT_TRUE(PumpUntil([&] { return thread.PostIntToWorker(0, 0); }));
    ASSERT_TRUE(WaitUntilIdle(thread)) << round;
    EXPECT_FALSE(thread.Stop());
  }
  EXPECT_EQ(stops, (std::vector<bool>{true, false, true, false, true, false}));
}

// A window of the owner's thread that the worker sends to.
class OwnerWindow {
 public:
  OwnerWindow() {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = Procedure;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "SThreadTestOwner";
    RegisterClassA(&wc);
    m_hwnd = CreateWindowA("SThreadTestOwner", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
  }
  ~OwnerWindow() {
    DestroyWindow(m_hwnd);
    UnregisterClassA("SThreadTestOwner", GetModuleHandleA(nullptr));
  }
  HWND Handle() const { return m_hwnd; }
  // From another thread: true when the owner's thread answered in time.
  bool SendFromWorker() const {
    DWORD_PTR answer = 0;
    return SendMessageTimeoutA(m_hwnd, WM_APP + 5, 0, 0, SMTO_NORMAL, 10000, &answer) && answer == 42;
  }

 private:
  static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_APP + 5) return 42;
    return DefWindowProcA(hwnd, message, wparam, lparam);
  }
  HWND m_hwnd;
};

TEST_F(SThreadTest, WaitingOwnerHandlesMessagesTheWorkerSends) {
  OwnerWindow window;
  ASSERT_NE(window.Handle(), nullptr);
  TestThread thread;
  bool answeredInRun = false, answeredInEnd = false;
  // Synchronous start: the worker sends while the owner waits in Start.
  thread.runLoop = false;
  thread.onRun = [&](TestThread&) { answeredInRun = window.SendFromWorker(); };
  ASSERT_TRUE(thread.Start(true));
  EXPECT_TRUE(answeredInRun);

  // The owner's stop: the worker sends from OnEnd while the owner waits in Stop.
  Event looping;
  thread.runLoop = true;
  thread.onRun = [&](TestThread&) { looping.Set(); };
  thread.onEnd = [&](TestThread&) { answeredInEnd = window.SendFromWorker(); };
  ASSERT_TRUE(thread.Start(false));
  ASSERT_TRUE(looping.Wait());
  ASSERT_TRUE(PumpUntil([&] { return thread.Stop(); }));
  EXPECT_TRUE(answeredInEnd);
}

TEST_F(SThreadTest, WorkerWithoutATableSlotEndsWithoutHangingTheOwner) {
  // Every free slot of the thread window table taken by someone else.
  std::vector<int> taken;
  for (int i = 0; i < kThreadWindowSlots; i++) {
    if (ThreadWindowTable[i]) continue;
    ThreadWindowTable[i] = new ThreadWindowRecord{0, {}};
    taken.push_back(i);
  }
  TestThread thread;
  bool syncStarted = thread.Start(true);
  bool asyncStarted = thread.Start(false);
  bool asyncEnded = WaitUntilIdle(thread);
  for (int i : taken) {
    delete ThreadWindowTable[i];
    ThreadWindowTable[i] = nullptr;
  }
  EXPECT_FALSE(syncStarted);
  EXPECT_TRUE(asyncStarted);
  EXPECT_TRUE(asyncEnded);
  EXPECT_TRUE(thread.steps.empty());  // no virtual operation ran
  thread.runLoop = false;
  EXPECT_TRUE(thread.Start(true));
}

TEST_F(SThreadTest, StartAndStopCyclesLeakNoHandle) {
  TestThread thread;
  Event looping;
  thread.onRun = [&](TestThread& t) {
    if (t.runLoop) looping.Set();
  };
  auto cycle = [&] {
    thread.runLoop = false;
    ASSERT_TRUE(thread.Start(true));
    ASSERT_TRUE(thread.Start(false));
    ASSERT_TRUE(WaitUntilIdle(thread));
    thread.runLoop = true;
    ResetEvent(looping.handle);
    ASSERT_TRUE(thread.Start(false));
    ASSERT_TRUE(looping.Wait());
    ASSERT_TRUE(PumpUntil([&] { return thread.Stop(); }));
  };
  cycle();  // the first run makes what the process keeps anyway
  int before = HandleCount();
  ASSERT_GT(before, 0);
  for (int i = 0; i < 10; i++) cycle();
  EXPECT_EQ(HandleCount(), before);
}

TEST_F(SThreadTest, DeletingARunningObjectTerminatesTheWorker) {
  std::atomic<int> ends{0};
  Event looping;
  auto* thread = new TestThread;
  thread->onRun = [&](TestThread&) { looping.Set(); };
  thread->onEnd = [&](TestThread&) { ends++; };
  thread->onExit = [&](TestThread&) { ends++; };
  ASSERT_TRUE(thread->Start(false));
  ASSERT_TRUE(looping.Wait());
  thread->PostIntToOwner(0, 0);  // left in the queue
  delete thread;
  PumpPending();
  EXPECT_EQ(ends.load(), 0);
  EXPECT_EQ(TableRecords(), 1);
}

}  // namespace

// A worker whose owner ends it from the derived destructor, as a script
// Thread does when released.
class EndedThread : public TestThread {
 public:
  explicit EndedThread(DWORD graceMs) : m_graceMs(graceMs) {}
  ~EndedThread() override { EndWorker(m_graceMs); }

 private:
  DWORD m_graceMs;
};

// The exit code of the worker, read through a handle of its own once the
// object is gone.
DWORD DeleteAndReadExitCode(EndedThread* thread) {
  HANDLE worker = OpenThread(SYNCHRONIZE | THREAD_QUERY_INFORMATION, FALSE, thread->GetThreadId());
  delete thread;
  DWORD code = STILL_ACTIVE;
  if (worker) {
    WaitForSingleObject(worker, 20000);
    GetExitCodeThread(worker, &code);
    CloseHandle(worker);
  }
  return code;
}

TEST_F(SThreadTest, EndingAWaitingWorkerLeavesThroughItsLoop) {
  Event looping;
  auto* thread = new EndedThread(20000);
  thread->onRun = [&](TestThread&) { looping.Set(); };
  ASSERT_TRUE(thread->Start(false));
  ASSERT_TRUE(looping.Wait());
  EXPECT_EQ(DeleteAndReadExitCode(thread), 0u);  // its entry's own code
  EXPECT_EQ(TableRecords(), 1);
}

DWORD WINAPI SetAfterAWhile(void* event) {
  Sleep(200);
  SetEvent(static_cast<HANDLE>(event));
  return 0;
}

TEST_F(SThreadTest, EndingAWorkerStillInOnRunWaitsThenCutsItShort) {
  // A worker that leaves OnRun within the grace skips its loop and ends by
  // itself.
  Event inRun, release;
  auto* quick = new EndedThread(20000);
  quick->onRun = [&](TestThread&) {
    inRun.Set();
    release.Wait();
  };
  ASSERT_TRUE(quick->Start(false));
  ASSERT_TRUE(inRun.Wait());
  HANDLE releaser = CreateThread(nullptr, 0, SetAfterAWhile, release.handle, 0, nullptr);
  EXPECT_EQ(DeleteAndReadExitCode(quick), 0u);
  WaitForSingleObject(releaser, INFINITE);
  CloseHandle(releaser);

  // One that does not is cut short once the grace is over.
  Event never, inRun2;
  auto* stuck = new EndedThread(100);
  stuck->onRun = [&](TestThread&) {
    inRun2.Set();
    never.Wait(INFINITE);
  };
  ASSERT_TRUE(stuck->Start(false));
  ASSERT_TRUE(inRun2.Wait());
  EXPECT_EQ(DeleteAndReadExitCode(stuck), SThread::kCutShortExitCode);
  EXPECT_EQ(TableRecords(), 1);
}
