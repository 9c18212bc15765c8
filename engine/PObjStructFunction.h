// The stack machine: one member function of a user object, loaded from its
// compiled code and run.
//
// Loading copies every compiled statement into a block of instructions and
// resolves each use of the object's own variables, parameters and locals to
// its reference cell once, so that running looks nothing up by name. The
// operand stack, the argument block and the temporaries that carry numbers
// and texts into calls are all made at load time, from the compiler's
// estimates, and so are the objects of its Integer and Float locals and
// parameters: a running member allocates only for texts, objects and its
// other auto-created locals. Where a variable's object can never change
// while the function is loaded, instructions hold the object itself.
//
// Loading also folds: whole statements of the forms loops spend their time
// in (PObjStructFuse.cpp), literal right operands into their operators, and
// the push of an assignment's own target; where every operand of a fused
// statement is a fixed number object, the statement takes a form that
// reads those objects directly, one per comparison and assignment. Every
// statement gets a closing instruction, and each instruction is dispatched
// straight to its handler.
// The element members of an IntegerArray, which scripts call in their
// innermost loops, run inside the instruction loop instead of through a
// general call; so does a call to a plain function of a user object, whose
// blocks the loop then runs itself (EnterDirect), without a frame of the
// machine stack.
//
// Values on the operand stack are SValues: numbers and texts as such,
// objects and reference cells as the pointer in a 64-bit integer (null 0).
// A number looks exactly like a pointer there, so each slot's flag word
// says which it is (SlotKind), and only a slot marked as an object is ever
// used as one.
// Each statement starts on an empty stack; its closing instruction chooses
// the next statement.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "core/SValue.h"
#include "engine/PEngine.h"
#include "engine/PObjStruct.h"
#include "engine/PObjectDefinition.h"
#include "engine/PTypeCode.h"
#include "engine/compiler/Opcode.h"

class PEngine;
class PObjectDefinition;
class PObjectInfo;
class PObjectRef;
class PObjFloat;
class PObjInt;
class PObjString;
class PObjUniString;

// One instruction, copied from a compiled node.
struct PObjStruct::_PCode {
  const void* handler;  // where the machine runs this opcode (RunBlocks)
  int32_t opcode;
  int32_t jump1;  // statement index, or for and/or the node to continue at
  int32_t jump2;
  const SValue* constant;             // 1: owned by the compiled code
  PObjectDefinition* classDef;        // 10, 57
  PObjectInfo* declaration;           // 4, 5, 12, 14, 16, 18: looked up while running
  PObjectRef* cell;                   // 2, 3, 11, 13, 15, 17, 19: resolved at load
  PObjectDefinition* declaringClass;  // 20: the class whose member runs, or null
  int32_t memberKind;
  int32_t memberIndex;
  uint16_t memberId;
  int32_t paramCount;
  TypeCode resultType;
  bool isVirtual;
  // Fused instructions only (PObjStructFuse.cpp): the second operand's
  // cell, the operator and the statement's closing instruction.
  PObjectRef* cell2;
  int32_t fusedOp;
  int32_t closing;
  // The end of a counting "for" only: its counter and step, copied from the
  // step statement, so that a turn of the loop reads no other instruction.
  PObjectRef* counter;
  int64_t stepBy;
  int32_t testBlock;
  // The objects of cell, cell2 and counter where they can never change
  // while the function is loaded (FixedObject), else null: the machine
  // then reads the number without asking the cell.
  PObject* box;
  PObject* box2;
  PObject* counterBox;
  // Where control goes, resolved once every block is loaded: the first
  // instructions of the blocks jump1 and jump2 name (of the node jump1
  // names, for "and"/"or"; null when it lies outside the statement), and of
  // the block after this instruction's own. A block number past the last
  // one leads to the end of the function.
  const PObjStruct::_PCode* target1;
  const PObjStruct::_PCode* target2;
  const PObjStruct::_PCode* following;
  int32_t blockIndex;  // the block this instruction belongs to
  // A call (opcode 20) only: the classes of the parameters of the member it
  // called last, and that member, so that the next call to the same one
  // reads no declarations. Filled while running.
  static constexpr int kCachedParams = 4;
  mutable const PObjectDefinition* calledClass;
  mutable int32_t calledMember;
  mutable TypeCode paramTypes[kCachedParams];
  // That member is a plain function of a user class whose result is a
  // number or none: the machine can run the next call to it in its own
  // loop (EnterDirect).
  mutable bool callsDirect;
};

