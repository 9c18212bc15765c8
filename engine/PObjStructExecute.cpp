// The instruction table of the stack machine: one block (one statement) at
// a time, its closing instruction choosing the block that runs next.
#include <cmath>
#include <cstdint>
#include <cstring>

#include "classes/PObjFloat.h"
#include "classes/PObjInt.h"
#include "classes/PObjIntegerArray.h"
#include "classes/PObjString.h"
#include "classes/PObjUniString.h"
#include "engine/PEngine.h"
#include "engine/PObjStructFunction.h"
#include "engine/PObjectDefinition.h"
#include "engine/PObjectInfo.h"
#include "engine/PObjectRef.h"
#include "engine/compiler/Opcode.h"

// The operators are inlined into every handler where the compiler
// optimises; unoptimised builds keep them as calls, since there the
// function's frame (once per nested call) would hold every copy's locals.
#ifdef __OPTIMIZE__
#define MACHINE_INLINE [[gnu::always_inline]] inline
#else
#define MACHINE_INLINE inline
#endif

namespace {

int64_t Wrap(uint64_t n) { return static_cast<int64_t>(n); }

// A condition's value: integers (the usual case) read directly.
inline bool IsTrue(const SValue& v) { return v.IsInt64() ? v.GetInt64Value() != 0 : v.ToInt64() != 0; }

// Shifts by counts outside 0..63 give what shifting one bit at a time would.
int64_t ShiftLeft(int64_t value, int64_t count) {
  if (count < 0 || count > 63) return 0;
  return Wrap(uint64_t(value) << count);
}
int64_t ShiftRight(int64_t value, int64_t count) {
  if (count < 0 || count > 63) return value < 0 ? -1 : 0;
  return value >> count;
}

// Without a branch on the operator: each comparison is the set of orders
// (less, equal, greater) it accepts.
inline bool Compare(int32_t opcode, int64_t a, int64_t b) {
  static constexpr uint8_t kAccepts[] = {2, 5, 4, 6, 1, 3};  // ==, !=, >, >=, <, <=
  const unsigned order = unsigned(a < b) | unsigned(a == b) << 1 | unsigned(a > b) << 2;
  return (kAccepts[opcode - OP_EQUAL] & order) != 0;
}

// The same with the comparison fixed where it is used.
template <int32_t OP>
MACHINE_INLINE bool CompareAs(int64_t a, int64_t b) {
  if constexpr (OP == OP_EQUAL) return a == b;
  else if constexpr (OP == OP_NOT_EQUAL) return a != b;
  else if constexpr (OP == OP_GREATER) return a > b;
  else if constexpr (OP == OP_GREATER_EQUAL) return a >= b;
  else if constexpr (OP == OP_LESS) return a < b;
  else return a <= b;
}

// The operators on two integers, computed as the SValue rules would; false
// leaves the operation to those rules (a remainder by zero, which fails).
MACHINE_INLINE bool IntegerOperation(int32_t opcode, SValue& left, const SValue& right) {
  const int64_t a = left.GetInt64Value(), b = right.GetInt64Value();
  int64_t r;
  switch (opcode) {
    // A quotient is a Float, whatever its operands.
    case OP_DIVIDE: left.SetDouble(double(a) / double(b)); return true;
    // The one quotient that overflows (the most negative value by -1)
    // leaves no remainder.
    case OP_MODULO:
      if (b == 0) return false;
      r = b == -1 ? 0 : a % b;
      break;
    case OP_ADD: r = Wrap(uint64_t(a) + uint64_t(b)); break;
    case OP_SUBTRACT: r = Wrap(uint64_t(a) - uint64_t(b)); break;
    case OP_MULTIPLY: r = Wrap(uint64_t(a) * uint64_t(b)); break;
    case OP_EQUAL: case OP_NOT_EQUAL: case OP_GREATER: case OP_GREATER_EQUAL: case OP_LESS:
    case OP_LESS_EQUAL:
      r = Compare(opcode, a, b);
      break;
    case OP_BIT_OR: r = a | b; break;
    case OP_BIT_AND: r = a & b; break;
    case OP_BIT_XOR: r = a ^ b; break;
    case OP_SHIFT_LEFT: r = ShiftLeft(a, b); break;
    case OP_SHIFT_RIGHT: r = ShiftRight(a, b); break;
    default: return false;
  }
  left.SetInt64(r);
  return true;
}

// Two numbers of which one at least is a double, the common case of Float
// arithmetic, computed as doubles as the SValue rules would; false leaves
// every other pair, and the operators without a double form, to those rules.
MACHINE_INLINE bool DoubleOperation(int32_t opcode, SValue& left, const SValue& right) {
  if (!(left.IsDouble() || left.IsInt64()) || !(right.IsDouble() || right.IsInt64())) return false;
  const double a = left.IsDouble() ? left.GetDoubleValue() : double(left.GetInt64Value());
  const double b = right.IsDouble() ? right.GetDoubleValue() : double(right.GetInt64Value());
  switch (opcode) {
    case OP_ADD: left.SetDouble(a + b); return true;
    case OP_SUBTRACT: left.SetDouble(a - b); return true;
    case OP_MULTIPLY: left.SetDouble(a * b); return true;
    case OP_DIVIDE: left.SetDouble(a / b); return true;
    // NaN is unordered: every comparison but "not equal" is false.
    case OP_EQUAL: left.SetInt64(a == b); return true;
    case OP_NOT_EQUAL: left.SetInt64(a != b); return true;
    case OP_GREATER: left.SetInt64(a > b); return true;
    case OP_GREATER_EQUAL: left.SetInt64(a >= b); return true;
    case OP_LESS: left.SetInt64(a < b); return true;
    case OP_LESS_EQUAL: left.SetInt64(a <= b); return true;
    default: return false;
  }
}

// Every other pair of operands, by the SValue rules; false for the one
// operation without a value, an integer remainder by zero (the member
// fails, as it does for "%=").
[[gnu::noinline]] bool GeneralOperation(int32_t opcode, SValue& left, const SValue& right) {
  switch (opcode) {
    case OP_ADD: left.Add(right); break;
    case OP_SUBTRACT: left.Subtract(right); break;
    case OP_MULTIPLY: left.Multiply(right); break;
    case OP_DIVIDE:
      if (right.IsInt64() || right.IsDouble()) left.DivideBy(right.ToDouble());
      break;
    case OP_MODULO:
      if (left.IsInt64() && right.IsInt64() && right.GetInt64Value() == 0) return false;
      left.Modulo(right);
      break;
    case OP_EQUAL: left.SetInt64(left.Equals(right) ? 1 : 0); break;
    case OP_NOT_EQUAL: left.SetInt64(left.Equals(right) ? 0 : 1); break;
    case OP_GREATER: left.SetInt64(left.IsGreater(right) ? 1 : 0); break;
    case OP_GREATER_EQUAL: left.SetInt64(left.IsGreaterOrEqual(right) ? 1 : 0); break;
    case OP_LESS: left.SetInt64(left.IsLess(right) ? 1 : 0); break;
    case OP_LESS_EQUAL: left.SetInt64(left.IsLessOrEqual(right) ? 1 : 0); break;
    case OP_MATCHES:
      left.SetInt64(SString::MatchWildcard(left.ToString().GetText(), right.ToString().GetText()) ? 1 : 0);
      break;
    case OP_BIT_OR: left.AssignInt64(left.ToInt64() | right.ToInt64()); break;
    case OP_BIT_AND: left.AssignInt64(left.ToInt64() & right.ToInt64()); break;
    case OP_BIT_XOR: left.AssignInt64(left.ToInt64() ^ right.ToInt64()); break;
    case OP_SHIFT_LEFT: left.AssignInt64(ShiftLeft(left.ToInt64(), right.ToInt64())); break;
    case OP_SHIFT_RIGHT: left.AssignInt64(ShiftRight(left.ToInt64(), right.ToInt64())); break;
    default: break;
  }
  return true;
}

// One binary operator, its opcode fixed where it is used: two integers (the
// common case) and numbers with a double go without the general rules.
template <int32_t OP>
MACHINE_INLINE bool BinaryOperation(SValue& left, const SValue& right) {
  const bool done = left.IsInt64() && right.IsInt64() ? IntegerOperation(OP, left, right)
                                                      : DoubleOperation(OP, left, right);
  if (done) return true;
  return GeneralOperation(OP, left, right);
}

// The value of a number slot as the other kind needs it, without the call
// that texts need.
MACHINE_INLINE int64_t Int64Of(const SValue& v) { return v.IsInt64() ? v.GetInt64Value() : v.ToInt64(); }
inline double DoubleOf(const SValue& v) { return v.IsDouble() ? v.GetDoubleValue() : v.ToDouble(); }

// The object of a cell when it is of the given value class, else null.
template <class T>
inline T* ValueIn(const PObjectRef* cell, const PObjectDefinition* valueClass) {
  PObject* o = cell->GetRefObject();
  return o && o->GetDefinition() == valueClass ? static_cast<T*>(o) : nullptr;
}

// An IntegerArray that is no part of a user object (which could override
// its members), else null.
inline PObjIntegerArray* PlainIntegerArray(PObject* object) {
  return object && object->GetDefinition()->GetTypeCode() == PObjIntegerArray::kTypeCode && !object->GetDerived()
             ? static_cast<PObjIntegerArray*>(object)
             : nullptr;
}

}  // namespace

