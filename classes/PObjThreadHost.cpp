// The Thread class in the host build, which only builds programs to check
// them and never runs them: there is no worker, and the members start,
// stop and send nothing.
#include "classes/PObjThread.h"

class PObjThread::_PThread {};

PObjThread::PObjThread(PObjectDefinition* definition) : PObject(definition), m_thread(nullptr) {}

PObjThread::~PObjThread() = default;

bool PObjThread::Release() { return true; }

bool PObjThread::Call(uint16_t member, PArgs* args, PResultCell* result, PObject* caller) {
  return CallWithoutWorker(member, args, result, caller);
}