// Whole statements on Integer variables that loading fuses into one
// instruction in front of the statement's own: the fused one does the whole
// statement, or, when an operand is not an Integer object after all, falls
// through to the instructions it stands for.
enum FusedOpcode : int32_t {
  FUSED_COMPARE_BRANCH = OP_LAST + 1,  // a < b (or another comparison), then if/while/for
  FUSED_INT_ASSIGN = OP_LAST + 2,      // a = b, a += b, a -= b, a *= b
  FUSED_INT_STEP = OP_LAST + 3,        // a++, a--
  // The end of a counting "for": its step and its test, both fused, run
  // from the end itself, which then continues where the test chooses.
  FUSED_FOR_NEXT = OP_LAST + 4,
  FUSED_STRING_APPEND = OP_LAST + 5,  // s += "literal"
  // A statement that assigns to an own variable ("a = ...", "a += ..."):
  // the assignment takes its target from the cell, which is not pushed.
  FUSED_STORE = OP_LAST + 6,
  // OP_INTEGER_VALUE and OP_FLOAT_VALUE of a variable whose object is
  // fixed: the value is read from the instruction's box.
  FUSED_FIXED_INTEGER = OP_LAST + 8,
  FUSED_FIXED_FLOAT = OP_LAST + 9,
  // Closes a statement that does not close itself: the next block runs.
  FUSED_BLOCK_END = OP_LAST + 7,
  // After the last block: the function's end.
  FUSED_FUNCTION_END = OP_LAST + 10,
  // An IntegerArray variable's element at an Integer variable or literal
  // ("a.IntegerArray.5(i)"): the pushes and the call in one. The
  // instruction keeps the call's own fields, so that any other object the
  // variable holds takes the call as written.
  FUSED_ELEMENT_READ = OP_LAST + 11,
  // A binary operator (OP_ADD to OP_SHIFT_RIGHT) whose right operand is a
  // literal, held by the instruction: this plus the operator's distance
  // from OP_ADD.
  FUSED_CONSTANT_OPERAND = OP_LAST + 12,
};
constexpr int32_t kConstantOperandEnd = FUSED_CONSTANT_OPERAND + (OP_SHIFT_RIGHT - OP_ADD) + 1;

// What loading makes of fused instructions whose Integer and Float operands
// all have fixed objects (the instruction's boxes): the machine reads and
// writes those objects without asking the cells or testing their classes,
// and each comparison and assignment has an instruction of its own.
constexpr int32_t kComparisons = OP_LESS_EQUAL - OP_EQUAL + 1;
constexpr int32_t kFixedAssignments = 4;  // =, +=, -=, *=: FixedAssignment
enum FixedOpcode : int32_t {
  // These plus the comparison's distance from OP_EQUAL.
  FIXED_COMPARE_BRANCH = kConstantOperandEnd,
  FIXED_FOR_NEXT = FIXED_COMPARE_BRANCH + kComparisons,
  // These plus the assignment's FixedAssignment. The stores are those
  // that end their statements, which they close.
  FIXED_INT_ASSIGN = FIXED_FOR_NEXT + kComparisons,
  FIXED_STORE_INTEGER = FIXED_INT_ASSIGN + kFixedAssignments,
  FIXED_STORE_FLOAT = FIXED_STORE_INTEGER + kFixedAssignments,
  FIXED_INT_STEP = FIXED_STORE_FLOAT + kFixedAssignments,
  // A fixed Integer or Float variable's value and an arithmetic operator
  // (OP_ADD to OP_DIVIDE) on a literal right operand, "x * 0.5", in one:
  // these plus the operator's distance from OP_ADD.
  FIXED_INTEGER_CONSTANT,
  FIXED_FLOAT_CONSTANT = FIXED_INTEGER_CONSTANT + (OP_DIVIDE - OP_ADD) + 1,
};
// Opcodes 0 to this, less one, are the machine's; loading turns any other
// number into OP_NONE.
constexpr int32_t kOpcodeCount = FIXED_FLOAT_CONSTANT + (OP_DIVIDE - OP_ADD) + 1;

