// Fusing the statements that loops spend their time in. A counting loop
// runs a comparison, an update and a step per turn, each a statement of
// three or four instructions; fused, each is one instruction that reads and
// writes the Integer (or String) objects directly. Only whole statements of these exact
// forms are fused, so no jump inside a statement moves.
#include "classes/PObjIntegerArray.h"
#include "engine/PObjStructFunction.h"
#include "engine/PObjectInfo.h"
#include "engine/PObjectRef.h"
#include "engine/compiler/Opcode.h"

namespace {

bool IsIntegerCell(const PObjStruct::_PCode& c) {
  return c.cell && c.cell->GetDeclaration()->GetTypeCode() == TYPE_INTEGER;
}

// An Integer variable's value or an integer literal.
bool IsIntegerOperand(const PObjStruct::_PCode& c) {
  if (c.opcode == OP_INTEGER_VALUE) return true;
  return c.opcode == OP_CONSTANT && c.constant->IsInt64();
}

PObjStruct::_PCode Fused(int32_t opcode, const PObjStruct::_PCode& target,
                         const PObjStruct::_PCode& operand, int32_t op) {
  PObjStruct::_PCode f = {};
  f.opcode = opcode;
  f.cell = target.cell;
  if (operand.opcode == OP_CONSTANT) f.constant = operand.constant;
  else f.cell2 = operand.cell;
  f.fusedOp = op;
  return f;
}

}  // namespace

void FuseStatement(std::vector<PObjStruct::_PCode>& code, size_t start) {
  const size_t n = code.size() - start;
  const PObjStruct::_PCode* c = code.data() + start;
  PObjStruct::_PCode fused;
  if (n == 4 && c[0].opcode == OP_INTEGER_VALUE && IsIntegerOperand(c[1]) && c[2].opcode >= OP_EQUAL &&
      c[2].opcode <= OP_LESS_EQUAL &&
      (c[3].opcode == OP_IF || c[3].opcode == OP_WHILE || c[3].opcode == OP_FOR)) {
    fused = Fused(FUSED_COMPARE_BRANCH, c[0], c[1], c[2].opcode);
    fused.closing = c[3].opcode;
    fused.jump1 = c[3].jump1;
    fused.jump2 = c[3].jump2;
  } else if (n == 3 && c[0].opcode == OP_VARIABLE && IsIntegerCell(c[0]) && IsIntegerOperand(c[1]) &&
             (c[2].opcode == OP_ASSIGN_VALUE || c[2].opcode == OP_ADD_ASSIGN ||
              c[2].opcode == OP_SUBTRACT_ASSIGN || c[2].opcode == OP_MULTIPLY_ASSIGN)) {
    fused = Fused(FUSED_INT_ASSIGN, c[0], c[1], c[2].opcode);
  } else if (n == 3 && c[0].opcode == OP_VARIABLE && c[0].cell &&
             c[0].cell->GetDeclaration()->GetTypeCode() == TYPE_STRING &&
             c[1].opcode == OP_CONSTANT && c[1].constant->IsString() && c[2].opcode == OP_ADD_ASSIGN) {
    fused = Fused(FUSED_STRING_APPEND, c[0], c[1], OP_ADD_ASSIGN);
  } else if (n == 2 && c[0].opcode == OP_VARIABLE && IsIntegerCell(c[0]) &&
             (c[1].opcode == OP_INCREMENT || c[1].opcode == OP_DECREMENT)) {
    fused = Fused(FUSED_INT_STEP, c[0], c[0], c[1].opcode);
  } else {
    return;
  }
  code.insert(code.begin() + std::ptrdiff_t(start), fused);
}

namespace {

bool IsFoldableOperator(int32_t opcode) {
  return (opcode >= OP_ADD && opcode <= OP_LESS_EQUAL) || (opcode >= OP_BIT_OR && opcode <= OP_SHIFT_RIGHT);
}

// Whether an "and" or "or" of the statement continues at its node index.
bool IsJumpTarget(const std::vector<PObjStruct::_PCode>& code, size_t start, int32_t index) {
  for (size_t j = start; j < code.size(); j++) {
    if ((code[j].opcode == OP_OR || code[j].opcode == OP_AND) && code[j].jump1 == index) return true;
  }
  return false;
}

}  // namespace

