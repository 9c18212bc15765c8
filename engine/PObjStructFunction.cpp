// Loading and running one member function of a user object.
#include "engine/PObjStructFunction.h"

#include <new>

#include "classes/PObjFloat.h"
#include "classes/PObjInt.h"
#include "classes/PObjString.h"
#include "classes/PObjUniString.h"
#include "engine/PEngine.h"
#include "engine/PObjectDefinition.h"
#include "engine/PObjectInfo.h"
#include "engine/PObjectRef.h"
#include "engine/compiler/PCodeInfo.h"

PObjStruct::_PFunction::_PFunction(PObjStruct* owner)
    : m_busy(false),
      m_loaded(false),
      m_numbersOnly(false),
      m_hasLocals(false),
      m_paramCount(0),
      m_stackSize(0),
      m_top(0),
      m_firstCode(nullptr),
      m_freeSpare(nullptr),
      m_nextFree(nullptr),
      m_returnTo(nullptr),
      m_returnPc(nullptr),
      m_calledObject(nullptr),
      m_calledMember(0),
      m_resultStorage(0),
      m_resultCell(&m_resultStorage),
      m_caller(nullptr),
      m_result(nullptr),
      m_block(0),
      m_lastBlock(-1),
      m_nextBlock(0),
      m_owner(owner),
      m_definition(nullptr),
      m_integerClass(nullptr),
      m_stringClass(nullptr),
      m_member(-1),
      m_hasAutoLocals(false),
      m_resultType(TYPE_VOID),
      m_resultClass(nullptr),
      m_argSlots(0) {}

PObjStruct::_PFunction::~_PFunction() { Unload(); }

// ==== Loading ===================================================================================

bool PObjStruct::_PFunction::Load(PObjectDefinition* definition, int member) {
  if (!definition || member < 0 || member >= definition->GetMemberCount()) return false;
  m_definition = definition;
  m_member = member;
  return true;
}

bool PObjStruct::_PFunction::MaterialiseCode() {
  if (!m_definition) return false;
  // Marked first: the cells of this function are found by the owner's
  // lookups while its code is copied.
  m_loaded = true;
  PObjectInfo* result = m_definition->GetReturnInfo(m_member);
  m_resultClass = result ? result->GetType() : nullptr;
  m_resultType = result ? result->GetTypeCode() : TYPE_VOID;
  m_paramCount = m_definition->GetParamCount(m_member);
  m_numbersOnly = true;
  for (int i = 0; i < m_definition->GetDeclarationCount(m_member); i++) {
    PObjectRef* cell = PObjStruct::MakeRef(m_owner, m_definition->GetParamInfo(m_member, i));
    if (!cell || m_cells.Add(cell) < 0) {
      delete cell;
      return false;
    }
    const PObjectInfo* declaration = cell->GetDeclaration();
    if (i < m_paramCount) {
      const TypeCode type = declaration->GetTypeCode();
      PEngine* engine = m_definition->GetEngine();
      PObject* box = type == TYPE_INTEGER ? static_cast<PObject*>(engine->NewInteger())
                     : type == TYPE_FLOAT ? static_cast<PObject*>(engine->NewFloat())
                                          : nullptr;
      m_paramBoxes.push_back(box);
      if (!box && (type == TYPE_INTEGER || type == TYPE_FLOAT)) return false;
      if (box) cell->SetRefObject(box);
      else m_numbersOnly = false;
      continue;
    }
    if (!declaration->IsAutoCreate()) continue;
    if (declaration->GetTypeCode() == TYPE_INTEGER || declaration->GetTypeCode() == TYPE_FLOAT) {
      if (!cell->CreateObject()) return false;
      if (declaration->GetTypeCode() == TYPE_INTEGER)
        m_integerLocals.push_back(static_cast<PObjInt*>(cell->GetRefObject()));
      else
        m_floatLocals.push_back(static_cast<PObjFloat*>(cell->GetRefObject()));
    } else {
      m_hasAutoLocals = true;
    }
  }
  m_hasLocals = m_hasAutoLocals || !m_integerLocals.empty() || !m_floatLocals.empty();
  return LoadCode();
}