// Puts the fused instruction in front of the statement that begins at
// start when the statement has one of the fused forms.
void FuseStatement(std::vector<PObjStruct::_PCode>& code, size_t start);
// Turns a statement that begins by pushing an own variable and ends by a
// value assignment to it into a store that reads the variable's cell.
void FoldStore(std::vector<PObjStruct::_PCode>& code, size_t start);
// Folds each literal right operand of a binary operator in the statement
// that begins at start into the operator's instruction.
void FoldConstantOperands(std::vector<PObjStruct::_PCode>& code, size_t start);
// Folds each element read of the statement that begins at start into one
// FUSED_ELEMENT_READ.
void FuseElementReads(std::vector<PObjStruct::_PCode>& code, size_t start);
// Folds each read of a fixed number variable followed by an arithmetic
// operator on a literal into one FIXED_INTEGER_CONSTANT or
// FIXED_FLOAT_CONSTANT.
void FoldFixedOperands(std::vector<PObjStruct::_PCode>& code, size_t start);
// Makes the statement that begins at start ready to run without its
// length: a statement without a closing instruction gets FUSED_BLOCK_END,
// an "and"/"or" that would leave the statement fails instead, and each
// "delete" knows whether what it deletes may be deleted at all.
void CloseStatement(std::vector<PObjStruct::_PCode>& code, size_t start);
// Once every statement is loaded: fuses the end of each counting "for" whose
// step and test are fused; block starts move with the inserted instructions.
void FuseLoopEnds(std::vector<PObjStruct::_PCode>& code, std::vector<int32_t>& blockStart);
// Once every instruction knows its boxes: turns each instruction that has
// a fixed form (FUSED_FIXED_INTEGER, FUSED_FIXED_FLOAT, FixedOpcode) and
// all of whose operands are fixed into that form.
void MakeFixed(std::vector<PObjStruct::_PCode>& code, const PObjectDefinition* integerClass);

class PObjStruct::_PFunction {
 public:
  explicit _PFunction(PObjStruct* owner);
  ~_PFunction();
  _PFunction(const _PFunction&) = delete;
  _PFunction& operator=(const _PFunction&) = delete;

  // Remembers the member; its code is materialised on the first run, so
  // that making an object costs nothing for members it never calls.
  bool Load(PObjectDefinition* definition, int member);
  // Frees everything the load made, spare copies included.
  bool Unload();
  bool Run(PArgs* args, PResultCell* result, PObject* caller);
  bool IsBusy() const { return m_busy; }

  // The cell of a parameter or local of this member, or null.
  PObjectRef* FindCell(const PObjectInfo* declaration) const;
  // A loaded copy for a recursive call, reused from call to call; null when
  // it cannot be made.
  _PFunction* TakeSpare() {
    _PFunction* copy = m_freeSpare;
    if (!copy) return MakeSpare();
    m_freeSpare = copy->m_nextFree;
    return copy;
  }
  void GiveBackSpare(_PFunction* copy) {
    if (!copy) return;
    copy->m_nextFree = m_freeSpare;
    m_freeSpare = copy;
  }

 private:
  _PFunction* MakeSpare();
  bool Materialise() { return m_loaded || MaterialiseCode(); }
  bool MaterialiseCode();
  bool LoadCode();
  // The object of a cell that refers to one object for as long as the
  // function is loaded (an Integer or Float local, or a boxed parameter),
  // else null.
  PObject* FixedObject(const PObjectRef* cell) const;
  // A parameter's value taken from the caller's object as a run starts, and
  // given back as it ends, so that a handler that changes it changes the
  // caller's variable.
  void TakeArgument(int index, PObject* argument);
  void GiveBackArgument(int index, PObject* argument) const;
  // A run's start (busy, its locals made, where its result goes; false when
  // a local cannot be made) and its end (the locals released, no longer
  // busy; false when one cannot be released), whichever way it was called.
  bool BeginRun(PResultCell* result, PObject* caller) {
    m_busy = true;
    m_caller = caller;
    m_result = result;
    m_block = 0;
    m_lastBlock = -1;
    return !m_hasLocals || CreateLocals();
  }
  bool EndRun() {
    const bool ok = !m_hasLocals || ReleaseLocals();
    m_busy = false;
    return ok;
  }
  bool RunBody(PResultCell* result, PObject* caller);
  // Whether the cell is one of this function's locals made per run.
  bool IsMadePerRun(const PObjectRef* cell) const;
  bool CreateLocals();
  bool ReleaseLocals();