// The element members of an IntegerArray that is no part of a user object
// (which could override them), called by their own names, run here without
// packing their arguments into objects; the arguments are read as Integer
// parameters read them, and nothing these members do runs a script or
// releases an object. False, touching nothing, for every other call.
MACHINE_INLINE bool PObjStruct::_PFunction::CallIntegerArray(const _PCode& code) {
  using A = PObjIntegerArray;
  const int params = code.memberId == A::GET_AT    ? 1
                     : code.memberId == A::SET_AT  ? 2
                     : code.memberId == A::GET_COUNT ? 0
                                                   : -1;
  if (params < 0 || code.paramCount != params || m_top < params + 1) return false;
  const int first = m_top - params;
  A* array = PlainIntegerArray(AsObject(m_stack[first - 1]));
  if (!array || code.declaringClass || code.memberKind != MEMBER_FUNCTION) return false;
  int64_t result = 0;
  if (params == 1)
    array->GetElement(ArrayIndexOf(Int64Of(m_stack[first])), result);
  else if (params == 2)
    array->SetElement(ArrayIndexOf(Int64Of(m_stack[first])), Int64Of(m_stack[first + 1]));
  else
    result = array->GetElementCount();
  m_top = first;
  Top().SetFlag(SLOT_VALUE);
  Top().SetInt64(result);
  return true;
}

// The common user call: to the member this instruction called last, a plain
// function of the object itself. Number arguments go from this stack into
// the member's own parameter objects; the others travel as CallMember
// passes them.
MACHINE_INLINE PObjStruct::_PFunction* PObjStruct::_PFunction::EnterDirect(const _PCode& code, const PEngine* engine,
                                                         int& outcome) {
  outcome = 0;
  const int count = code.paramCount;
  if (!code.callsDirect || m_top < count + 1) return nullptr;
  const int first = m_top - count;
  PObject* target = AsObject(m_stack[first - 1]);
  if (!target || target->GetDefinition() != code.calledClass || code.calledMember != code.memberIndex ||
      (code.isVirtual && target->GetDerived()) || (code.declaringClass && code.declaringClass != code.calledClass))
    return nullptr;
  PObjStruct* object = static_cast<PObjStruct*>(target);
  m_top = first;  // the target's slot takes the result
  Top().SetFlag(SLOT_VALUE);
  Top().SetInt64(0);
  outcome = 1;
  if (!engine->MayRunScripts() || !object->HasRunnable(code.memberId)) return nullptr;
  outcome = -1;
  _PFunction* callee = object->EnterMember(code.memberId);
  if (!callee) return nullptr;
  if (!callee->Materialise() || callee->m_paramCount != count ||
      (!callee->m_numbersOnly && !FillArguments(code, object->GetDefinition(), code.memberIndex, first))) {
    object->LeaveMember(code.memberId, callee);
    return nullptr;
  }
  const PArgs* args = reinterpret_cast<const PArgs*>(m_argStorage.get());
  for (int i = 0; i < count; i++) {
    PObject* box = callee->m_paramBoxes[size_t(i)];
    const SValue& v = m_stack[first + i];
    if (!box)
      callee->m_cells.GetAt(i)->SetRefObject(args->slots[i].object);
    else if (box->GetDefinition() == m_integerClass)
      static_cast<PObjInt*>(box)->SetValue(v.IsInt64() ? v.GetInt64Value() : v.ToInt64());
    else
      static_cast<PObjFloat*>(box)->SetValue(v.IsDouble() ? v.GetDoubleValue() : v.ToDouble());
  }
  callee->m_resultStorage = 0;
  if (!callee->BeginRun(&callee->m_resultCell, nullptr)) {
    callee->EndRun();
    object->LeaveMember(code.memberId, callee);
    return nullptr;
  }
  callee->m_returnTo = this;
  callee->m_returnPc = &code;
  callee->m_calledObject = object;
  callee->m_calledMember = code.memberId;
  outcome = 1;
  return callee;
}

