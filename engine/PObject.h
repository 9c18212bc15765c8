// PObject: the base of every script object.
//
// A script object is a chain of parts, one PObject-derived part per level of
// its class hierarchy, linked from the base class to the most-derived class;
// the object a script holds is the part of the class it instantiated. Every
// part knows its class definition, its owner (the object whose message
// handlers receive its events) and the event map that names those handlers.
//
// Member calls: every class's Call receives an argument block and a result
// slot.
//   Argument block (PArgs): a signed 64-bit count, then one 8-byte slot per
//   argument holding an object pointer (zero above it). Numbers and texts
//   arrive as Integer, Float, String or UniString objects of the declared
//   parameter class; object parameters as the pointer, possibly null. A null
//   block means no arguments.
//   Result slot (PResultCell*): the address of a cell. For a Boolean,
//   integer, double or object result the caller points the cell at 8 bytes
//   that the callee fills; for a String or UniString result the cell is null
//   and the callee stores a new malloc'd NUL-terminated buffer in it, which
//   the caller takes over. A member that fails or returns nothing leaves the
//   cell alone.
//
// Events travel the other way, from a part to its owner, through
// RaiseEvent; the value temporaries it passes are pooled per part, so that
// frequent events (mouse moves, timers, paints) allocate nothing.
#pragma once

#include <concepts>
#include <cstdint>
#include <new>

#include "core/SArray.h"
#include "core/SString.h"
#include "core/SValue.h"
#include "engine/PTypeCode.h"

class PEngine;
class PObjectDefinition;
class PObjInt;
class PObjFloat;
class PObjString;
class PObjUniString;
class PObject;
class SWnd;

// ---- Argument blocks and result cells ------------------------------------------------------

union PArgSlot {
  PObject* object;
  uint64_t bits;  // the whole slot: the pointer, zero above it
};
static_assert(sizeof(PArgSlot) == 8, "argument slots are 8 bytes");

struct PArgs {
  int64_t count;
  PArgSlot slots[];  // count of them

  void Set(int i, PObject* object) {
    slots[i].bits = 0;
    slots[i].object = object;
  }
};

// An argument block with room for N arguments, on the caller's stack.
template <int N>
class PArgBlock {
 public:
  PArgBlock() : m_args(new (m_storage) PArgs) { m_args->count = 0; }
  PArgBlock(const PArgBlock&) = delete;
  PArgBlock& operator=(const PArgBlock&) = delete;
  PArgs* Get() { return m_args; }
  PArgs* operator->() { return m_args; }

 private:
  alignas(PArgs) unsigned char m_storage[sizeof(PArgs) + N * sizeof(PArgSlot)];
  PArgs* m_args;
};

typedef void* PResultCell;

// ---- Event arguments ------------------------------------------------------------------------

// One argument of RaiseEvent as the raising class has it: a number, a text or
// an object. The handler's declared parameter class decides what it becomes.
class PEventArg {
 public:
  enum Kind { NONE, INT64, DOUBLE, TEXT, UNITEXT, OBJECT };

  PEventArg() : m_kind(NONE), m_int(0) {}
  template <std::integral T>
  PEventArg(T n) : m_kind(INT64), m_int(int64_t(n)) {}
  template <std::floating_point T>
  PEventArg(T x) : m_kind(DOUBLE), m_double(double(x)) {}
  PEventArg(const char* text) : m_kind(TEXT), m_text(text) {}
  PEventArg(const UniChar* text) : m_kind(UNITEXT), m_uniText(text) {}
  PEventArg(PObject* object) : m_kind(OBJECT), m_object(object) {}
  PEventArg(std::nullptr_t) : m_kind(OBJECT), m_object(nullptr) {}

  Kind GetKind() const { return m_kind; }
  // Numbers convert into each other; anything else reads as 0, "" or null.
  int64_t AsInt64() const;
  double AsDouble() const;
  const char* AsText() const { return m_kind == TEXT && m_text ? m_text : ""; }
  const UniChar* AsUniText() const { return m_kind == UNITEXT && m_uniText ? m_uniText : u""; }
  PObject* AsObject() const { return m_kind == OBJECT ? m_object : nullptr; }