  // PObjStructExecute.cpp: the blocks one after another from the first,
  // with each block's instructions, and the block instructions. Every frame
  // of RunBlocks and CallMember is on the machine stack once per nested
  // call: the helpers that need texts are kept out of them (noinline), so
  // that the nesting bound stays far from the stack's end.
  bool RunBlocks(PEngine* engine);
  // The machine's handler of every opcode, by number, for loading to store
  // in each instruction.
  static const void* const* Handlers();
  [[gnu::noinline]] bool Switch(const _PCode& code);
  [[gnu::noinline]] bool ElseIf(const _PCode& code);
  [[gnu::noinline]] bool Return();
  [[gnu::noinline]] bool AssignValue(int32_t opcode, bool keep);
  [[gnu::noinline]] bool AssignTo(PObject* target, int32_t opcode, const SValue& source, SValue& out,
                                  bool keep);
  [[gnu::noinline]] bool Step(int32_t opcode);
  [[gnu::noinline]] bool PushCellValue(const PObjectRef* cell, int32_t opcode);
  [[gnu::noinline]] bool PushMemberValue(const _PCode& code);
  [[gnu::noinline]] bool PushMemberCell(const _PCode& code, bool cellItself);
  // PObjStructCall.cpp: opcode 20.
  bool CallMember(const _PCode& code);
  // A call that the machine runs in its own loop, without a frame of the
  // machine stack: the callee's blocks run next, and its end returns to the
  // instruction after the call. Both are inlined into the loop, where a
  // recursion spends most of its time (EnterDirect in
  // PObjStructExecute.cpp, LeaveDirect at the end of this file). Enter
  // answers the callee, made ready to run, or null with outcome
  // 0 for a call it does not take (nothing touched), 1 for one answered at
  // once (its result pushed), -1 for a failure.
  _PFunction* EnterDirect(const _PCode& code, const PEngine* engine, int& outcome);
  // Ends such a run; false when its locals could not be released or its
  // released object not destroyed. The function may be gone afterwards.
  inline bool LeaveDirect();
  bool CallIntegerArray(const _PCode& code);
  [[gnu::noinline]] bool FillArguments(const _PCode& code, PObjectDefinition* definition, int member,
                                       int first);

  // The operand stack. A pushed slot starts as a plain value; whatever
  // writes a number or a text into a slot in place marks it a value again.
  enum SlotKind : int { SLOT_VALUE = 0, SLOT_OBJECT = 1, SLOT_CELL = 2 };
  bool Push() {
    if (m_top >= m_stackSize) return false;
    m_stack[m_top++].SetFlag(SLOT_VALUE);
    return true;
  }
  SValue& Top() { return m_stack[m_top - 1]; }
  SValue& Below() { return m_stack[m_top - 2]; }
  static void SetObject(SValue& slot, PObject* object) {
    slot.SetInt64(int64_t(reinterpret_cast<intptr_t>(object)));
    slot.SetFlag(SLOT_OBJECT);
  }
  // The object of a slot; null for a null object and for a slot that holds
  // no object at all.
  static PObject* AsObject(const SValue& value) {
    if (value.GetFlag() != SLOT_OBJECT || !value.IsInt64()) return nullptr;
    return reinterpret_cast<PObject*>(intptr_t(value.GetInt64Value()));
  }
  // Where an object or none is taken (assignment, argument, result): the
  // object, or null for a null object or a plain 0 ("null" is the number
  // 0); false for any other number or a text, which is no object.
  static bool TakeObject(const SValue& value, PObject*& object) {
    object = AsObject(value);
    return object || (value.IsInt64() && value.GetInt64Value() == 0);
  }
  static PObjectRef* AsCell(const SValue& value) {
    if (value.GetFlag() != SLOT_CELL || !value.IsInt64()) return nullptr;
    return reinterpret_cast<PObjectRef*>(intptr_t(value.GetInt64Value()));
  }