void PObjStruct::_PFunction::LinkBlocks() {
  _PCode end = {};
  end.opcode = FUSED_FUNCTION_END;
  m_code.push_back(end);  // after the last block; no block holds it
  m_blockFirst.clear();
  for (int32_t start : m_blockStart) m_blockFirst.push_back(m_code.data() + start);
  const int32_t blocks = int32_t(m_blockStart.size()) - 1;
  for (int32_t b = 0; b < blocks; b++) {
    const int32_t start = m_blockStart[size_t(b)], stop = m_blockStart[size_t(b) + 1];
    for (int32_t i = start; i < stop; i++) {
      _PCode& code = m_code[size_t(i)];
      code.blockIndex = b;
      code.following = BlockAt(b + 1);
      if (code.opcode == OP_OR || code.opcode == OP_AND) {
        code.target1 = code.jump1 >= 0 ? &m_code[size_t(start + code.jump1)] : nullptr;
      } else if (code.opcode == OP_FOR_START) {
        code.target1 = BlockAt(b + 2);
      } else {
        code.target1 = BlockAt(code.jump1);
        code.target2 = BlockAt(code.jump2);
      }
    }
  }
  m_firstCode = BlockAt(0);
}

PObject* PObjStruct::_PFunction::FixedObject(const PObjectRef* cell) const {
  if (!cell) return nullptr;
  for (int i = 0; i < int(m_paramBoxes.size()); i++) {
    if (m_cells.GetAt(i) == cell) return m_paramBoxes[size_t(i)];
  }
  const PObjectInfo* declaration = cell->GetDeclaration();
  const TypeCode type = declaration->GetTypeCode();
  if (!declaration->IsAutoCreate() || (type != TYPE_INTEGER && type != TYPE_FLOAT)) return nullptr;
  return cell->GetRefObject();
}

bool PObjStruct::_PFunction::IsMadePerRun(const PObjectRef* cell) const {
  const PObjectInfo* declaration = cell->GetDeclaration();
  const TypeCode type = declaration->GetTypeCode();
  return declaration->IsAutoCreate() && type != TYPE_INTEGER && type != TYPE_FLOAT;
}