namespace {
const void* const* s_handlers = nullptr;  // set once, by Handlers
}  // namespace

const void* const* PObjStruct::_PFunction::Handlers() {
  static const void* const* table = [] {
    _PFunction probe(nullptr);
    probe.RunBlocks(nullptr);
    return s_handlers;
  }();
  return table;
}

// The blocks one after another from the first, each block's instructions
// in order; a block instruction closes its statement and chooses the next.
// The block's number and successor travel in registers: only the
// instructions that look back at them (elseif, switch) read them from the
// function. Each instruction holds the address of its handler, one label
// per opcode (Handlers), and jumps straight to the next one's, so that
// every operator has a dispatch of its own and decodes nothing twice.
// Loading makes every opcode one of the table's (unknown numbers become
// OP_NONE).
bool PObjStruct::_PFunction::RunBlocks(PEngine* engine) {
  static const void* const kHandlers[] = {
      &&op_none, &&op_constant, &&op_variable, &&op_variable_cell, &&op_member, &&op_member,
      &&op_this, &&op_caller, &&op_global, &&op_application, &&op_class, &&op_integer_value,
      &&op_member_value, &&op_float_value, &&op_member_value, &&op_cell_value, &&op_member_value,
      &&op_cell_value, &&op_member_value, &&op_cell_value, &&op_call, &&op_none, &&op_add,
      &&op_subtract, &&op_multiply, &&op_divide, &&op_modulo, &&op_equal, &&op_not_equal,
      &&op_greater, &&op_greater_equal, &&op_less, &&op_less_equal, &&op_other_binary, &&op_or_and,
      &&op_or_and, &&op_bit_or, &&op_bit_and, &&op_bit_xor, &&op_shift_left, &&op_shift_right,
      &&op_not, &&op_complement, &&op_negate, &&op_condition, &&op_jump, &&op_elseif, &&op_condition,
      &&op_condition, &&op_for_start, &&op_jump, &&op_jump, &&op_switch, &&op_jump, &&op_jump,
      &&op_jump, &&op_return, &&op_new, &&op_assign, &&op_assign_value, &&op_assign_value,
      &&op_assign_value, &&op_assign_value, &&op_assign_value, &&op_assign_value, &&op_step,
      &&op_step, &&op_delete, &&op_intercept, &&fused_compare_branch, &&fused_int_assign,
      &&fused_int_step, &&fused_for_next, &&fused_string_append, &&fused_store, &&finished,
      &&fused_fixed_integer, &&fused_fixed_float, &&function_end, &&fused_element_read, &&fc_add, &&fc_subtract, &&fc_multiply, &&fc_divide,
      &&fc_modulo, &&fc_equal, &&fc_not_equal, &&fc_greater, &&fc_greater_equal, &&fc_less,
      &&fc_less_equal, &&op_none, &&op_none, &&op_none, &&fc_bit_or, &&fc_bit_and, &&fc_bit_xor,
      &&fc_shift_left, &&fc_shift_right, &&fixed_branch_equal, &&fixed_branch_not_equal,
      &&fixed_branch_greater, &&fixed_branch_greater_equal, &&fixed_branch_less,
      &&fixed_branch_less_equal, &&fixed_for_equal, &&fixed_for_not_equal, &&fixed_for_greater,
      &&fixed_for_greater_equal, &&fixed_for_less, &&fixed_for_less_equal, &&fixed_int_assign,
      &&fixed_int_add, &&fixed_int_subtract, &&fixed_int_multiply, &&fixed_store_integer,
      &&fixed_store_integer_add, &&fixed_store_integer_subtract, &&fixed_store_integer_multiply,
      &&fixed_store_float, &&fixed_store_float_add, &&fixed_store_float_subtract,
      &&fixed_store_float_multiply, &&fixed_int_step, &&fi_add, &&fi_subtract, &&fi_multiply,
      &&fi_divide, &&ff_add, &&ff_subtract, &&ff_multiply, &&ff_divide};
  static_assert(sizeof kHandlers / sizeof *kHandlers == kOpcodeCount, "one handler per opcode");
  // Without an engine, a call only hands the table out (Handlers).
  if (!engine) {
    s_handlers = kHandlers;
    return true;
  }
  // The running function: this one, or one whose call this loop entered
  // itself (EnterDirect), which returns here when it ends.
  _PFunction* f = this;
  // Its operand stack: the bottom, one past the top value, and the end. The
  // top travels here rather than in the function; the helpers that read it
  // there get it written back first (SYNC) and read again after (RELOAD).
  SValue* s;
  SValue* sp;
  SValue* limit;
#define ENTER_FRAME() (s = f->m_stack.get(), limit = s + f->m_stackSize)
#define SYNC() (f->m_top = int32_t(sp - s))
#define RELOAD() (sp = s + f->m_top)
#define HAVE(N) (sp - s >= (N))
#define TOP (sp[-1])
// A new top slot, a plain value until written otherwise.
#define PUSH_SLOT()                    \
  do {                                 \
    if (sp >= limit) goto failed;      \
    sp->SetFlag(SLOT_VALUE);           \
    ++sp;                              \
  } while (0)
#define PUSH_OBJECT(OBJECT)            \
  do {                                 \
    PObject* pushed_ = (OBJECT);       \
    PUSH_SLOT();                       \
    SetObject(TOP, pushed_);           \
  } while (0)
  ENTER_FRAME();
  const PObjectDefinition* const integerClass = f->m_integerClass;
  // An Integer operand of a fused statement: its fixed object, or the
  // cell's when that is an Integer, else null.
  const auto IntegerIn = [integerClass](PObject* box, const PObjectRef* cell) {
    return box ? static_cast<PObjInt*>(box) : ValueIn<PObjInt>(cell, integerClass);
  };
  const _PCode* pc = f->BlockAt(f->m_block);
  sp = s;
  goto *pc->handler;

// The next block's first instruction, reached from where each block
// closes, so that every closing site predicts its own successor. An end
// that came from elsewhere (another thread's Exit) while this member ran
// ends it too.
#define NEXT_BLOCK(TARGET)                        \
  do {                                            \
    if (!engine->MayRunScripts()) goto ended;     \
    pc = (TARGET);                                \
    sp = s;                                       \
    goto *pc->handler;                  \
  } while (0)
#define NEXT()                        \
  do {                                \
    ++pc;                             \
    goto *pc->handler;      \
  } while (0)
// A binary operator: left = left op right, pop. The result is a value even
// where an operand was an object (o==p), and never to be used as one. The
// right operand is the top (DEPTH 2), or the literal that the instruction
// holds, the left one being the top (DEPTH 1).
#define BINARY_ON(OP, DEPTH, RIGHT)                          \
  do {                                                       \
    if (!HAVE(DEPTH)) goto failed;                           \
    SValue& left = sp[-(DEPTH)];                             \
    left.SetFlag(SLOT_VALUE);                                \
    if (!BinaryOperation<OP>(left, (RIGHT))) goto failed;    \
    sp -= (DEPTH) - 1;                                       \
    NEXT();                                                  \
  } while (0)
#define BINARY(OP) BINARY_ON(OP, 2, sp[-1])
#define BINARY_CONSTANT(OP) BINARY_ON(OP, 1, *pc->constant)
// A block instruction: it closes the statement.
#define CLOSE(TARGET)                  \
  do {                                 \
    f->m_lastBlock = pc->blockIndex;   \
    NEXT_BLOCK(TARGET);                \
  } while (0)
// A conditional one: the first target when the condition holds, else the
// second. Each way is a branch and a jump of its own: a next instruction
// chosen as data (a conditional move) would make every load of the next
// handler wait for the comparison, where a branch lets the processor run
// ahead on its guess.
#define BRANCH_TO(GO, COND)            \
  do {                                 \
    if (COND) GO(pc->target1);         \
    GO(pc->target2);                   \
  } while (0)
#define CLOSE_IF(COND) BRANCH_TO(CLOSE, COND)

  // ---- Pushes ----
op_constant: {
  const SValue* constant = pc->constant;
  PUSH_SLOT();
  if (constant->IsInt64()) TOP.SetInt64(constant->GetInt64Value());
  else if (constant->IsDouble()) TOP.SetDouble(constant->GetDoubleValue());
  else TOP.AssignValue(*constant);
  NEXT();
}
op_variable:
  PUSH_OBJECT(pc->cell->GetRefObject());
  NEXT();
op_variable_cell:
  PUSH_SLOT();
  TOP.SetInt64(int64_t(reinterpret_cast<intptr_t>(pc->cell)));
  TOP.SetFlag(SLOT_CELL);
  NEXT();
op_member:
  SYNC();
  if (!f->PushMemberCell(*pc, pc->opcode == OP_MEMBER_CELL)) goto failed;
  RELOAD();
  NEXT();
op_this:
  PUSH_OBJECT(f->m_owner);
  NEXT();
op_caller:
  PUSH_OBJECT(f->m_caller);
  NEXT();
op_global:
  PUSH_OBJECT(f->m_definition->GetEngine()->GetGlobal());
  NEXT();
op_application:
  PUSH_OBJECT(f->m_definition->GetEngine()->GetApplication());
  NEXT();
op_class: {
  PObject* part = f->m_owner->GetDefinition() == pc->classDef ? f->m_owner : f->m_owner->FindBasePart(pc->classDef);
  PUSH_OBJECT(part);
  NEXT();
}
  // The declared class makes the object's class certain.
op_integer_value: {
  const PObject* object = pc->cell->GetRefObject();
  if (!object) goto failed;
  PUSH_SLOT();
  TOP.SetInt64(static_cast<const PObjInt*>(object)->GetValue());
  NEXT();
}
op_float_value: {
  const PObject* object = pc->cell->GetRefObject();
  if (!object) goto failed;
  PUSH_SLOT();
  TOP.SetDouble(static_cast<const PObjFloat*>(object)->GetValue());
  NEXT();
}
fused_fixed_integer:
  PUSH_SLOT();
  TOP.SetInt64(static_cast<const PObjInt*>(pc->box)->GetValue());
  NEXT();
fused_fixed_float:
  PUSH_SLOT();
  TOP.SetDouble(static_cast<const PObjFloat*>(pc->box)->GetValue());
  NEXT();
op_cell_value:
  SYNC();
  if (!f->PushCellValue(pc->cell, pc->opcode)) goto failed;
  RELOAD();
  NEXT();
op_member_value:
  SYNC();
  if (!f->PushMemberValue(*pc)) goto failed;
  RELOAD();
  NEXT();
op_call: {
  SYNC();
  if (f->CallIntegerArray(*pc)) {
    RELOAD();
    NEXT();
  }
  int outcome;
  if (_PFunction* callee = f->EnterDirect(*pc, engine, outcome)) {
    f = callee;
    ENTER_FRAME();
    sp = s;
    pc = f->m_firstCode;
    goto *pc->handler;
  }
  if (outcome < 0) goto failed;
  if (!outcome && !f->CallMember(*pc)) goto failed;
  RELOAD();
  // The engine ended during the call: nothing more of this member runs.
  if (!f->m_definition->GetEngine()->MayRunScripts()) goto ended;
  NEXT();
}
fused_element_read: {
  PObject* target = pc->cell->GetRefObject();
  const PObject* n = pc->cell2 ? (pc->box2 ? pc->box2 : pc->cell2->GetRefObject()) : nullptr;
  if (pc->cell2 && !n) goto failed;
  const int64_t index = n ? static_cast<const PObjInt*>(n)->GetValue() : pc->constant->GetInt64Value();
  if (PObjIntegerArray* array = PlainIntegerArray(target)) {
    int64_t element = 0;
    array->GetElement(ArrayIndexOf(index), element);
    PUSH_SLOT();
    TOP.SetInt64(element);
    NEXT();
  }
  // Any other object, or none, takes the call as written.
  PUSH_OBJECT(target);
  PUSH_SLOT();
  TOP.SetInt64(index);
  goto op_call;
}
op_new: {
  PObject* made = PObjStruct::NewObject(pc->classDef);
  if (!made) goto failed;
  PUSH_OBJECT(made);
  NEXT();
}

  // ---- Binary operators ----
op_add: BINARY(OP_ADD);
op_subtract: BINARY(OP_SUBTRACT);
op_multiply: BINARY(OP_MULTIPLY);
op_divide: BINARY(OP_DIVIDE);
op_modulo: BINARY(OP_MODULO);
op_equal: BINARY(OP_EQUAL);
op_not_equal: BINARY(OP_NOT_EQUAL);
op_greater: BINARY(OP_GREATER);
op_greater_equal: BINARY(OP_GREATER_EQUAL);
op_less: BINARY(OP_LESS);
op_less_equal: BINARY(OP_LESS_EQUAL);
op_bit_or: BINARY(OP_BIT_OR);
op_bit_and: BINARY(OP_BIT_AND);
op_bit_xor: BINARY(OP_BIT_XOR);
op_shift_left: BINARY(OP_SHIFT_LEFT);
op_shift_right: BINARY(OP_SHIFT_RIGHT);
op_other_binary: BINARY(OP_MATCHES);
fc_add: BINARY_CONSTANT(OP_ADD);
fc_subtract: BINARY_CONSTANT(OP_SUBTRACT);
fc_multiply: BINARY_CONSTANT(OP_MULTIPLY);
fc_divide: BINARY_CONSTANT(OP_DIVIDE);
fc_modulo: BINARY_CONSTANT(OP_MODULO);
fc_equal: BINARY_CONSTANT(OP_EQUAL);
fc_not_equal: BINARY_CONSTANT(OP_NOT_EQUAL);
fc_greater: BINARY_CONSTANT(OP_GREATER);
fc_greater_equal: BINARY_CONSTANT(OP_GREATER_EQUAL);
fc_less: BINARY_CONSTANT(OP_LESS);
fc_less_equal: BINARY_CONSTANT(OP_LESS_EQUAL);
fc_bit_or: BINARY_CONSTANT(OP_BIT_OR);
fc_bit_and: BINARY_CONSTANT(OP_BIT_AND);
fc_bit_xor: BINARY_CONSTANT(OP_BIT_XOR);
fc_shift_left: BINARY_CONSTANT(OP_SHIFT_LEFT);
fc_shift_right: BINARY_CONSTANT(OP_SHIFT_RIGHT);
// A fixed variable's value pushed, then the operator on the literal.
#define FIXED_CONSTANT(OP, PUSH_VALUE)                         \
  do {                                                         \
    PUSH_SLOT();                                               \
    PUSH_VALUE;                                                \
    if (!BinaryOperation<OP>(TOP, *pc->constant)) goto failed; \
    NEXT();                                                    \
  } while (0)
#define FI(OP) FIXED_CONSTANT(OP, TOP.SetInt64(static_cast<const PObjInt*>(pc->box)->GetValue()))
#define FF(OP) FIXED_CONSTANT(OP, TOP.SetDouble(static_cast<const PObjFloat*>(pc->box)->GetValue()))
fi_add: FI(OP_ADD);
fi_subtract: FI(OP_SUBTRACT);
fi_multiply: FI(OP_MULTIPLY);
fi_divide: FI(OP_DIVIDE);
ff_add: FF(OP_ADD);
ff_subtract: FF(OP_SUBTRACT);
ff_multiply: FF(OP_MULTIPLY);
ff_divide: FF(OP_DIVIDE);
#undef FF
#undef FI
#undef FIXED_CONSTANT

  // ---- Short-circuit: the deciding value stays and the rest is skipped ----
op_or_and: {
  if (!HAVE(1)) goto failed;
  const bool set = IsTrue(TOP);
  if (set == (pc->opcode == OP_OR)) {
    // Loading made a jump out of the statement -1.
    if (pc->jump1 < 0) goto failed;
    pc = pc->target1;
    goto *pc->handler;
  }
  --sp;
  NEXT();
}

  // ---- Unary operators ----
#define UNARY(OPERATION)               \
  do {                                 \
    if (!HAVE(1)) goto failed;         \
    OPERATION;                         \
    TOP.SetFlag(SLOT_VALUE);           \
    NEXT();                            \
  } while (0)
op_not: UNARY(TOP.LogicalNot());
op_complement: UNARY(TOP.BitwiseNot());
op_negate: UNARY(TOP.IsDouble() ? TOP.SetDouble(-TOP.GetDoubleValue()) : TOP.Negate());

  // ---- Block instructions: they close the statement ----
op_condition:
  if (!HAVE(1)) goto failed;
  CLOSE_IF(IsTrue(TOP));
op_jump:
  CLOSE(pc->target2);
op_elseif:
  f->m_block = pc->blockIndex;
  SYNC();
  if (!f->ElseIf(*pc)) goto failed;
  NEXT_BLOCK(f->BlockAt(f->m_nextBlock));
op_for_start:
  CLOSE(pc->target1);
op_switch:
  f->m_block = pc->blockIndex;
  SYNC();
  if (!f->Switch(*pc)) goto failed;
  NEXT_BLOCK(f->BlockAt(f->m_nextBlock));
op_return:
  // An Integer result, the usual one, is stored here; the rest by Return.
  if (f->m_resultType == TYPE_INTEGER && HAVE(1) && f->m_result && *f->m_result && TOP.IsInt64()) {
    const int64_t value = TOP.GetInt64Value();
    std::memcpy(*f->m_result, &value, sizeof value);
  } else {
    SYNC();
    if (!f->Return()) goto failed;
  }
  CLOSE(pc->target1);

  // ---- Assignments ----
op_assign: {
  if (!HAVE(2)) goto failed;
  PObjectRef* cell = AsCell(sp[-2]);
  // A variable declared with "new" owns its object and releases it with
  // its holder: pointing it elsewhere would lose that object and later
  // release one it does not own.
  if (!cell || cell->GetDeclaration()->IsAutoCreate()) goto failed;
  PObject* object;
  if (!TakeObject(TOP, object)) goto failed;
  if (object) object = object->CastToClass(cell->GetDeclaration()->GetType());
  cell->SetRefObject(object);
  --sp;
  SetObject(TOP, object);
  NEXT();
}
op_assign_value:
  // The assigned value is only made when something after it uses it: a
  // long text is not copied for a statement that ends here.
  SYNC();
  if (!f->AssignValue(pc->opcode, pc[1].opcode != FUSED_BLOCK_END)) goto failed;
  RELOAD();
  NEXT();
  // The target came from the cell, not the stack: the source is the only
  // value, and it becomes the statement's. A fixed Integer or Float takes
  // the usual forms without it (division and remainder have rules of their
  // own), and closes the statement.
#define FIXED_STORE(CLASS, NEW_VALUE)         \
  do {                                        \
    if (!HAVE(1)) goto failed;                \
    CLASS* n = static_cast<CLASS*>(pc->box);  \
    n->SetValue(NEW_VALUE);                   \
    CLOSE(pc->following);                     \
  } while (0)
#define INTEGER_STORE(NEW_VALUE) FIXED_STORE(PObjInt, NEW_VALUE)
#define FLOAT_STORE(NEW_VALUE) FIXED_STORE(PObjFloat, NEW_VALUE)
#define STORED_INTEGER (uint64_t(n->GetValue()))
#define STORED_FLOAT (n->GetValue())
fixed_store_integer: INTEGER_STORE(Int64Of(TOP));
fixed_store_integer_add: INTEGER_STORE(Wrap(STORED_INTEGER + uint64_t(Int64Of(TOP))));
fixed_store_integer_subtract: INTEGER_STORE(Wrap(STORED_INTEGER - uint64_t(Int64Of(TOP))));
fixed_store_integer_multiply: INTEGER_STORE(Wrap(STORED_INTEGER * uint64_t(Int64Of(TOP))));
fixed_store_float: FLOAT_STORE(DoubleOf(TOP));
fixed_store_float_add: FLOAT_STORE(STORED_FLOAT + DoubleOf(TOP));
fixed_store_float_subtract: FLOAT_STORE(STORED_FLOAT - DoubleOf(TOP));
fixed_store_float_multiply: FLOAT_STORE(STORED_FLOAT * DoubleOf(TOP));
#undef STORED_FLOAT
#undef STORED_INTEGER
#undef FLOAT_STORE
#undef INTEGER_STORE
#undef FIXED_STORE
fused_store: {
  PObject* target = pc->cell->GetRefObject();
  if (!HAVE(1) || !target) goto failed;
  if (!f->AssignTo(target, pc->fusedOp, TOP, TOP, false)) goto failed;
  NEXT();
}
op_step:
  SYNC();
  if (!f->Step(pc->opcode)) goto failed;
  NEXT();

  // ---- Objects ----
op_delete:
  // Only an object can be deleted: a number or a text read as a pointer
  // would release memory that is no object.
  // Nor can a script delete what a "new" variable owns: its holder
  // releases it again (loading tells which).
  if (!HAVE(1) || !pc->fusedOp || !AsObject(TOP)) goto failed;
  if (!PObjStruct::ReleaseObject(AsObject(TOP), false)) goto failed;
  --sp;
  NEXT();
op_intercept: {
  if (!HAVE(1)) goto failed;
  PObject* object = AsObject(TOP);
  if (!object) goto failed;
  f->m_owner->BindOwner(object);
  --sp;
  NEXT();
}

  // ---- Fused statements: done whole, or left to the instructions after ----
fused_compare_branch: {
  const PObjInt* a = IntegerIn(pc->box, pc->cell);
  const PObjInt* b = pc->cell2 ? IntegerIn(pc->box2, pc->cell2) : nullptr;
  if (!a || (pc->cell2 && !b)) NEXT();
  const int64_t x = a->GetValue(), y = b ? b->GetValue() : pc->constant->GetInt64Value();
  CLOSE_IF(Compare(pc->fusedOp, x, y));
}
fused_int_assign: {
  PObjInt* a = IntegerIn(pc->box, pc->cell);
  const PObjInt* b = pc->cell2 ? IntegerIn(pc->box2, pc->cell2) : nullptr;
  if (!a || (pc->cell2 && !b)) NEXT();
  const uint64_t x = uint64_t(a->GetValue());
  const uint64_t y = uint64_t(b ? b->GetValue() : pc->constant->GetInt64Value());
  switch (pc->fusedOp) {
    case OP_ASSIGN_VALUE: a->SetValue(Wrap(y)); break;
    case OP_ADD_ASSIGN: a->SetValue(Wrap(x + y)); break;
    case OP_SUBTRACT_ASSIGN: a->SetValue(Wrap(x - y)); break;
    default: a->SetValue(Wrap(x * y)); break;
  }
  CLOSE(pc->following);
}
fused_for_next: {
  PObjInt* counter = IntegerIn(pc->counterBox, pc->counter);
  const PObjInt* a = IntegerIn(pc->box, pc->cell);
  const PObjInt* b = pc->cell2 ? IntegerIn(pc->box2, pc->cell2) : nullptr;
  if (!counter || !a || (pc->cell2 && !b)) NEXT();  // the plain end
  counter->SetValue(Wrap(uint64_t(counter->GetValue()) + uint64_t(pc->stepBy)));
  const int64_t y = b ? b->GetValue() : pc->constant->GetInt64Value();
  f->m_lastBlock = pc->testBlock;
  BRANCH_TO(NEXT_BLOCK, Compare(pc->fusedOp, a->GetValue(), y));
}
fused_string_append: {
  PObjString* text = ValueIn<PObjString>(pc->cell, f->m_stringClass);
  if (!text) NEXT();
  text->GetString().Append(pc->constant->GetStringValue().GetText());
  CLOSE(pc->following);
}
fused_int_step: {
  PObjInt* a = IntegerIn(pc->box, pc->cell);
  if (!a) NEXT();
  a->SetValue(Wrap(uint64_t(a->GetValue()) + (pc->fusedOp == OP_INCREMENT ? 1u : uint64_t(-1))));
  CLOSE(pc->following);
}
  // ---- The same with every operand a fixed object (MakeFixed) ----
#define FIXED_INT(BOX) (static_cast<PObjInt*>(BOX))
#define FIXED_RIGHT() (pc->box2 ? FIXED_INT(pc->box2)->GetValue() : pc->constant->GetInt64Value())
// One handler per comparison, labelled PREFIX and the comparison's name.
#define EACH_COMPARISON(PREFIX, HANDLER)          \
  PREFIX##equal : HANDLER(OP_EQUAL);              \
  PREFIX##not_equal : HANDLER(OP_NOT_EQUAL);      \
  PREFIX##greater : HANDLER(OP_GREATER);          \
  PREFIX##greater_equal : HANDLER(OP_GREATER_EQUAL); \
  PREFIX##less : HANDLER(OP_LESS);                \
  PREFIX##less_equal : HANDLER(OP_LESS_EQUAL)
#define FIXED_BRANCH(OP) CLOSE_IF(CompareAs<OP>(FIXED_INT(pc->box)->GetValue(), FIXED_RIGHT()))
  EACH_COMPARISON(fixed_branch_, FIXED_BRANCH);
#define FIXED_FOR(OP)                                                                    \
  do {                                                                                   \
    PObjInt* counter = FIXED_INT(pc->counterBox);                                        \
    counter->SetValue(Wrap(uint64_t(counter->GetValue()) + uint64_t(pc->stepBy)));      \
    f->m_lastBlock = pc->testBlock;                                                      \
    BRANCH_TO(NEXT_BLOCK, CompareAs<OP>(FIXED_INT(pc->box)->GetValue(), FIXED_RIGHT())); \
  } while (0)
  EACH_COMPARISON(fixed_for_, FIXED_FOR);
#define FIXED_ASSIGN(NEW_VALUE)                                                \
  do {                                                                         \
    PObjInt* a = FIXED_INT(pc->box);                                           \
    const uint64_t x = uint64_t(a->GetValue()), y = uint64_t(FIXED_RIGHT());   \
    (void)x;                                                                   \
    a->SetValue(Wrap(NEW_VALUE));                                              \
    CLOSE(pc->following);                                                      \
  } while (0)
fixed_int_assign: FIXED_ASSIGN(y);
fixed_int_add: FIXED_ASSIGN(x + y);
fixed_int_subtract: FIXED_ASSIGN(x - y);
fixed_int_multiply: FIXED_ASSIGN(x * y);
fixed_int_step: {
  PObjInt* a = FIXED_INT(pc->box);
  a->SetValue(Wrap(uint64_t(a->GetValue()) + (pc->fusedOp == OP_INCREMENT ? 1u : uint64_t(-1))));
  CLOSE(pc->following);
}
#undef FIXED_ASSIGN
#undef FIXED_FOR
#undef FIXED_BRANCH
#undef EACH_COMPARISON
#undef FIXED_RIGHT
#undef FIXED_INT

op_none:
  NEXT();  // removed nodes and unknown numbers do nothing

finished:
  // The next block follows this instruction.
  f->m_lastBlock = pc->blockIndex;
  NEXT_BLOCK(pc + 1);
function_end:
  if (f->m_returnTo) {
    // Back to the call that entered this function: its result replaces the
    // call's target on the caller's stack.
    _PFunction* caller = f->m_returnTo;
    const _PCode* call = f->m_returnPc;
    const uint64_t bits = f->m_resultStorage;
    const bool left = f->LeaveDirect();
    f = caller;
    ENTER_FRAME();
    RELOAD();
    pc = call;
    if (pc->resultType == TYPE_FLOAT) {
      double x;
      std::memcpy(&x, &bits, sizeof x);
      TOP.SetDouble(x);
    } else {
      TOP.SetInt64(int64_t(bits));
    }
    if (!left) goto failed;
    if (!engine->MayRunScripts()) goto ended;
    NEXT();
  }
  return true;
ended:
  engine->Exit();
  // Every function this loop entered ends with it.
  while (f->m_returnTo) {
    _PFunction* caller = f->m_returnTo;
    f->LeaveDirect();
    f = caller;
  }
  return true;
failed:
  // A failed statement ends the program.
  engine->Exit();
  while (f->m_returnTo) {
    _PFunction* caller = f->m_returnTo;
    f->LeaveDirect();
    f = caller;
  }
  return false;
#undef PUSH_OBJECT
#undef PUSH_SLOT
#undef TOP
#undef HAVE
#undef RELOAD
#undef SYNC
#undef ENTER_FRAME
#undef CLOSE_IF
#undef BRANCH_TO
#undef CLOSE
#undef NEXT_BLOCK
#undef BINARY_CONSTANT
#undef BINARY
#undef BINARY_ON
#undef UNARY
#undef NEXT
}