// The values an instruction takes from the top of the operand stack and
// the values it leaves there; false for the instructions that close a
// statement or jump within it.
bool StackEffect(const PObjStruct::_PCode& c, int& taken, int& left) {
  taken = 0;
  left = 1;
  switch (c.opcode) {
    case OP_NONE: case OP_ACCESS: left = 0; return true;
    case OP_CONSTANT: case OP_VARIABLE: case OP_VARIABLE_CELL: case OP_THIS: case OP_CALLER:
    case OP_GLOBAL: case OP_APPLICATION: case OP_CLASS: case OP_INTEGER_VALUE: case OP_FLOAT_VALUE:
    case OP_STRING_VALUE: case OP_UNISTRING_VALUE: case OP_STRING_QUOTED: case OP_NEW:
      return true;
    case OP_MEMBER: case OP_MEMBER_CELL: case OP_MEMBER_INTEGER: case OP_MEMBER_FLOAT:
    case OP_MEMBER_STRING: case OP_MEMBER_UNISTRING: case OP_NOT: case OP_COMPLEMENT: case OP_NEGATE:
    case OP_INCREMENT: case OP_DECREMENT:
      taken = 1;
      return true;
    case OP_CALL: taken = c.paramCount + 1; return c.paramCount >= 0;
    case OP_DELETE: case OP_INTERCEPT: taken = 1; left = 0; return true;
    default:
      if ((c.opcode >= OP_ADD && c.opcode <= OP_MATCHES) ||
          (c.opcode >= OP_BIT_OR && c.opcode <= OP_SHIFT_RIGHT) ||
          (c.opcode >= OP_ASSIGN && c.opcode <= OP_SUBTRACT_ASSIGN)) {
        taken = 2;
        return true;
      }
      return false;
  }
}

// Only when the variable's object stays the bottom value untouched until
// the assignment takes it ("a = ...", not "a.x = ..."), in a statement
// without "and"/"or", and only for a variable that owns its object or a
// boxed parameter: nothing the statement runs can point it elsewhere
// meanwhile.
void FoldStore(std::vector<PObjStruct::_PCode>& code, size_t start) {
  const size_t n = code.size() - start;
  if (n < 3 || code[start].opcode != OP_VARIABLE) return;
  if (!code[start].box && !code[start].cell->GetDeclaration()->IsAutoCreate()) return;
  PObjStruct::_PCode& last = code.back();
  if (last.opcode < OP_ASSIGN_VALUE || last.opcode > OP_SUBTRACT_ASSIGN) return;
  int depth = 1;
  for (size_t i = start + 1; i + 1 < code.size(); i++) {
    int taken, left;
    if (!StackEffect(code[i], taken, left) || taken >= depth) return;
    depth += left - taken;
  }
  if (depth != 2) return;
  last.fusedOp = last.opcode;
  last.opcode = FUSED_STORE;
  last.cell = code[start].cell;
  code.erase(code.begin() + std::ptrdiff_t(start));
}

namespace {

// Removes count instructions from index at on; the "and"/"or" jumps past
// them move back by as many.
void EraseNodes(std::vector<PObjStruct::_PCode>& code, size_t start, size_t at, int32_t count) {
  const int32_t last = int32_t(at - start) + count - 1;
  code.erase(code.begin() + std::ptrdiff_t(at), code.begin() + std::ptrdiff_t(at) + count);
  for (size_t j = start; j < code.size(); j++) {
    if ((code[j].opcode == OP_OR || code[j].opcode == OP_AND) && code[j].jump1 > last) code[j].jump1 -= count;
  }
}

}  // namespace

// The pair becomes one instruction; a pair that an "and"/"or" jumps into is
// left as it is.
void FoldConstantOperands(std::vector<PObjStruct::_PCode>& code, size_t start) {
  for (size_t i = start; i + 1 < code.size(); i++) {
    const int32_t op = code[i + 1].opcode;
    if (code[i].opcode != OP_CONSTANT || !IsFoldableOperator(op)) continue;
    if (IsJumpTarget(code, start, int32_t(i + 1 - start))) continue;
    code[i].opcode = FUSED_CONSTANT_OPERAND + (op - OP_ADD);
    code[i].fusedOp = op;
    EraseNodes(code, start, i + 1, 1);
  }
}