bool PObjStruct::_PFunction::LoadCode() {
  PEngine* engine = m_definition->GetEngine();
  m_integerClass = engine->GetIntegerDefinition();
  m_stringClass = engine->GetStringDefinition();
  const PCodeInfo* info = m_definition->GetCode(m_member);
  const int statements = info ? info->GetStatementCount() : 0;
  m_blockStart.reserve(size_t(statements) + 1);
  for (int s = 0; s < statements; s++) {
    m_blockStart.push_back(int32_t(m_code.size()));
    const PCodeInfo::NodeList* nodes = info->GetStatement(s);
    for (int n = 0; n < nodes->GetCount(); n++) {
      const PCodeInfo::_PData* node = nodes->GetAt(n);
      _PCode code = {};
      code.opcode = node->type >= OP_NONE && node->type <= OP_LAST ? node->type : OP_NONE;
      code.jump1 = node->jump1;
      code.jump2 = node->jump2;
      code.declaringClass = node->declaringClass;
      code.memberKind = node->memberKind;
      code.memberIndex = node->memberIndex;
      code.memberId = node->memberId;
      code.paramCount = node->paramCount;
      code.resultType = node->returnType;
      code.isVirtual = node->isVirtual;
      switch (node->type) {
        case OP_CONSTANT:
          code.constant = node->constant;
          break;
        case OP_VARIABLE: case OP_VARIABLE_CELL: case OP_INTEGER_VALUE: case OP_FLOAT_VALUE:
        case OP_STRING_VALUE: case OP_UNISTRING_VALUE: case OP_STRING_QUOTED:
          code.cell = m_owner->FindRef(node->declaration, this);
          if (!code.cell) return false;
          code.box = FixedObject(code.cell);  // the statement's folds ask it
          break;
        case OP_MEMBER: case OP_MEMBER_CELL: case OP_MEMBER_INTEGER: case OP_MEMBER_FLOAT:
        case OP_MEMBER_STRING: case OP_MEMBER_UNISTRING:
          code.declaration = node->declaration;
          break;
        case OP_CLASS: case OP_NEW:
          code.classDef = node->classDef;
          break;
        default:
          break;
      }
      m_code.push_back(code);
    }
    FuseStatement(m_code, size_t(m_blockStart.back()));
    FoldStore(m_code, size_t(m_blockStart.back()));
    FoldConstantOperands(m_code, size_t(m_blockStart.back()));
    FoldFixedOperands(m_code, size_t(m_blockStart.back()));
    FuseElementReads(m_code, size_t(m_blockStart.back()));
    CloseStatement(m_code, size_t(m_blockStart.back()));
  }
  m_blockStart.push_back(int32_t(m_code.size()));
  FuseLoopEnds(m_code, m_blockStart);
  LinkBlocks();
  for (_PCode& code : m_code) {
    code.box = FixedObject(code.cell);
    code.box2 = FixedObject(code.cell2);
    code.counterBox = FixedObject(code.counter);
  }
  MakeFixed(m_code, m_integerClass);
  for (_PCode& code : m_code) code.handler = Handlers()[code.opcode];

  m_stackSize = info ? info->GetStackDepth() + 1 : 1;
  m_stack.reset(new (std::nothrow) SValue[size_t(m_stackSize)]);
  if (!m_stack) return false;
  m_argSlots = (info ? info->GetMaxParams() : 0) + 1;
  m_argStorage.reset(new (std::nothrow) uint64_t[size_t(m_argSlots) + 1]);
  if (!m_argStorage) return false;
  if (info) {
    for (int i = 0; i < info->GetMaxIntegers(); i++) m_integers.push_back(engine->NewInteger());
    for (int i = 0; i < info->GetMaxFloats(); i++) m_floats.push_back(engine->NewFloat());
    for (int i = 0; i < info->GetMaxStrings(); i++) m_strings.push_back(engine->NewString());
    for (int i = 0; i < info->GetMaxUniStrings(); i++) m_uniStrings.push_back(engine->NewUniString());
  }
  for (PObject* o : m_integers) if (!o) return false;
  for (PObject* o : m_floats) if (!o) return false;
  for (PObject* o : m_strings) if (!o) return false;
  for (PObject* o : m_uniStrings) if (!o) return false;
  return true;
}

bool PObjStruct::_PFunction::Unload() {
  for (_PFunction* copy : m_spares) delete copy;
  m_spares.clear();
  m_freeSpare = nullptr;
  for (int i = 0; i < m_cells.GetCount(); i++) {
    PObjectRef* cell = m_cells.GetAt(i);
    if (i >= m_paramCount && cell->GetRefObject() && FixedObject(cell)) cell->ReleaseObject();
    delete cell;
  }
  m_cells.RemoveAll();
  for (PObject* box : m_paramBoxes) PObject::DeleteObject(box);
  m_paramBoxes.clear();
  m_numbersOnly = false;
  m_integerLocals.clear();
  m_floatLocals.clear();
  m_hasAutoLocals = false;
  m_hasLocals = false;
  m_code.clear();
  m_blockStart.clear();
  m_blockFirst.clear();
  m_firstCode = nullptr;
  m_stack.reset();
  m_argStorage.reset();
  for (PObject* o : m_integers) PObject::DeleteObject(o);
  for (PObject* o : m_floats) PObject::DeleteObject(o);
  for (PObject* o : m_strings) PObject::DeleteObject(o);
  for (PObject* o : m_uniStrings) PObject::DeleteObject(o);
  m_integers.clear();
  m_floats.clear();
  m_strings.clear();
  m_uniStrings.clear();
  m_loaded = false;
  return true;
}

PObjectRef* PObjStruct::_PFunction::FindCell(const PObjectInfo* declaration) const {
  for (int i = 0; i < m_cells.GetCount(); i++) {
    if (m_cells.GetAt(i)->GetDeclaration() == declaration) return m_cells.GetAt(i);
  }
  return nullptr;
}