// ==== Block instructions ========================================================================

bool PObjStruct::_PFunction::ElseIf(const _PCode& code) {
  const int32_t previous = m_block - 1;
  bool fellOut = false;
  if (m_lastBlock == previous && previous >= 0) {
    const int32_t end = m_blockStart[size_t(previous) + 1];
    const int32_t start = m_blockStart[size_t(previous)];
    const int32_t closing = end > start ? m_code[size_t(end) - 1].opcode : OP_NONE;
    fellOut = closing != OP_IF && closing != OP_ELSEIF;
  }
  m_lastBlock = m_block;
  if (fellOut) {
    m_nextBlock = code.jump1;
    return true;
  }
  if (m_top < 1) return false;
  m_nextBlock = Top().ToInt64() != 0 ? m_block + 1 : code.jump2;
  return true;
}

bool PObjStruct::_PFunction::Switch(const _PCode& code) {
  if (m_top < 1) return false;
  const SValue& value = Top();
  const int32_t blocks = int32_t(m_blockStart.size()) - 1;
  int32_t target = -1;
  // Each label is visited once: a damaged chain cannot loop.
  int32_t visited = 0;
  for (int32_t label = code.jump1; label >= 0 && label < blocks && visited <= blocks; visited++) {
    const int32_t start = m_blockStart[size_t(label)];
    const int32_t end = m_blockStart[size_t(label) + 1];
    if (end <= start) return false;
    const _PCode& closing = m_code[size_t(end) - 1];
    if (closing.opcode == OP_DEFAULT) {
      target = closing.jump2;
    } else if (closing.opcode == OP_END) {
      break;
    } else if (closing.opcode == OP_CASE) {
      const _PCode& first = m_code[size_t(start)];
      if (first.opcode == OP_CONSTANT && value.Equals(*first.constant)) {
        target = closing.jump2;
        break;
      }
    } else {
      return false;
    }
    label = closing.jump1;
  }
  m_nextBlock = target >= 0 ? target : code.jump2;
  m_lastBlock = m_block;
  return true;
}

