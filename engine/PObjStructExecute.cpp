// The instruction table of the stack machine: one block (one statement) at
// a time, its closing instruction choosing the block that runs next.
#include <cmath>
#include <cstdint>

#include "classes/PObjFloat.h"
#include "classes/PObjInt.h"
#include "classes/PObjString.h"
#include "classes/PObjUniString.h"
#include "engine/PEngine.h"
#include "engine/PObjStructFunction.h"
#include "engine/PObjectDefinition.h"
#include "engine/PObjectInfo.h"
#include "engine/PObjectRef.h"
#include "engine/compiler/Opcode.h"

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

inline bool Compare(int32_t opcode, int64_t a, int64_t b) {
  switch (opcode) {
    case OP_EQUAL: return a == b;
    case OP_NOT_EQUAL: return a != b;
    case OP_GREATER: return a > b;
    case OP_GREATER_EQUAL: return a >= b;
    case OP_LESS: return a < b;
    default: return a <= b;
  }
}

// The operators on two integers, computed as the SValue rules would; false
// leaves the operation to those rules (a remainder by zero, which fails).
inline bool IntegerOperation(int32_t opcode, SValue& left, const SValue& right) {
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
inline bool DoubleOperation(int32_t opcode, SValue& left, const SValue& right) {
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

// The value of a number slot as the other kind needs it, without the call
// that texts need.
inline int64_t Int64Of(const SValue& v) { return v.IsInt64() ? v.GetInt64Value() : v.ToInt64(); }
inline double DoubleOf(const SValue& v) { return v.IsDouble() ? v.GetDoubleValue() : v.ToDouble(); }

// The object of a cell when it is of the given value class, else null.
template <class T>
inline T* ValueIn(const PObjectRef* cell, const PObjectDefinition* valueClass) {
  PObject* o = cell->GetRefObject();
  return o && o->GetDefinition() == valueClass ? static_cast<T*>(o) : nullptr;
}

// An object pushed from a variable declared with "new".
bool OwnedByVariable(const PObjStruct::_PCode& code) {
  if (code.opcode == OP_VARIABLE) return code.cell->GetDeclaration()->IsAutoCreate();
  if (code.opcode == OP_MEMBER) return code.declaration->IsAutoCreate();
  return false;
}

}  // namespace

// Kept in this file with ExecuteBlock, so that moving from one statement to
// the next costs no call.
bool PObjStruct::_PFunction::RunBlocks(PEngine* engine) {
  const _PCode* const code = m_code.data();
  const int32_t* const starts = m_blockStart.data();
  const int32_t blocks = int32_t(m_blockStart.size()) - 1;
  int32_t block = m_block;
  while (block < blocks) {
    int32_t next = block + 1;
    const bool ok = ExecuteBlock(block, code + starts[block], starts[block + 1] - starts[block], next);
    // A failed statement ends the program; so does an end that came from
    // elsewhere (another thread's Exit) while this member ran.
    if (!ok || !engine->MayRunScripts()) {
      engine->Exit();
      return ok;
    }
    block = next;
  }
  return true;
}

// The block's number, instructions and successor travel in registers: only
// the instructions that look back at them (elseif, switch) read them from
// the function.
[[gnu::always_inline]] inline bool PObjStruct::_PFunction::ExecuteBlock(int32_t block, const _PCode* first,
                                                                        int32_t count, int32_t& next) {
  m_top = 0;
  for (int32_t index = 0; index < count; index++) {
    const _PCode& code = first[index];
    SValue* s = m_stack.get();
    switch (code.opcode) {
      // ---- Pushes ----
      case OP_CONSTANT:
        if (!Push()) return false;
        if (code.constant->IsInt64()) Top().SetInt64(code.constant->GetInt64Value());
        else if (code.constant->IsDouble()) Top().SetDouble(code.constant->GetDoubleValue());
        else Top().AssignValue(*code.constant);
        break;
      case OP_VARIABLE:
        if (!PushObject(code.cell->GetRefObject())) return false;
        break;
      case OP_VARIABLE_CELL:
        if (!PushCell(code.cell)) return false;
        break;
      case OP_MEMBER:
      case OP_MEMBER_CELL:
        if (!PushMemberCell(code, code.opcode == OP_MEMBER_CELL)) return false;
        break;
      case OP_THIS:
        if (!PushObject(m_owner)) return false;
        break;
      case OP_CALLER:
        if (!PushObject(m_caller)) return false;
        break;
      case OP_GLOBAL:
        if (!PushObject(m_definition->GetEngine()->GetGlobal())) return false;
        break;
      case OP_APPLICATION:
        if (!PushObject(m_definition->GetEngine()->GetApplication())) return false;
        break;
      case OP_CLASS: {
        PObject* part = m_owner->GetDefinition() == code.classDef ? m_owner
                                                                   : m_owner->FindBasePart(code.classDef);
        if (!PushObject(part)) return false;
        break;
      }
      // The declared class makes the object's class certain.
      case OP_INTEGER_VALUE: {
        const PObject* object = code.cell->GetRefObject();
        if (!object || !Push()) return false;
        Top().SetInt64(static_cast<const PObjInt*>(object)->GetValue());
        break;
      }
      case OP_FLOAT_VALUE: {
        const PObject* object = code.cell->GetRefObject();
        if (!object || !Push()) return false;
        Top().SetDouble(static_cast<const PObjFloat*>(object)->GetValue());
        break;
      }
      case OP_STRING_VALUE: case OP_UNISTRING_VALUE: case OP_STRING_QUOTED:
        if (!PushCellValue(code.cell, code.opcode)) return false;
        break;
      case OP_MEMBER_INTEGER: case OP_MEMBER_FLOAT: case OP_MEMBER_STRING: case OP_MEMBER_UNISTRING:
        if (!PushMemberValue(code)) return false;
        break;
      case OP_CALL:
        if (!CallMember(code)) return false;
        // The engine ended during the call: nothing more of this member runs.
        if (!m_definition->GetEngine()->MayRunScripts()) return true;
        break;
      case OP_NEW: {
        PObject* made = PObjStruct::NewObject(code.classDef);
        if (!made || !PushObject(made)) return false;
        break;
      }

      // ---- Binary operators: left = left op right, pop ----
      case OP_ADD: case OP_SUBTRACT: case OP_MULTIPLY: case OP_DIVIDE: case OP_MODULO:
      case OP_EQUAL: case OP_NOT_EQUAL: case OP_GREATER: case OP_GREATER_EQUAL: case OP_LESS:
      case OP_LESS_EQUAL: case OP_MATCHES: case OP_BIT_OR: case OP_BIT_AND: case OP_BIT_XOR:
      case OP_SHIFT_LEFT: case OP_SHIFT_RIGHT: {
        if (m_top < 2) return false;
        SValue& left = s[m_top - 2];
        const SValue& right = s[m_top - 1];
        // The result is a value even where an operand was an object
        // (o==p), and never to be used as one.
        left.SetFlag(SLOT_VALUE);
        // Two integers, the common case, go without the general rules.
        if (left.IsInt64() && right.IsInt64() ? IntegerOperation(code.opcode, left, right)
                                              : DoubleOperation(code.opcode, left, right)) {
          m_top--;
          break;
        }
        switch (code.opcode) {
          case OP_ADD: left.Add(right); break;
          case OP_SUBTRACT: left.Subtract(right); break;
          case OP_MULTIPLY: left.Multiply(right); break;
          case OP_DIVIDE:
            if (right.IsInt64() || right.IsDouble()) left.DivideBy(right.ToDouble());
            break;
          case OP_MODULO:
            // An integer remainder by zero has no value: the member fails,
            // as it does for "%=".
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
        }
        m_top--;
        break;
      }

      // ---- Short-circuit: the deciding value stays and the rest is skipped ----
      case OP_OR:
      case OP_AND: {
        if (m_top < 1) return false;
        const bool set = IsTrue(Top());
        if (set == (code.opcode == OP_OR)) {
          if (code.jump1 < 0 || code.jump1 > count) return false;
          index = code.jump1 - 1;
        } else {
          m_top--;
        }
        break;
      }

      // ---- Unary operators ----
      case OP_NOT: case OP_COMPLEMENT: case OP_NEGATE:
        if (m_top < 1) return false;
        if (code.opcode == OP_NOT) Top().LogicalNot();
        else if (code.opcode == OP_COMPLEMENT) Top().BitwiseNot();
        else if (Top().IsDouble()) Top().SetDouble(-Top().GetDoubleValue());
        else Top().Negate();
        Top().SetFlag(SLOT_VALUE);
        break;

      // ---- Block instructions: they close the statement ----
      case OP_IF: case OP_WHILE: case OP_FOR:
        if (m_top < 1) return false;
        next = IsTrue(Top()) ? code.jump1 : code.jump2;
        m_lastBlock = block;
        return true;
      case OP_ELSE: case OP_BREAK: case OP_CONTINUE: case OP_CASE: case OP_DEFAULT: case OP_END:
        next = code.jump2;
        m_lastBlock = block;
        return true;
      case OP_ELSEIF:
        m_block = block;
        if (!ElseIf(code)) return false;
        next = m_nextBlock;
        return true;
      case OP_FOR_START:
        next = block + 2;
        m_lastBlock = block;
        return true;
      case OP_SWITCH:
        m_block = block;
        if (!Switch(code)) return false;
        next = m_nextBlock;
        return true;
      case OP_RETURN:
        if (!Return()) return false;
        next = code.jump1;
        m_lastBlock = block;
        return true;

      // ---- Assignments ----
      case OP_ASSIGN: {
        if (m_top < 2) return false;
        PObjectRef* cell = AsCell(Below());
        // A variable declared with "new" owns its object and releases it with
        // its holder: pointing it elsewhere would lose that object and later
        // release one it does not own.
        if (!cell || cell->GetDeclaration()->IsAutoCreate()) return false;
        PObject* object;
        if (!TakeObject(Top(), object)) return false;
        if (object) object = object->CastToClass(cell->GetDeclaration()->GetType());
        cell->SetRefObject(object);
        m_top--;
        SetObject(Top(), object);
        break;
      }
      case OP_ASSIGN_VALUE: case OP_MULTIPLY_ASSIGN: case OP_DIVIDE_ASSIGN: case OP_MODULO_ASSIGN:
      case OP_ADD_ASSIGN: case OP_SUBTRACT_ASSIGN:
        // The assigned value is only made when something after it uses it:
        // a long text is not copied for a statement that ends here.
        if (!AssignValue(code.opcode, index + 1 < count)) return false;
        break;
      case OP_INCREMENT:
      case OP_DECREMENT:
        if (!Step(code.opcode)) return false;
        break;

      // ---- Objects ----
      case OP_DELETE: {
        // Only an object can be deleted: a number or a text read as a pointer
        // would release memory that is no object.
        if (m_top < 1 || index == 0 || !AsObject(Top())) return false;
        // Nor can a script delete what a "new" variable owns: its holder
        // releases it again.
        if (OwnedByVariable(first[index - 1])) return false;
        if (!PObjStruct::ReleaseObject(AsObject(Top()), false)) return false;
        m_top--;
        break;
      }
      case OP_INTERCEPT: {
        if (m_top < 1) return false;
        PObject* object = AsObject(Top());
        if (!object) return false;
        m_owner->BindOwner(object);
        m_top--;
        break;
      }
      // ---- Fused statements: done whole, or left to the instructions after ----
      case FUSED_COMPARE_BRANCH: {
        const PObjInt* a = ValueIn<PObjInt>(code.cell, m_integerClass);
        const PObjInt* b = code.cell2 ? ValueIn<PObjInt>(code.cell2, m_integerClass) : nullptr;
        if (!a || (code.cell2 && !b)) break;
        const int64_t x = a->GetValue(), y = b ? b->GetValue() : code.constant->GetInt64Value();
        next = Compare(code.fusedOp, x, y) ? code.jump1 : code.jump2;
        m_lastBlock = block;
        return true;
      }
      case FUSED_INT_ASSIGN: {
        PObjInt* a = ValueIn<PObjInt>(code.cell, m_integerClass);
        const PObjInt* b = code.cell2 ? ValueIn<PObjInt>(code.cell2, m_integerClass) : nullptr;
        if (!a || (code.cell2 && !b)) break;
        const uint64_t x = uint64_t(a->GetValue());
        const uint64_t y = uint64_t(b ? b->GetValue() : code.constant->GetInt64Value());
        switch (code.fusedOp) {
          case OP_ASSIGN_VALUE: a->SetValue(Wrap(y)); break;
          case OP_ADD_ASSIGN: a->SetValue(Wrap(x + y)); break;
          case OP_SUBTRACT_ASSIGN: a->SetValue(Wrap(x - y)); break;
          default: a->SetValue(Wrap(x * y)); break;
        }
        m_lastBlock = block;
        return true;
      }
      case FUSED_FOR_NEXT: {
        PObjInt* counter = ValueIn<PObjInt>(code.counter, m_integerClass);
        const PObjInt* a = ValueIn<PObjInt>(code.cell, m_integerClass);
        const PObjInt* b = code.cell2 ? ValueIn<PObjInt>(code.cell2, m_integerClass) : nullptr;
        if (!counter || !a || (code.cell2 && !b)) break;  // the plain end
        counter->SetValue(Wrap(uint64_t(counter->GetValue()) + uint64_t(code.stepBy)));
        const int64_t y = b ? b->GetValue() : code.constant->GetInt64Value();
        next = Compare(code.fusedOp, a->GetValue(), y) ? code.jump1 : code.jump2;
        m_lastBlock = code.testBlock;
        return true;
      }
      case FUSED_STRING_APPEND: {
        PObjString* text = ValueIn<PObjString>(code.cell, m_stringClass);
        if (!text) break;
        text->GetString().Append(code.constant->GetStringValue().GetText());
        m_lastBlock = block;
        return true;
      }
      case FUSED_INT_STEP: {
        PObjInt* a = ValueIn<PObjInt>(code.cell, m_integerClass);
        if (!a) break;
        a->SetValue(Wrap(uint64_t(a->GetValue()) + (code.fusedOp == OP_INCREMENT ? 1u : uint64_t(-1))));
        m_lastBlock = block;
        return true;
      }
      default:
        break;  // removed nodes and unknown numbers do nothing
    }
  }
  m_lastBlock = block;
  return true;
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
    case TYPE_FLOAT: return PObject::ReturnDouble(m_result, value.ToDouble());
    case TYPE_INTEGER: return PObject::ReturnInt64(m_result, value.ToInt64());
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
  const SValue& source = Top();
  if (!target) return false;
  // The statement's value, when it goes on: the new value of the variable.
  SValue& out = Below();
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
  m_top--;
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
