// The Thread worker in the Windows build.
#include <atomic>
#include <new>

#include "classes/PObjThread.h"
#include "classes/PObjValue.h"
#include "engine/PEngine.h"
#include "window/SThread.h"

namespace {

// How long the release of a Thread object waits for a worker still inside
// its run handler before cutting it short.
const DWORD kReleaseGraceMs = 3000;

}  // namespace

class PObjThread::_PThread : public SThread {
 public:
  explicit _PThread(PObjThread* object) : m_object(object), m_quiet(false) {}
  // A released object raises no more events: a worker waiting in its loop
  // ends through it without its end event.
  ~_PThread() override {
    m_quiet.store(true);
    EndWorker(kReleaseGraceMs);
  }

  bool OnRun() override {
    if (!MayRaise()) return false;
    SValue result;
    bool ran = RaiseEvent(m_object, ON_RUN, &result);
    return !(ran && result.ToInt64() != 0);
  }
  void OnValueFromWorker(int wparam, SValue* value) override {
    RaiseValue(ON_VALUE_FROM_WORKER, wparam, value);
  }
  void OnValueFromOwner(int wparam, SValue* value) override {
    RaiseValue(ON_VALUE_FROM_OWNER, wparam, value);
  }
  void OnEnd() override {
    if (MayRaise()) RaiseEvent(m_object, ON_END, nullptr);
  }

 private:
  bool MayRaise() const {
    PEngine* engine = m_object->GetEngine();
    return !m_quiet.load() && engine && engine->IsRunning();
  }
  // The handler gets a Value of its own, holding the slot's kind and
  // payload; the number arrives as its unsigned 32 bits.
  void RaiseValue(Member event, int wparam, SValue* value) {
    if (!MayRaise()) return;
    PObjValue* copy = m_object->GetEngine()->NewValue();
    if (!copy) return;
    copy->GetValue().AssignValue(*value);
    RaiseEvent(m_object, event, nullptr, int64_t(uint32_t(wparam)), static_cast<PObject*>(copy));
    PObject::DeleteObject(copy);
  }

  PObjThread* m_object;
  std::atomic<bool> m_quiet;
};

PObjThread::PObjThread(PObjectDefinition* definition)
    : PObject(definition), m_thread(new (std::nothrow) _PThread(this)) {}

PObjThread::~PObjThread() { delete m_thread; }

bool PObjThread::Release() {
  delete m_thread;
  m_thread = nullptr;
  return true;
}

bool PObjThread::Call(uint16_t member, PArgs* args, PResultCell* result, PObject* caller) {
  _PThread* thread = m_thread;
  if (!thread) return CallWithoutWorker(member, args, result, caller);
  switch (member) {
    case GET_DATA: return ReturnString(result, thread->GetData().GetText());
    case SET_DATA: thread->SetData(GetArgString(args, 0)); return true;
    case START: return ReturnBool(result, thread->Start(GetArgBool(args, 0)));
    case STOP: return ReturnBool(result, thread->Stop());
    case SEND_TO_OWNER:
    case SEND_TO_WORKER: {
      // The number keeps its low 32 bits; without a Value the Integer 0 goes.
      int number = int(uint32_t(uint64_t(GetArgInt64(args, 0))));
      PObject* value = GetArgObject(args, 1);
      const SValue* sent = value ? &static_cast<PObjValue*>(value)->GetValue() : nullptr;
      if (member == SEND_TO_OWNER)
        sent ? thread->PostToOwner(sent, number) : thread->PostIntToOwner(number, 0);
      else
        sent ? thread->PostToWorker(sent, number) : thread->PostIntToWorker(number, 0);
      return true;
    }
    default: return PObject::Call(member, args, result, caller);
  }
}