 private:
  Kind m_kind;
  union {
    int64_t m_int;
    double m_double;
    const char* m_text;
    const UniChar* m_uniText;
    PObject* m_object;
  };
};

// ---- The part ------------------------------------------------------------------------------

class PObject {
 public:
  static const int kMaxEventArgs = 8;

  explicit PObject(PObjectDefinition* definition);
  virtual ~PObject();
  PObject(const PObject&) = delete;
  PObject& operator=(const PObject&) = delete;

  // ---- The four operations of every class ---------------------------------------------

  // Frees the part's native resource before the object is deleted; true
  // allows the deletion.
  virtual bool Release();
  // Runs member number member of this part's class. caller is the raising
  // part when the call delivers an event, else null. A number the class does
  // not know ends here: nothing happens and the call succeeds.
  virtual bool Call(uint16_t member, PArgs* args, PResultCell* result, PObject* caller);
  // Makes a control object use an existing window without owning it; other
  // classes ignore it.
  virtual void AttachWindow(SWnd* window);

  // The constructor, destructor and idle member of the part's class: the
  // part's Call with that member, no arguments, no result; true when the
  // class has none.
  bool CallConstructor();
  bool CallDestructor();
  bool CallIdle();

  // ---- Chain of parts ---------------------------------------------------------------

  PObjectDefinition* GetDefinition() const { return m_definition; }
  PEngine* GetEngine() const;
  PObject* GetBase() const { return m_base; }
  PObject* GetDerived() const { return m_derived; }
  // The ends of the chain: Find gives null at the end itself, Get the part.
  PObject* FindRootPart() const;
  PObject* GetRootPart();
  PObject* FindLeafPart() const;
  PObject* GetLeafPart();
  // The nearest part of that class toward the root, or toward the leaf.
  PObject* FindBasePart(const PObjectDefinition* definition) const;
  PObject* FindDerivedPart(const PObjectDefinition* definition) const;
  // The part of the object that belongs to that class (the part itself for
  // Pointer and its own class); null when the object has none.
  PObject* CastToClass(const PObjectDefinition* definition);
  // For a control class, its Control part.
  PObject* GetControlPart() const { return m_base; }

  // Links a new part under its base part.
  static void LinkParts(PObject* base, PObject* derived);
  // Releases the part and deletes it with its base parts, derived first;
  // false (nothing deleted) when Release refuses or part is null.
  static bool DeleteObject(PObject* part);

  // ---- Flags and text -------------------------------------------------------------------

  // Set at construction; the script's new operation clears it.
  bool IsEngineMade() const { return m_engineMade != 0; }
  void SetEngineMade(bool made) { m_engineMade = made ? 1 : 0; }
  // Objects made while the program runs.
  bool IsDynamic() const { return m_dynamic != 0; }
  void SetDynamic() { m_dynamic = 1; }
  const char* GetObjectText() const { return m_objectText.GetText(); }
  void SetObjectText(const char* text) { m_objectText = text; }

  // ---- Owners and events -----------------------------------------------------------------

  PObject* GetOwner() const { return m_owner; }
  // all: also every base and derived part.
  void SetOwner(PObject* owner, bool all);
  // Called on the owner: owns every part of object and builds each part's
  // event map (the part, its bases toward the root, its derived parts toward
  // the leaf); false at the first map that does not build.
  bool BindOwner(PObject* object);
  // Called on the owner: maps every event of the part's class to the owner
  // class's handler "Class._event", -1 where there is none; false when a
  // handler of that name does not match its event's signature (the map then
  // stops there).
  bool BuildEventMap(PObject* part);
  void ClearEventMap() { m_eventMap.RemoveAll(); }
  void AddEventMapEntry(int32_t handler) { m_eventMap.Add(handler); }
  int GetEventMapCount() const { return m_eventMap.GetCount(); }
  int GetEventHandler(int member) const;
  // RaiseEvent calls of this part in progress.
  int GetEventDepth() const { return m_depth; }

