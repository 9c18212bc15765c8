// PObject::RaiseEvent: the one road from framework callbacks into script
// handlers.
//
// Arguments reach the handler as objects of its parameter classes. Numbers
// and texts ride in Integer, Float, String and UniString temporaries that
// each part keeps in pools and refills per event, so a part raising the same
// event again and again allocates nothing after the first time. An event
// raised while another of the same part is still running (and every event of
// a Thread, whose worker must not touch the owner thread's pools) gets fresh
// temporaries, deleted when it returns, so the outer event's arguments keep
// their values.
#include <cstdlib>
#include <cstring>

#include "classes/PObjFloat.h"
#include "classes/PObjInt.h"
#include "classes/PObjString.h"
#include "classes/PObjUniString.h"
#include "engine/PEngine.h"
#include "engine/PObject.h"
#include "engine/PObjStruct.h"
#include "engine/PObjectDefinition.h"

// The value temporaries of one event.
class PObject::_PEventTemporaries {
 public:
  _PEventTemporaries(_PArgPools* pools, PEngine* engine)
      : m_pools(pools), m_engine(engine), m_made(0), m_ints(0), m_floats(0), m_strings(0),
        m_uniStrings(0) {}
  ~_PEventTemporaries() {
    for (int i = 0; i < m_made; i++) delete m_fresh[i];
  }

  PObjInt* Integer() { return Take(m_pools ? m_pools->ints : nullptr, m_ints, &PEngine::NewInteger); }
  PObjFloat* Float() { return Take(m_pools ? m_pools->floats : nullptr, m_floats, &PEngine::NewFloat); }
  PObjString* String() {
    return Take(m_pools ? m_pools->strings : nullptr, m_strings, &PEngine::NewString);
  }
  PObjUniString* UniString() {
    return Take(m_pools ? m_pools->uniStrings : nullptr, m_uniStrings, &PEngine::NewUniString);
  }

 private:
  // Entry k of the pool for the k-th argument of a class, made on first
  // use; without pools a fresh object. Null when none can be made.
  template <class T>
  T* Take(T** pool, int& k, T* (PEngine::*make)()) {
    if (!m_engine) return nullptr;
    if (!pool) {
      T* object = (m_engine->*make)();
      if (object) m_fresh[m_made++] = object;
      return object;
    }
    T*& entry = pool[k++];
    if (!entry) entry = (m_engine->*make)();
    return entry;
  }

  _PArgPools* m_pools;  // null: fresh mode
  PEngine* m_engine;
  PObject* m_fresh[kMaxEventArgs];
  int m_made;
  int m_ints, m_floats, m_strings, m_uniStrings;
};

bool PObject::RaiseEventArgs(PObject* part, int event, SValue* result, int count,
                             const PEventArg* args) {
  if (!part || !part->m_owner) return false;
  PObject* owner = part->m_owner;
  const PObjectDefinition* handlers = owner->m_definition;
  // An event past the map (a map a failed binding left short) has no handler.
  int handler = part->GetEventHandler(event);
  if (handler < 0) return false;
  if (count < 0) count = 0;
  if (count > kMaxEventArgs) count = kMaxEventArgs;

  bool fresh = part->m_depth > 0 || part->m_definition->GetTypeCode() == TYPE_THREAD;
  if (!fresh && !part->m_pools) {
    part->m_pools = new (std::nothrow) _PArgPools();
    if (!part->m_pools) fresh = true;
  }
  part->m_depth++;

  bool ok = true;
  {
    _PEventTemporaries temporaries(fresh ? nullptr : part->m_pools, handlers->GetEngine());
    PArgBlock<kMaxEventArgs> block;
    int params = handlers->GetParamCount(handler);
    for (int i = 0; ok && i < count; i++) {
      TypeCode type = i < params ? handlers->GetParamInfo(handler, i)->GetTypeCode() : TYPE_NONE;
      PObject* object = nullptr;
      switch (type) {
        case TYPE_INTEGER:
          if (PObjInt* t = temporaries.Integer()) {
            t->SetValue(args[i].AsInt64());
            object = t;
          } else {
            ok = false;
          }
          break;
        case TYPE_FLOAT:
          if (PObjFloat* t = temporaries.Float()) {
            t->SetValue(args[i].AsDouble());
            object = t;
          } else {
            ok = false;
          }
          break;
        case TYPE_STRING:
          if (PObjString* t = temporaries.String()) {
            t->SetText(args[i].AsText());
            object = t;
          } else {
            ok = false;
          }
          break;
        case TYPE_UNISTRING:
          if (PObjUniString* t = temporaries.UniString()) {
            t->SetText(args[i].AsUniText());
            object = t;
          } else {
            ok = false;
          }
          break;
        default: object = args[i].AsObject(); break;
      }
      block->Set(i, object);
    }
    block->count = count;

    if (ok) {
      // Numbers and objects come back in 8 bytes the cell points at, texts in
      // a buffer the handler stores in the cell.
      TypeCode returns = handlers->GetReturnInfo(handler)->GetTypeCode();
      bool isText = returns == TYPE_STRING || returns == TYPE_UNISTRING;
      bool isDouble = returns == TYPE_FLOAT;
      bool isEight = !isText && returns != TYPE_VOID;
      unsigned char storage[8] = {};
      PResultCell cell = isEight ? storage : nullptr;
      if (result && isDouble) result->SetDouble(0.0);
      if (result && isEight && !isDouble) result->SetInt64(0);

      ok = owner->Call(handlers->GetMemberId(handler), block.Get(), &cell, part);

      if (isEight && result) {
        if (isDouble) {
          double x;
          std::memcpy(&x, storage, 8);
          result->SetDouble(x);
        } else {
          int64_t n;
          std::memcpy(&n, storage, 8);
          result->SetInt64(n);
        }
      } else if (isText) {
        if (ok && result) {
          if (returns == TYPE_STRING)
            result->SetString(static_cast<const char*>(cell));
          else
            result->SetUniString(static_cast<const UniChar*>(cell));
        }
        std::free(cell);
      }
    }
  }

  part->m_depth--;
  // An owner released while its handler ran is only flagged, and no stack
  // machine of the program will destroy it: the raising part is one of its
  // members and is still in use here. Ending the program is the way out.
  if (owner->GetDefinition()->GetFactory() == &PObjStruct::New &&
      static_cast<PObjStruct*>(owner)->IsReleased())
    owner->GetEngine()->Exit();
  return ok;
}