// After FoldConstantOperands, whose folded operators these take over; the
// variable keeps its cell and box, and gets the literal.
void FoldFixedOperands(std::vector<PObjStruct::_PCode>& code, size_t start) {
  for (size_t i = start; i + 1 < code.size(); i++) {
    PObjStruct::_PCode& read = code[i];
    const PObjStruct::_PCode& next = code[i + 1];
    const int32_t op = next.opcode - FUSED_CONSTANT_OPERAND + OP_ADD;
    if ((read.opcode != OP_INTEGER_VALUE && read.opcode != OP_FLOAT_VALUE) || !read.box ||
        next.opcode < FUSED_CONSTANT_OPERAND || op > OP_DIVIDE)
      continue;
    if (IsJumpTarget(code, start, int32_t(i + 1 - start))) continue;
    read.opcode = (read.opcode == OP_INTEGER_VALUE ? FIXED_INTEGER_CONSTANT : FIXED_FLOAT_CONSTANT) + (op - OP_ADD);
    read.constant = next.constant;
    read.fusedOp = op;
    EraseNodes(code, start, i + 1, 1);
  }
}

// Only where no "and"/"or" continues at the index or the call.
void FuseElementReads(std::vector<PObjStruct::_PCode>& code, size_t start) {
  using A = PObjIntegerArray;
  for (size_t i = start; i + 2 < code.size(); i++) {
    const PObjStruct::_PCode& array = code[i];
    const PObjStruct::_PCode& index = code[i + 1];
    const PObjStruct::_PCode& call = code[i + 2];
    if (array.opcode != OP_VARIABLE || array.cell->GetDeclaration()->GetTypeCode() != A::kTypeCode ||
        !IsIntegerOperand(index) || call.opcode != OP_CALL || call.memberId != A::GET_AT ||
        call.paramCount != 1 || call.declaringClass || call.memberKind != MEMBER_FUNCTION)
      continue;
    const int32_t removed = int32_t(i + 1 - start);
    if (IsJumpTarget(code, start, removed) || IsJumpTarget(code, start, removed + 1)) continue;
    PObjStruct::_PCode fused = call;
    fused.opcode = FUSED_ELEMENT_READ;
    fused.cell = array.cell;
    if (index.opcode == OP_CONSTANT) fused.constant = index.constant;
    else fused.cell2 = index.cell;
    code[i] = fused;
    EraseNodes(code, start, i + 1, 2);
  }
}

namespace {

// An object pushed from a variable declared with "new" (its holder owns it)
// or from a boxed parameter (the function owns it).
bool OwnedByVariable(const PObjStruct::_PCode& code) {
  if (code.opcode == OP_VARIABLE) return code.box || code.cell->GetDeclaration()->IsAutoCreate();
  if (code.opcode == OP_MEMBER) return code.declaration->IsAutoCreate();
  return false;
}

}  // namespace

void CloseStatement(std::vector<PObjStruct::_PCode>& code, size_t start) {
  const int32_t n = int32_t(code.size() - start);
  const int32_t last = n > 0 ? code.back().opcode : OP_NONE;
  const bool closed = last >= OP_IF && last <= OP_RETURN;
  // An "and"/"or" may continue at any node, or at the end of a statement
  // that does not close itself, where FUSED_BLOCK_END will stand.
  const int32_t furthest = closed ? n - 1 : n;
  for (int32_t i = 0; i < n; i++) {
    PObjStruct::_PCode& c = code[start + size_t(i)];
    if ((c.opcode == OP_OR || c.opcode == OP_AND) && (c.jump1 < 0 || c.jump1 > furthest)) c.jump1 = -1;
    // Only an object can be deleted, and not one that a "new" variable owns.
    if (c.opcode == OP_DELETE) c.fusedOp = i > 0 && !OwnedByVariable(code[start + size_t(i) - 1]);
  }
  if (!closed) {
    PObjStruct::_PCode end = {};
    end.opcode = FUSED_BLOCK_END;
    code.push_back(end);
  }
}