bool PObjStruct::_PFunction::Return() {
  if (m_top < 1 || !m_result) return true;
  const SValue& value = Top();
  switch (m_resultType) {
    case TYPE_UNISTRING: return PObject::ReturnUniString(m_result, value.ToUniString().GetText());
    case TYPE_STRING: return PObject::ReturnString(m_result, value.ToString().GetText());
    case TYPE_FLOAT: return PObject::ReturnDouble(m_result, DoubleOf(value));
    case TYPE_INTEGER: return PObject::ReturnInt64(m_result, Int64Of(value));
    case TYPE_VOID: return true;
    default: {
      PObject* object;
      if (!TakeObject(value, object)) return false;
      if (object) object = object->CastToClass(m_resultClass);
      return PObject::ReturnObject(m_result, object);
    }
  }
}

// ==== Variables and values ======================================================================

bool PObjStruct::_PFunction::PushCellValue(const PObjectRef* cell, int32_t opcode) {
  PObject* object = cell->GetRefObject();
  if (!object || !Push()) return false;
  SValue& top = Top();
  switch (opcode) {
    case OP_INTEGER_VALUE: case OP_MEMBER_INTEGER:
      top.SetInt64(static_cast<PObjInt*>(object)->GetValue());
      return true;
    case OP_FLOAT_VALUE: case OP_MEMBER_FLOAT:
      top.SetDouble(static_cast<PObjFloat*>(object)->GetValue());
      return true;
    case OP_STRING_VALUE: case OP_MEMBER_STRING:
      top.SetString(static_cast<PObjString*>(object)->GetText());
      return true;
    case OP_UNISTRING_VALUE: case OP_MEMBER_UNISTRING:
      top.SetUniString(static_cast<PObjUniString*>(object)->GetText());
      return true;
    case OP_STRING_QUOTED: {
      // A String inside a literal: its backquotes read as single quotes.
      SString text(static_cast<PObjString*>(object)->GetText());
      for (int i = 0; i < text.GetLength(); i++) {
        if (text.GetText()[i] == '`') text.SetAt(i, '\'');
      }
      top.SetString(text.GetText());
      return true;
    }
    default:
      return false;
  }
}

