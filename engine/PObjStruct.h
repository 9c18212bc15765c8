// PObjStruct: one part of an object of a class the program declares.
//
// A user object is a chain of these parts, one per level of its class
// hierarchy (a user class only derives from another user class). Each part
// holds the reference cells of its class's member variables and one loaded
// function per member; the member bodies run on the stack machine
// (PObjStructFunction.h).
//
// Life of an object: created (parts linked by the definition), prepared
// (cells, functions, auto-created member objects), constructed (the
// constructor members "_00000000", base first), used, then released: the
// destructor members "_00000001" run most-derived first, the parts are
// unprepared and deleted. A release while one of the object's members runs
// ("delete this") only flags the object; it is destroyed when the call that
// returns to a stack machine leaves no member of it running.
#pragma once

#include <cstdint>
#include <memory>

#include "core/SArray.h"
#include "engine/PObject.h"

class PObjectInfo;
class PObjectRef;

class PObjStruct : public PObject {
 public:
  class _PFunction;  // a loaded member function (PObjStructFunction.h)
  struct _PCode;     // one stack-machine instruction

  explicit PObjStruct(PObjectDefinition* definition);
  ~PObjStruct() override;

  // ---- Registration (for each user class, by the build) -----------------------------

  static void Register(PObjectDefinition* definition);
  // The members come from the program; nothing is declared here.
  static bool Declare(PObjectDefinition* definition);
  static PObject* New(PObjectDefinition* definition);

  // ---- Objects ----------------------------------------------------------------------

  // A new object as the script's "new" makes it (not engine-made, made at
  // run time, prepared and constructed for a user class); null on failure,
  // with whatever was made released again.
  static PObject* NewObject(PObjectDefinition* definition);
  // Prepares every part from the base down, then runs each part's
  // constructor, base first.
  static bool InitObject(PObject* object);
  // From part toward the base: destructor, then unprepare.
  static bool UninitObject(PObject* part);
  bool PreparePart();
  bool UnpreparePart();
  // The part's Release, then the part and its bases, derived first.
  static bool DeleteObject(PObject* part);
  // Without force, a user object with a running member is only flagged.
  static bool ReleaseObject(PObject* object, bool forced);
  // Destroys a flagged user object once none of its members runs; true for
  // every other object.
  static bool DeleteIfReleased(PObject* object);

  // ---- Cells ------------------------------------------------------------------------

  // A new empty cell of the declaration held by holder; null for null.
  static PObjectRef* MakeRef(PObject* holder, PObjectInfo* declaration);
  // The cell of the declaration: the running function's parameters and
  // locals, then this part's member cells, then the base parts'.
  PObjectRef* FindRef(const PObjectInfo* declaration, const _PFunction* function = nullptr) const;

  // ---- Calls ------------------------------------------------------------------------

  bool Call(uint16_t member, PArgs* args, PResultCell* result, PObject* caller) override;
  // Whether Call would run a function for the member now (rather than
  // answer at once without running anything).
  inline bool WouldRun(uint16_t member) const;
  // The same but for the engine's consent, which the caller asks itself.
  inline bool HasRunnable(uint16_t member) const;
  // The function that runs the member now: its own, or a spare copy while
  // that one runs; the call is counted (nesting bound, the object's call
  // depth) until LeaveMember. Null past the bound or without memory.
  // Call uses these, and so does the stack machine for the calls it runs
  // in its own loop (PObjStructFunction.h defines them).
  inline _PFunction* EnterMember(uint16_t member);
  inline void LeaveMember(uint16_t member, _PFunction* function);

  // The call depth and released flag live on the most-base part.
  void EnterCall() { Root()->m_callDepth++; }
  void LeaveCall() { Root()->m_callDepth--; }
  int32_t GetDepth() const { return Root()->m_callDepth; }
  void FlagReleased() { Root()->m_released = 1; }
  bool IsReleased() const { return Root()->m_released != 0; }

 private:
  // Member calls nested on one thread. Each takes a little of the machine
  // stack; past this many, a script that recurses without end fails cleanly
  // (and with it the program) instead of overflowing the stack.
  static constexpr int kMaxCallNesting = 2000;
  static inline thread_local int t_callNesting = 0;

  // Walked here rather than through PObject, since every call and return
  // asks: most objects are a single part.
  PObjStruct* Root() const {
    const PObject* part = this;
    while (part->GetBase()) part = part->GetBase();
    return static_cast<PObjStruct*>(const_cast<PObject*>(part));
  }

  // One cell per member variable of this class, made together: an object
  // made and deleted in a loop then costs one allocation for all of them.
  std::unique_ptr<PObjectRef[]> m_refs;
  int m_refCount;
  SArray<_PFunction*> m_functions;     // one per member, by member index
  uint8_t m_released;
  int32_t m_callDepth;
};