void FuseLoopEnds(std::vector<PObjStruct::_PCode>& code, std::vector<int32_t>& blockStart) {
  const int32_t blocks = int32_t(blockStart.size()) - 1;
  auto first = [&](int32_t b) -> const PObjStruct::_PCode* {
    return b >= 0 && b < blocks && blockStart[size_t(b) + 1] > blockStart[size_t(b)]
               ? &code[size_t(blockStart[size_t(b)])]
               : nullptr;
  };
  std::vector<PObjStruct::_PCode> fused;
  std::vector<int32_t> starts;
  fused.reserve(code.size());
  starts.reserve(blockStart.size());
  for (int32_t b = 0; b < blocks; b++) {
    starts.push_back(int32_t(fused.size()));
    const int32_t begin = blockStart[size_t(b)], end = blockStart[size_t(b) + 1];
    const PObjStruct::_PCode* step = end - begin == 1 && code[size_t(begin)].opcode == OP_END
                                         ? first(code[size_t(begin)].jump2)
                                         : nullptr;
    const PObjStruct::_PCode* test = step ? first(code[size_t(begin)].jump2 + 1) : nullptr;
    if (step && test && step->opcode == FUSED_INT_STEP && test->opcode == FUSED_COMPARE_BRANCH &&
        test->closing == OP_FOR) {
      // The test's operands, operator and targets, with the step's counter.
      PObjStruct::_PCode next = *test;
      next.opcode = FUSED_FOR_NEXT;
      next.counter = step->cell;
      next.stepBy = step->fusedOp == OP_INCREMENT ? 1 : -1;
      next.testBlock = code[size_t(begin)].jump2 + 1;
      fused.push_back(next);
    }
    fused.insert(fused.end(), code.begin() + begin, code.begin() + end);
  }
  starts.push_back(int32_t(fused.size()));
  code.swap(fused);
  blockStart.swap(starts);
}

namespace {

bool IsFixedInteger(const PObject* box, const PObjectDefinition* integerClass) {
  return box && box->GetDefinition() == integerClass;
}

// The right operand of a fused comparison or assignment: a fixed Integer,
// or the integer literal the instruction holds.
bool HasFixedRight(const PObjStruct::_PCode& c, const PObjectDefinition* integerClass) {
  return c.cell2 ? IsFixedInteger(c.box2, integerClass) : c.constant != nullptr;
}

// =, +=, -=, *= as 0 to 3; -1 for the others.
int32_t FixedAssignment(int32_t opcode) {
  switch (opcode) {
    case OP_ASSIGN_VALUE: return 0;
    case OP_ADD_ASSIGN: return 1;
    case OP_SUBTRACT_ASSIGN: return 2;
    case OP_MULTIPLY_ASSIGN: return 3;
    default: return -1;
  }
}

// A folded store is always its statement's last instruction (FoldStore), so
// its fixed form closes the statement.
int32_t FixedForm(const PObjStruct::_PCode& c, const PObjectDefinition* integerClass) {
  const bool left = IsFixedInteger(c.box, integerClass);
  const int32_t comparison = c.fusedOp - OP_EQUAL, assignment = FixedAssignment(c.fusedOp);
  switch (c.opcode) {
    case OP_INTEGER_VALUE: return c.box ? FUSED_FIXED_INTEGER : c.opcode;
    case OP_FLOAT_VALUE: return c.box ? FUSED_FIXED_FLOAT : c.opcode;
    case FUSED_COMPARE_BRANCH:
      return left && HasFixedRight(c, integerClass) ? FIXED_COMPARE_BRANCH + comparison : c.opcode;
    case FUSED_FOR_NEXT:
      return left && HasFixedRight(c, integerClass) && IsFixedInteger(c.counterBox, integerClass)
                 ? FIXED_FOR_NEXT + comparison
                 : c.opcode;
    case FUSED_INT_ASSIGN:
      return left && HasFixedRight(c, integerClass) ? FIXED_INT_ASSIGN + assignment : c.opcode;
    case FUSED_INT_STEP: return left ? FIXED_INT_STEP : c.opcode;
    case FUSED_STORE:
      if (!c.box || assignment < 0) return c.opcode;
      return (left ? FIXED_STORE_INTEGER : FIXED_STORE_FLOAT) + assignment;
    default: return c.opcode;
  }
}

}  // namespace

void MakeFixed(std::vector<PObjStruct::_PCode>& code, const PObjectDefinition* integerClass) {
  for (PObjStruct::_PCode& c : code) c.opcode = FixedForm(c, integerClass);
}