// The cell of a member variable of the object, or null when it is no user
// object.
static PObjectRef* MemberCellOf(PObject* object, const PObjectInfo* declaration) {
  if (!object || object->GetDefinition()->GetOrigin() != ORIGIN_USER) return nullptr;
  return static_cast<PObjStruct*>(object)->FindRef(declaration);
}

bool PObjStruct::_PFunction::PushMemberCell(const _PCode& code, bool cellItself) {
  if (m_top < 1) return false;
  PObjectRef* cell = MemberCellOf(AsObject(Top()), code.declaration);
  if (!cell) return false;
  if (cellItself) {
    Top().SetInt64(int64_t(reinterpret_cast<intptr_t>(cell)));
    Top().SetFlag(SLOT_CELL);
  } else {
    SetObject(Top(), cell->GetRefObject());
  }
  return true;
}

bool PObjStruct::_PFunction::PushMemberValue(const _PCode& code) {
  if (m_top < 1) return false;
  PObjectRef* cell = MemberCellOf(AsObject(Top()), code.declaration);
  if (!cell) return false;
  m_top--;
  return PushCellValue(cell, code.opcode);
}

bool PObjStruct::_PFunction::AssignValue(int32_t opcode, bool keep) {
  if (m_top < 2) return false;
  PObject* target = AsObject(Below());
  if (!target) return false;
  // The statement's value, when it goes on: the new value of the variable.
  if (!AssignTo(target, opcode, Top(), Below(), keep)) return false;
  m_top--;
  return true;
}