  // Raises event member event of the part's class to the owner's handler,
  // with numbers, texts and objects as arguments (at most kMaxEventArgs).
  // result, when given, receives the handler's result. False when the part
  // has no owner, the owner no handler for the event, or the handler failed.
  template <class... A>
  static bool RaiseEvent(PObject* part, int event, SValue* result, A... args) {
    static_assert(sizeof...(A) <= kMaxEventArgs, "an event has at most 8 arguments");
    const PEventArg list[sizeof...(A) + 1] = {PEventArg(args)..., PEventArg()};
    return RaiseEventArgs(part, event, result, int(sizeof...(A)), list);
  }
  static bool RaiseEventArgs(PObject* part, int event, SValue* result, int count,
                             const PEventArg* args);

  // ---- Registration pieces of every class ------------------------------------------------

  // The last step of every Register: the constant "ID" holding the TypeCode
  // in front of the class's constants (not for Global).
  static void Register(PObjectDefinition* definition);
  // The first step of every Declare; it declares nothing.
  static bool Declare(PObjectDefinition* definition);

  // ---- Argument block and result cell (PObjectArgs.cpp) -----------------------------------
  //
  // i counts from 0. The value readers take the object the conversion of the
  // call put there; a missing slot or object reads as 0, 0.0 or "".

  static int GetArgCount(const PArgs* args) { return args ? int32_t(args->count) : 0; }
  static PObject* GetArgObject(const PArgs* args, int i);
  static int64_t GetArgInt64(const PArgs* args, int i);
  static bool GetArgBool(const PArgs* args, int i) { return GetArgInt64(args, i) != 0; }
  // A position, count or size: the 64-bit value held at the nearest 32-bit
  // limit, so that a huge value stays outside every text and stream rather
  // than wrapping into it.
  static int32_t GetArgInt32(const PArgs* args, int i);
  static double GetArgDouble(const PArgs* args, int i);
  static const char* GetArgString(const PArgs* args, int i);
  static const UniChar* GetArgUniString(const PArgs* args, int i);
  static char GetArgChar(const PArgs* args, int i) { return GetArgString(args, i)[0]; }
  static UniChar GetArgUniChar(const PArgs* args, int i) { return GetArgUniString(args, i)[0]; }
  // Hands a number back through argument i, in that object's own class
  // (Integer, Float, String and UniString as decimal text, Value as an
  // integer); other classes and null are left alone.
  static void SetArgInt64(PArgs* args, int i, int64_t value);
  // A File argument that members must not use: null, not a File, without a
  // current stream, or with that stream closed. Defined with the File class
  // (classes/PObjFile.cpp), which owns the streams it looks at.
  static bool IsFileArgInvalid(const PObject* file);

  // Each stores its result and answers true.
  static bool ReturnBool(PResultCell* result, bool flag) { return ReturnInt64(result, flag ? 1 : 0); }
  static bool ReturnInt64(PResultCell* result, int64_t value);
  static bool ReturnDouble(PResultCell* result, double value);
  static bool ReturnString(PResultCell* result, const char* text);
  static bool ReturnUniString(PResultCell* result, const UniChar* text);
  static bool ReturnChar(PResultCell* result, char c);
  static bool ReturnUniChar(PResultCell* result, UniChar c);
  static bool ReturnObject(PResultCell* result, PObject* object);

 private:
  // The argument temporaries RaiseEvent reuses; entry k serves the k-th
  // argument of its class in an event. Made on the first event raised.
  struct _PArgPools {
    PObjInt* ints[kMaxEventArgs];
    PObjFloat* floats[kMaxEventArgs];
    PObjString* strings[kMaxEventArgs];
    PObjUniString* uniStrings[kMaxEventArgs];
  };
  class _PEventTemporaries;

  PObjectDefinition* m_definition;
  uint8_t m_engineMade;
  uint8_t m_dynamic;
  SString m_objectText;
  PObject* m_owner;
  SArray<int32_t> m_eventMap;
  int32_t m_depth;
  _PArgPools* m_pools;
  PObject* m_base;
  PObject* m_derived;
};
