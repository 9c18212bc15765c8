// PObjThread: the script class "Thread", script code on a worker thread of
// its own. The worker raises the run event, then waits in its message loop
// for values from the owner; values travel both ways as copies, each raising
// its event on the receiving side's thread.
//
// Every event of a Thread gets fresh argument objects (the worker must not
// share the owner thread's pools), and events are raised only while the
// engine runs.
#pragma once

#include <cstdint>

#include "engine/PObject.h"

class PObjThread : public PObject {
 public:
  enum Member : uint16_t {
    GET_DATA = 0,
    SEND_TO_OWNER = 1,  // (Integer number = 0, Value value = null)
    STOP = 2,
    START = 3,  // (Integer synchronous = false)
    SET_DATA = 4,
    SEND_TO_WORKER = 5,  // (Integer number = 0, Value value = null)
    ON_END = 6,          // event, worker thread
    ON_VALUE_FROM_WORKER = 7,  // event (Integer number, Value value), owner thread
    ON_RUN = 8,          // event, worker thread: non-zero ends the worker after it
    ON_VALUE_FROM_OWNER = 9,   // event (Integer number, Value value), worker thread
  };

  // The worker (over the framework's SThread); only in the Windows build.
  class _PThread;

  explicit PObjThread(PObjectDefinition* definition);
  ~PObjThread() override;

  static void Register(PObjectDefinition* definition);
  static bool Declare(PObjectDefinition* definition);
  static PObject* New(PObjectDefinition* definition);
  bool Release() override;
  bool Call(uint16_t member, PArgs* args, PResultCell* result, PObject* caller) override;

  _PThread* GetThread() const { return m_thread; }

 private:
  // The members of an object that has no worker: nothing starts, stops or
  // is sent.
  bool CallWithoutWorker(uint16_t member, PArgs* args, PResultCell* result, PObject* caller);

  _PThread* m_thread;
};