// The source is read whole before out is written: the two may be one slot.
bool PObjStruct::_PFunction::AssignTo(PObject* target, int32_t opcode, const SValue& source, SValue& out,
                                      bool keep) {
  switch (target->GetDefinition()->GetTypeCode()) {
    case TYPE_INTEGER: {
      PObjInt* n = static_cast<PObjInt*>(target);
      const uint64_t v = uint64_t(n->GetValue());
      const int64_t x = Int64Of(source);
      switch (opcode) {
        case OP_ASSIGN_VALUE: n->SetValue(x); break;
        case OP_MULTIPLY_ASSIGN: n->SetValue(Wrap(v * uint64_t(x))); break;
        case OP_DIVIDE_ASSIGN:
          // Dividing by zero has no value: the member fails.
          if (x == 0) return false;
          n->SetValue(x == -1 ? Wrap(0 - v) : n->GetValue() / x);
          break;
        case OP_MODULO_ASSIGN:
          if (x == 0) return false;
          n->SetValue(x == -1 ? 0 : n->GetValue() % x);
          break;
        case OP_ADD_ASSIGN: n->SetValue(Wrap(v + uint64_t(x))); break;
        case OP_SUBTRACT_ASSIGN: n->SetValue(Wrap(v - uint64_t(x))); break;
      }
      out.SetInt64(n->GetValue());
      out.SetFlag(SLOT_VALUE);
      break;
    }
    case TYPE_FLOAT: {
      PObjFloat* f = static_cast<PObjFloat*>(target);
      const double v = f->GetValue();
      const double x = DoubleOf(source);
      switch (opcode) {
        case OP_ASSIGN_VALUE: f->SetValue(x); break;
        case OP_MULTIPLY_ASSIGN: f->SetValue(v * x); break;
        case OP_DIVIDE_ASSIGN: f->SetValue(v / x); break;
        case OP_MODULO_ASSIGN: f->SetValue(std::fmod(v, x)); break;
        case OP_ADD_ASSIGN: f->SetValue(v + x); break;
        case OP_SUBTRACT_ASSIGN: f->SetValue(v - x); break;
      }
      out.SetDouble(f->GetValue());
      out.SetFlag(SLOT_VALUE);
      break;
    }
    case TYPE_STRING: {
      PObjString* t = static_cast<PObjString*>(target);
      const SString text = source.IsString() ? SString() : source.ToString();
      const char* added = source.IsString() ? source.GetStringValue().GetText() : text.GetText();
      if (opcode == OP_ASSIGN_VALUE) t->SetText(added);
      else if (opcode == OP_ADD_ASSIGN) t->GetString().Append(added);
      if (keep) out.SetString(t->GetText());
      out.SetFlag(SLOT_VALUE);
      break;
    }
    case TYPE_UNISTRING: {
      PObjUniString* t = static_cast<PObjUniString*>(target);
      if (opcode == OP_ASSIGN_VALUE) t->SetText(source.ToUniString().GetText());
      else if (opcode == OP_ADD_ASSIGN) t->GetString().Append(source.ToUniString().GetText());
      if (keep) out.SetUniString(t->GetText());
      out.SetFlag(SLOT_VALUE);
      break;
    }
    default:
      break;
  }
  return true;
}

bool PObjStruct::_PFunction::Step(int32_t opcode) {
  if (m_top < 1) return false;
  PObject* target = AsObject(Top());
  if (!target) return false;
  const int64_t delta = opcode == OP_INCREMENT ? 1 : -1;
  switch (target->GetDefinition()->GetTypeCode()) {
    case TYPE_INTEGER: {
      PObjInt* n = static_cast<PObjInt*>(target);
      n->SetValue(Wrap(uint64_t(n->GetValue()) + uint64_t(delta)));
      Top().SetInt64(n->GetValue());
      Top().SetFlag(SLOT_VALUE);
      break;
    }
    case TYPE_FLOAT: {
      PObjFloat* f = static_cast<PObjFloat*>(target);
      f->SetValue(f->GetValue() + double(delta));
      Top().SetDouble(f->GetValue());
      Top().SetFlag(SLOT_VALUE);
      break;
    }
    default:
      break;
  }
  return true;
}