PObjStruct::_PFunction* PObjStruct::_PFunction::MakeSpare() {
  _PFunction* copy = new (std::nothrow) _PFunction(m_owner);
  if (!copy) return nullptr;
  m_spares.push_back(copy);
  if (!copy->Load(m_definition, m_member) || !copy->Materialise()) {
    m_spares.pop_back();
    delete copy;
    return nullptr;
  }
  return copy;
}

// ==== Running ===================================================================================

bool PObjStruct::_PFunction::CreateLocals() {
  for (PObjInt* n : m_integerLocals) n->SetValue(0);
  for (PObjFloat* f : m_floatLocals) f->SetValue(0.0);
  if (!m_hasAutoLocals) return true;
  for (int i = m_paramCount; i < m_cells.GetCount(); i++) {
    PObjectRef* cell = m_cells.GetAt(i);
    if (!IsMadePerRun(cell)) continue;
    if (!cell->CreateObject()) return false;
    PObject* made = cell->GetRefObject();
    // Number and text objects raise no events: nothing to bind.
    if (!made->GetDefinition()->IsBasicValueClass() && !m_owner->BindOwner(made)) return false;
  }
  return true;
}

bool PObjStruct::_PFunction::ReleaseLocals() {
  if (!m_hasAutoLocals) return true;
  bool ok = true;
  for (int i = m_paramCount; i < m_cells.GetCount(); i++) {
    PObjectRef* cell = m_cells.GetAt(i);
    if (!IsMadePerRun(cell) || !cell->GetRefObject()) continue;
    if (!cell->ReleaseObject()) ok = false;
  }
  return ok;
}

// The caller's object stays the parameter's where the parameter is not
// boxed; a boxed one takes the number (0 for a missing argument or one that
// holds no number).
void PObjStruct::_PFunction::TakeArgument(int index, PObject* argument) {
  PObject* box = m_paramBoxes[size_t(index)];
  if (!box) {
    m_cells.GetAt(index)->SetRefObject(argument);
    return;
  }
  const TypeCode given = argument ? argument->GetDefinition()->GetTypeCode() : TYPE_VOID;
  const int64_t n = given == TYPE_INTEGER ? static_cast<PObjInt*>(argument)->GetValue()
                    : given == TYPE_FLOAT ? int64_t(static_cast<PObjFloat*>(argument)->GetValue())
                                          : 0;
  const double x = given == TYPE_FLOAT ? static_cast<PObjFloat*>(argument)->GetValue() : double(n);
  if (box->GetDefinition()->GetTypeCode() == TYPE_INTEGER) static_cast<PObjInt*>(box)->SetValue(n);
  else static_cast<PObjFloat*>(box)->SetValue(x);
}

void PObjStruct::_PFunction::GiveBackArgument(int index, PObject* argument) const {
  PObject* box = m_paramBoxes[size_t(index)];
  if (!box) {
    m_cells.GetAt(index)->SetRefObject(nullptr);
    return;
  }
  if (!argument || argument->GetDefinition() != box->GetDefinition()) return;
  if (box->GetDefinition()->GetTypeCode() == TYPE_INTEGER)
    static_cast<PObjInt*>(argument)->SetValue(static_cast<PObjInt*>(box)->GetValue());
  else
    static_cast<PObjFloat*>(argument)->SetValue(static_cast<PObjFloat*>(box)->GetValue());
}

bool PObjStruct::_PFunction::Run(PArgs* args, PResultCell* result, PObject* caller) {
  if (!Materialise()) return false;
  const int argCount = PObject::GetArgCount(args);
  // Arguments past the parameters have no cell: the locals keep theirs.
  const int bound = argCount < m_paramCount ? argCount : m_paramCount;
  for (int i = 0; i < m_paramCount; i++) TakeArgument(i, i < bound ? args->slots[i].object : nullptr);
  const bool ok = RunBody(result, caller);
  for (int i = 0; i < m_paramCount; i++) GiveBackArgument(i, i < bound ? args->slots[i].object : nullptr);
  return ok;
}

bool PObjStruct::_PFunction::RunBody(PResultCell* result, PObject* caller) {
  bool ok = BeginRun(result, caller) && RunBlocks(m_definition->GetEngine());
  if (!EndRun()) ok = false;
  return ok;
}