  // What the start and the end of a run touch, kept together: a recursion
  // runs through many copies of a function, each in memory of its own, and
  // entering one should cost few cache lines.
  bool m_busy;
  bool m_loaded;
  bool m_numbersOnly;  // every parameter is boxed (below)
  bool m_hasLocals;    // a run has locals to start (below)
  int m_paramCount;
  std::unique_ptr<SValue[]> m_stack;
  int32_t m_stackSize;
  int32_t m_top;
  const _PCode* m_firstCode;  // the first block's first instruction
  // The copies not running, a list through each copy's m_nextFree.
  _PFunction* m_freeSpare;
  _PFunction* m_nextFree;
  // Integer and Float parameters hold a number object of their own while
  // the function is loaded (null for the others), which a run fills with
  // the argument's value: the machine reads them as fixed numbers, and a
  // call from another machine writes them without making an object.
  std::vector<PObject*> m_paramBoxes;
  // A run entered by EnterDirect: the caller's function and call
  // instruction, the called object and member, and where the result goes.
  _PFunction* m_returnTo;
  const _PCode* m_returnPc;
  PObjStruct* m_calledObject;
  uint16_t m_calledMember;
  uint64_t m_resultStorage;
  PResultCell m_resultCell;  // always &m_resultStorage
  PObject* m_caller;
  PResultCell* m_result;
  int32_t m_block;
  int32_t m_lastBlock;
  int32_t m_nextBlock;

  PObjStruct* m_owner;
  PObjectDefinition* m_definition;
  // The classes fused statements test their operands against.
  const PObjectDefinition* m_integerClass;
  const PObjectDefinition* m_stringClass;
  int m_member;

  SArray<PObjectRef*> m_cells;  // parameters first, then locals; owned
  // Integer and Float locals keep one object each while the function is
  // loaded, set to 0 at the start of every run: a call makes none.
  std::vector<PObjInt*> m_integerLocals;
  std::vector<PObjFloat*> m_floatLocals;
  bool m_hasAutoLocals;  // another local declared with "new": made per run
  TypeCode m_resultType;
  PObjectDefinition* m_resultClass;

  // The instructions of every block in one run; block i is
  // [m_blockStart[i], m_blockStart[i + 1]).
  std::vector<_PCode> m_code;
  std::vector<int32_t> m_blockStart;
  std::vector<const _PCode*> m_blockFirst;  // the same as pointers, for the machine
  // The first instruction of a block, or the function's end for a number
  // outside the blocks.
  const _PCode* BlockAt(int32_t block) const {
    const int32_t blocks = int32_t(m_blockStart.size()) - 1;
    return uint32_t(block) < uint32_t(blocks) ? m_blockFirst[size_t(block)] : &m_code.back();
  }
  // Fills every instruction's targets (above) once the code is complete.
  void LinkBlocks();

  std::unique_ptr<uint64_t[]> m_argStorage;  // a PArgs of m_argSlots slots
  int32_t m_argSlots;
  std::vector<PObjInt*> m_integers;
  std::vector<PObjFloat*> m_floats;
  std::vector<PObjString*> m_strings;
  std::vector<PObjUniString*> m_uniStrings;

  std::vector<_PFunction*> m_spares;  // copies for recursion, owned
};

// ==== Entering and leaving a member (PObjStruct.h) ==============================================

bool PObjStruct::WouldRun(uint16_t member) const {
  return GetDefinition()->GetEngine()->MayRunScripts() && HasRunnable(member);
}

bool PObjStruct::HasRunnable(uint16_t member) const {
  if (Root()->m_released && member != GetDefinition()->GetDestructorId()) return false;
  // A part that was never prepared, or a member number past the class's, has
  // nothing to run.
  return member < m_functions.GetCount();
}

PObjStruct::_PFunction* PObjStruct::EnterMember(uint16_t member) {
  if (t_callNesting >= kMaxCallNesting) return nullptr;
  _PFunction* function = m_functions.GetAt(member);
  // A member already running (recursion) runs on a copy of its own, so the
  // first call's stack and cells stay as they are.
  if (function->IsBusy()) function = function->TakeSpare();
  if (!function) return nullptr;
  t_callNesting++;
  Root()->m_callDepth++;
  return function;
}

void PObjStruct::LeaveMember(uint16_t member, _PFunction* function) {
  Root()->m_callDepth--;
  t_callNesting--;
  _PFunction* own = m_functions.GetAt(member);
  if (function != own) own->GiveBackSpare(function);
}

bool PObjStruct::_PFunction::LeaveDirect() {
  bool ok = EndRun();
  // Boxed parameters keep their numbers; the others forget their objects.
  if (!m_numbersOnly)
    for (int i = 0; i < m_paramCount; i++) GiveBackArgument(i, nullptr);
  m_returnTo = nullptr;
  PObjStruct* object = m_calledObject;
  object->LeaveMember(m_calledMember, this);
  // Only a user object deleted during its own call is left to destroy.
  if (object->IsReleased() && !PObjStruct::DeleteIfReleased(object)) ok = false;
  return ok;
}
