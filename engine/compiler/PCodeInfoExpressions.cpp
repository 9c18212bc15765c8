// PCodeInfo: the expression compiler. Turns one statement's tokens into
// postfix nodes, resolving every name against the class definitions.
#include <cstring>
#include <new>

#include "engine/PEngine.h"
#include "engine/PObjectDefinition.h"
#include "engine/PObjectInfo.h"
#include "engine/compiler/PCodeInfo.h"
#include "engine/compiler/TokenClass.h"
#include "engine/compiler/TokenText.h"

namespace {

constexpr int kMaxGroupDepth = 256;

// Operator codes: a lower tens digit binds tighter.
constexpr int kAccess = 20;
constexpr int kAnd = 110;
constexpr int kOr = 120;
constexpr int kAssign = 130;
constexpr int kAssignValue = 131;

int Tens(int code) { return code / 10; }
bool IsAssignment(int code) { return code >= 130 && code <= 136; }
bool IsPrefix(int code) { return code >= 10 && code <= 12; }

// Read character by character: every token of a statement passes here, and
// operators are at most three characters long.
int OperatorCode(const char* t, int32_t tokenClass) {
  if (tokenClass == TokenString || tokenClass == TokenIdentifier) return -1;
  const char second = t[0] ? t[1] : 0;
  const bool single = second == 0;
  const bool withEquals = second == '=' && t[2] == 0;
  switch (t[0]) {
    case '!': return single ? 10 : withEquals ? 71 : -1;
    case '~': return single ? 11 : -1;
    case '+': return single ? 40 : withEquals ? 135 : second == '+' && t[2] == 0 ? 13 : -1;
    case '-':
      if (single) return tokenClass == TokenSign ? 12 : 41;
      return withEquals ? 136 : second == '-' && t[2] == 0 ? 14 : -1;
    case '.': return single ? kAccess : withEquals ? kAssignValue : -1;
    case '*': return single ? 30 : withEquals ? 132 : -1;
    case '/': return single ? 31 : withEquals ? 133 : -1;
    case '%': return single ? 32 : withEquals ? 134 : -1;
    case '<': return single ? 60 : withEquals ? 61 : second == '<' && t[2] == 0 ? 50 : -1;
    case '>': return single ? 62 : withEquals ? 63 : second == '>' && t[2] == 0 ? 51 : -1;
    case '?': return withEquals ? 64 : -1;
    case '=': return single ? kAssign : withEquals ? 70 : -1;
    case '&': return single ? 80 : -1;
    case '^': return single ? 90 : -1;
    case '|': return single ? 100 : -1;
    case 'a': return TokenIs(t, "and") ? kAnd : -1;
    case 'o': return TokenIs(t, "or") ? kOr : -1;
    default: return -1;
  }
}

int32_t NodeOfCode(int code) {
  switch (code) {
    case 10: return OP_NOT;
    case 11: return OP_COMPLEMENT;
    case 12: return OP_NEGATE;
    case 13: return OP_INCREMENT;
    case 14: return OP_DECREMENT;
    case 30: return OP_MULTIPLY;
    case 31: return OP_DIVIDE;
    case 32: return OP_MODULO;
    case 40: return OP_ADD;
    case 41: return OP_SUBTRACT;
    case 50: return OP_SHIFT_LEFT;
    case 51: return OP_SHIFT_RIGHT;
    case 60: return OP_LESS;
    case 61: return OP_LESS_EQUAL;
    case 62: return OP_GREATER;
    case 63: return OP_GREATER_EQUAL;
    case 64: return OP_MATCHES;
    case 70: return OP_EQUAL;
    case 71: return OP_NOT_EQUAL;
    case 80: return OP_BIT_AND;
    case 90: return OP_BIT_XOR;
    case 100: return OP_BIT_OR;
    case 130: return OP_ASSIGN;
    case 131: return OP_ASSIGN_VALUE;
    case 132: return OP_MULTIPLY_ASSIGN;
    case 133: return OP_DIVIDE_ASSIGN;
    case 134: return OP_MODULO_ASSIGN;
    case 135: return OP_ADD_ASSIGN;
    case 136: return OP_SUBTRACT_ASSIGN;
    default: return OP_NONE;
  }
}

// The value push of a variable of a value class, from an own (2) or member
// (4) variable node; 0 for other classes.
int32_t ValuePush(TypeCode type, bool member) {
  int32_t base = 0;
  if (type == TYPE_INTEGER) base = OP_INTEGER_VALUE;
  else if (type == TYPE_FLOAT) base = OP_FLOAT_VALUE;
  else if (type == TYPE_STRING) base = OP_STRING_VALUE;
  else if (type == TYPE_UNISTRING) base = OP_UNISTRING_VALUE;
  return base && member ? base + 1 : base;
}

bool IsVariableNode(int32_t t) {
  return t == OP_VARIABLE || t == OP_VARIABLE_CELL || t == OP_MEMBER || t == OP_MEMBER_CELL;
}

// Reasons for the author.

SString UnknownMember(const PObjectDefinition* d, const char* name) {
  SString reason;
  reason.Format("class %s has no member \"%s\"", d->GetName(), name);
  return reason;
}

SString NotOwnClass(const PObjectDefinition* d) {
  SString reason;
  reason.Format("%s is neither this class nor one of its bases", d->GetName());
  return reason;
}

SString ArgumentCount(const char* name, int least, int most, int given) {
  SString reason, wanted;
  if (least == most)
    wanted.Format("%d", most);
  else
    wanted.Format("%d to %d", least, most);
  reason.Format("\"%s\" takes %s argument%s, not %d", name, wanted.GetText(),
                least == 1 && most == 1 ? "" : "s", given);
  return reason;
}

bool IsNameChar(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// The special members run only when objects are made and released.
bool IsSpecialMember(const char* name) {
  return TokenIs(name, "Constructor") || TokenIs(name, "Destructor") ||
         TokenIs(name, "_00000000") || TokenIs(name, "_00000001");
}

const char* TokenText(const SStringArray& tokens, int i) {
  return i >= 0 && i < tokens.GetCount() ? tokens.GetAt(i)->GetText() : "";
}

}  // namespace

// ==== Operators =================================================================================

bool PCodeInfo::EmitOperator(Group& group, WorkList& out) {
  if (group.operatorCount == 0) return false;
  int32_t type = NodeOfCode(group.operators[--group.operatorCount]);
  return type != OP_NONE && NewNode(out, type) != nullptr;
}

// Pops every operator whose tens digit is not above minTens' (all for 0x7fff).
bool PCodeInfo::FlushOperators(Group& group, WorkList& out, int minTens) {
  while (group.operatorCount > 0 && minTens >= Tens(group.operators[group.operatorCount - 1]))
    if (!EmitOperator(group, out)) return false;
  return true;
}

void PCodeInfo::ResolveLogical(Group& group, WorkList& out) {
  for (int i = 0; i < group.logicalCount; i++) out.GetAt(group.logical[i])->jump1 = out.GetCount();
  group.logicalCount = 0;
}

bool PCodeInfo::CompileOperator(int code, Group& group, WorkList& out) {
  const int32_t last = out.GetCount() ? out.GetLast()->type : OP_NONE;
  if (code == kAccess) return NewNode(out, OP_ACCESS) != nullptr;
  if (IsAssignment(code)) {
    // Only a variable can be assigned, and only once per statement: a chain
    // would hand the second assignment a value instead of a target.
    if (last == OP_CONSTANT) return Refuse("an assignment to a constant");
    if (!IsVariableNode(last) || group.operatorCount != 0) return Refuse("only a variable can be assigned");
    if (group.logicalCount != 0) return Refuse("only a variable can be assigned");
  }
  if (code == 13 || code == 14) {
    // "++" and "--" apply to the variable just compiled, before any prefix
    // operator still waiting.
    if (last == OP_CONSTANT) return Refuse("an assignment to a constant");
    if (last != OP_VARIABLE && last != OP_MEMBER) return Refuse("only a variable can be assigned");
    return NewNode(out, code == 13 ? OP_INCREMENT : OP_DECREMENT) != nullptr;
  }
  // Prefix operators wait for their operand and apply right to left.
  if (!IsPrefix(code) && !FlushOperators(group, out, Tens(code))) return false;
  if (code == kAnd || code == kOr) {
    if (group.logicalCount >= Group::kMaxLogical || out.GetCount() == 0) return false;
    group.logical[group.logicalCount++] = out.GetCount();
    return NewNode(out, code == kAnd ? OP_AND : OP_OR) != nullptr;
  }
  if (group.operatorCount >= Group::kMaxOperators) return false;
  group.operators[group.operatorCount++] = int16_t(code);
  return true;
}

// ==== The main loop =============================================================================

bool PCodeInfo::CompileExpression(SStringArray& tokens, const SArray<int32_t>& classes, int& pos,
                                  WorkList& out, int& items) {
  if (m_depth > kMaxGroupDepth || !m_definition || !m_definition->GetEngine()) return false;
  Group group;
  const int groupStart = out.GetCount();
  int itemStart = groupStart;
  items = 1;
  const int count = tokens.GetCount();
  for (; pos < count; pos++) {
    const SString& token = *tokens.GetAt(pos);
    const char* t = token.GetText();
    const int32_t tokenClass = classes.GetAt(pos);
    int code = OperatorCode(t, tokenClass);
    if (code >= 0) {
      if (!CompileOperator(code, group, out)) return false;
      continue;
    }
    if (tokenClass == TokenOpenParen) {
      pos++;
      int inner = 0;
      m_depth++;
      bool ok = CompileExpression(tokens, classes, pos, out, inner);
      m_depth--;
      if (!ok || inner != 1 || pos >= count || !TokenIs(TokenText(tokens, pos), ")"))
        return false;
      continue;
    }
    if (tokenClass == TokenCloseParen) {
      if (m_depth == 0) return false;
      if (!FlushOperators(group, out, 0x7fff)) return false;
      if (out.GetCount() == itemStart && items > 1) return false;
      ResolveLogical(group, out);
      if (out.GetCount() == groupStart) items = 0;
      return true;
    }
    if (tokenClass == TokenComma) {
      if (!FlushOperators(group, out, 0x7fff) || out.GetCount() == itemStart) return false;
      ResolveLogical(group, out);
      items++;
      itemStart = out.GetCount();
      continue;
    }
    if (out.GetCount() && out.GetLast()->type == OP_ACCESS && tokenClass != TokenIdentifier)
      return false;
    if (tokenClass == TokenNew) {
      if (!CompileNew(tokens, pos, out)) return false;
      continue;
    }
    if (tokenClass == TokenBoolean || tokenClass == TokenNull) {
      _PData* n = NewNode(out, OP_CONSTANT);
      if (!n) return false;
      n->constant->SetInt64(TokenIs(t, "true") ? 1 : 0);
      continue;
    }
    if (tokenClass == TokenString) {
      if (!CompileString(token, out)) return false;
      continue;
    }
    if (tokenClass == TokenNumber) {
      if (!token.IsNumber()) return false;
      _PData* n = NewNode(out, OP_CONSTANT);
      if (!n) return false;
      if (strchr(t, '.'))
        n->constant->SetDouble(token.ToDouble());
      else
        n->constant->SetInt64(token.ToInt64());
      continue;
    }
    if (tokenClass != TokenIdentifier && tokenClass != TokenThis && tokenClass != TokenCaller)
      return false;
    if (TokenIs(TokenText(tokens, pos + 1), "(")) {
      if (!CompileCall(tokens, classes, pos, out)) return false;
      continue;
    }
    if (!CompileName(tokens, pos, out)) return false;
  }
  if (!FlushOperators(group, out, 0x7fff)) return false;
  if (out.GetCount() == itemStart && items > 1) return false;
  ResolveLogical(group, out);
  if (out.GetCount() == groupStart) items = 0;
  return true;
}

// ==== Names =====================================================================================

SValue* PCodeInfo::FindNamedConstant(const char* name) const {
  PEngine* engine = m_definition->GetEngine();
  if (SValue* v = m_definition->FindConstant(name)) return v;
  if (PObjectDefinition* g = engine->GetGlobalDefinition())
    if (SValue* v = g->FindConstant(name)) return v;
  if (PObjectDefinition* a = engine->GetApplicationDefinition())
    if (SValue* v = a->FindConstant(name)) return v;
  return nullptr;
}

bool PCodeInfo::IsOwnOrBase(const PObjectDefinition* d) const {
  for (const PObjectDefinition* c = m_definition; c; c = c->GetBase())
    if (c == d) return true;
  return false;
}

PObjectDefinition* PCodeInfo::AccessedClass(const WorkList& out) const {
  if (out.GetCount() < 2) return nullptr;
  const _PData* object = out.GetAt(out.GetCount() - 2);
  switch (object->type) {
    case OP_THIS:
      return m_definition;
    case OP_CALLER:
      if (m_member < 0 || m_member >= m_definition->GetMemberCount()) return nullptr;
      return m_definition->GetEventSource(m_member);
    case OP_APPLICATION:
      return m_definition->GetEngine()->GetApplicationDefinition();
    case OP_CLASS:
      return object->classDef;
    case OP_VARIABLE:
    case OP_MEMBER:
      return object->declaration ? object->declaration->GetType() : nullptr;
    default:
      return nullptr;
  }
}

bool PCodeInfo::CompileName(SStringArray& tokens, int pos, WorkList& out) {
  if (out.GetCount() && out.GetLast()->type == OP_ACCESS) return CompileMemberName(tokens, pos, out);
  const char* name = TokenText(tokens, pos);
  PEngine* engine = m_definition->GetEngine();
  if (TokenIs(name, "this")) return NewNode(out, OP_THIS) != nullptr;
  if (TokenIs(name, "caller")) return NewNode(out, OP_CALLER) != nullptr;
  if (SValue* v = FindNamedConstant(name)) {
    _PData* n = NewNode(out, OP_CONSTANT);
    if (!n) return false;
    *n->constant = *v;
    return true;
  }
  if (PObjectDefinition* d = engine->FindDefinitionByName(name)) {
    if (d == engine->GetApplicationDefinition()) return NewNode(out, OP_APPLICATION) != nullptr;
    if (!TokenIs(TokenText(tokens, pos + 1), ".")) return false;
    _PData* n = NewNode(out, OP_CLASS);
    if (!n) return false;
    n->classDef = d;
    return true;
  }
  PObjectDefinition* declaring = nullptr;
  PObjectInfo* info = m_definition->FindVariableInBases(name, m_member, &declaring);
  if (!info || !info->GetType()) return Refuse(SString("unknown name \"").Append(name).Append("\""));
  _PData* n = NewNode(out, OP_VARIABLE);
  if (!n) return false;
  n->declaration = info;
  if (declaring != m_definition) n->declaringClass = declaring;
  return AdjustVariable(tokens, pos, out);
}

bool PCodeInfo::CompileMemberName(SStringArray& tokens, int pos, WorkList& out) {
  const char* name = TokenText(tokens, pos);
  if (TokenIs(name, "this") || TokenIs(name, "caller")) return false;
  PObjectDefinition* d = AccessedClass(out);
  if (!d) return false;
  const bool qualifier = out.GetAt(out.GetCount() - 2)->type == OP_CLASS;
  if (SValue* v = d->FindConstant(name)) {
    // The objects before the constant are not needed to reach it.
    while (out.GetCount() >= 2 && out.GetLast()->type == OP_ACCESS) {
      for (int k = 0; k < 2; k++) {
        out.RemoveLast();
      }
      if (qualifier) break;
    }
    _PData* n = NewNode(out, OP_CONSTANT);
    if (!n) return false;
    *n->constant = *v;
    return true;
  }
  if (qualifier && !IsOwnOrBase(d)) return Refuse(NotOwnClass(d));
  PObjectDefinition* declaring = nullptr;
  PObjectInfo* info = d->FindVariableInBases(name, -1, &declaring);
  if (!info || !info->GetType()) return Refuse(UnknownMember(d, name));
  _PData* n = NewNode(out, OP_MEMBER);
  if (!n) return false;
  n->declaration = info;
  if (declaring != d) n->declaringClass = declaring;
  return AdjustVariable(tokens, pos, out);
}

// Chooses between object push, cell push and value push by what follows.
bool PCodeInfo::AdjustVariable(SStringArray& tokens, int pos, WorkList& out) {
  _PData* n = out.GetLast();
  const char* next = TokenText(tokens, pos + 1);
  const bool member = n->type == OP_MEMBER;
  const TypeCode type = n->declaration->GetTypeCode();
  const int32_t push = ValuePush(type, member);
  if (!push) {
    if (TokenIs(next, "=")) n->type = member ? OP_MEMBER_CELL : OP_VARIABLE_CELL;
    return true;
  }
  // ".", "++", "--", "=" and the compound assignments work on the object.
  bool keep;
  switch (next[0]) {
    case '.': case '=': keep = next[1] == 0; break;
    case '+': case '-': keep = (next[1] == '=' || next[1] == next[0]) && next[2] == 0; break;
    case '*': case '/': case '%': keep = next[1] == '=' && next[2] == 0; break;
    default: keep = false;
  }
  if (!keep) {
    n->type = push;
    return true;
  }
  // "=" on a number or text variable copies the value into its object.
  if (next[0] == '=') *tokens.GetAt(pos + 1) = ".=";
  return true;
}

bool PCodeInfo::CompileNew(const SStringArray& tokens, int& pos, WorkList& out) {
  PEngine* engine = m_definition->GetEngine();
  PObjectDefinition* d = engine->FindDefinitionByName(TokenText(tokens, pos + 1));
  if (!d || pos + 1 >= tokens.GetCount()) return false;
  TypeCode code = d->GetTypeCode();
  if (d == engine->GetGlobalDefinition() || code == TYPE_GLOBAL || code == TYPE_VOID ||
      code == TYPE_POINTER || !d->IsInstantiable() || d->IsBasicValueClass())
    return false;
  _PData* n = NewNode(out, OP_NEW);
  if (!n) return false;
  n->classDef = d;
  pos++;
  return true;
}

// ==== Calls =====================================================================================

void PCodeInfo::RaiseEstimates(PObjectDefinition* d, int member) {
  int params = d->GetParamCount(member);
  int counts[4] = {0, 0, 0, 0};
  for (int i = 0; i < params; i++) {
    TypeCode t = d->GetParamInfo(member, i)->GetTypeCode();
    if (t == TYPE_INTEGER) counts[0]++;
    else if (t == TYPE_FLOAT) counts[1]++;
    else if (t == TYPE_STRING) counts[2]++;
    else if (t == TYPE_UNISTRING) counts[3]++;
  }
  if (params > m_maxParams) m_maxParams = params;
  if (counts[0] > m_maxIntegers) m_maxIntegers = counts[0];
  if (counts[1] > m_maxFloats) m_maxFloats = counts[1];
  if (counts[2] > m_maxStrings) m_maxStrings = counts[2];
  if (counts[3] > m_maxUniStrings) m_maxUniStrings = counts[3];
}

bool PCodeInfo::CompileCall(SStringArray& tokens, const SArray<int32_t>& classes, int& pos,
                            WorkList& out) {
  PEngine* engine = m_definition->GetEngine();
  const char* name = TokenText(tokens, pos);
  if (IsSpecialMember(name)) return Refuse("a constructor or destructor cannot be called");
  PObjectDefinition* searched = nullptr;
  PObjectDefinition* declaring = nullptr;
  int member = -1;
  bool isVirtual = true;
  if (out.GetCount() && out.GetLast()->type == OP_ACCESS) {
    if (TokenIs(name, "this") || TokenIs(name, "caller")) return false;
    searched = AccessedClass(out);
    if (!searched) return false;
    _PData* object = out.GetAt(out.GetCount() - 2);
    if (object->type == OP_CLASS) {
      if (searched == engine->GetGlobalDefinition()) {
        object->type = OP_GLOBAL;
        object->classDef = nullptr;
      } else {
        if (!IsOwnOrBase(searched)) return Refuse(NotOwnClass(searched));
        isVirtual = false;
      }
    }
    member = searched->FindMemberInBases(name, MEMBER_FUNCTION, &declaring);
    if (member < 0 || !declaring || declaring->GetMemberKind(member) != MEMBER_FUNCTION)
      return Refuse(UnknownMember(searched, name));
    // The arguments must not take the access node for their own.
    out.RemoveLast();
  } else {
    if (TokenIs(name, "this") || TokenIs(name, "caller")) return false;
    searched = m_definition;
    member = m_definition->FindMemberInBases(name, 0, &declaring);
    if (member >= 0 && declaring) {
      if (!NewNode(out, OP_THIS)) return false;
      if (declaring->GetMemberKind(member) != MEMBER_FUNCTION) isVirtual = false;
    } else {
      searched = engine->GetGlobalDefinition();
      if (!searched) return false;
      member = searched->FindMember(name);
      if (member < 0 || searched->GetMemberKind(member) != MEMBER_FUNCTION)
        return Refuse(SString("unknown function \"").Append(name).Append("\""));
      declaring = searched;
      if (!NewNode(out, OP_GLOBAL)) return false;
    }
  }

  pos += 2;
  int given = 0;
  m_depth++;
  bool ok = CompileExpression(tokens, classes, pos, out, given);
  m_depth--;
  if (!ok || pos >= tokens.GetCount() || !TokenIs(TokenText(tokens, pos), ")")) return false;
  const int params = declaring->GetParamCount(member);
  const int least = params - declaring->GetDefaultCount(member);
  if (given > params || given < least) return Refuse(ArgumentCount(name, least, params, given));
  if (given < params) {
    for (int i = given; i < params; i++) {
      PObjectInfo* p = declaring->GetParamInfo(member, i);
      if (!p->HasDefault()) return false;
      _PData* n = NewNode(out, OP_CONSTANT);
      if (!n) return false;
      *n->constant = p->GetDefault();
    }
  }
  RaiseEstimates(declaring, member);
  _PData* call = NewNode(out, OP_CALL);
  if (!call) return false;
  if (declaring != searched) call->declaringClass = declaring;
  call->memberKind = declaring->GetMemberKind(member);
  call->memberIndex = member;
  call->memberId = declaring->GetMemberId(member);
  call->paramCount = params;
  PObjectInfo* result = declaring->GetReturnInfo(member);
  call->returnType = result ? result->GetTypeCode() : 0;
  call->isVirtual = isVirtual;
  return true;
}

// ==== String literals ===========================================================================

bool PCodeInfo::CompileString(const SString& token, WorkList& out) {
  const char* raw = token.GetText();
  int length = token.GetLength();
  if (length < 2 || raw[0] != '"' || raw[length - 1] != '"') return false;
  // "%" and two hexadecimal digits give one byte.
  SString text;
  text.SetLength(length, false);
  char* w = text.GetBuffer();
  if (!w) return false;
  int n = 0;
  for (int i = 1; i < length - 1; i++) {
    int hi, lo;
    if (raw[i] == '%' && i + 2 < length - 1 && (hi = HexDigit(raw[i + 1])) >= 0 &&
        (lo = HexDigit(raw[i + 2])) >= 0) {
      w[n++] = char(hi * 16 + lo);
      i += 2;
    } else {
      w[n++] = raw[i];
    }
  }

  // The current literal piece is compacted in place at w[start, end): "$$"
  // shrinks to "$", so writing never overtakes reading.
  int start = 0, end = 0;
  bool first = true;
  auto emitPiece = [&](bool always) -> bool {
    if (!always && end == start) return true;
    _PData* c = NewNode(out, OP_CONSTANT);
    if (!c) return false;
    c->constant->SetString(text.Mid(start, end - start).GetText());
    if (!first && !NewNode(out, OP_ADD)) return false;
    first = false;
    return true;
  };
  int i = 0;
  while (i < n) {
    if (w[i] != '$') {
      w[end++] = w[i++];
      continue;
    }
    if (i + 1 < n && w[i + 1] == '$') {
      w[end++] = '$';
      i += 2;
      continue;
    }
    int stop = i + 1;
    while (stop < n && IsNameChar(w[stop])) stop++;
    SString name = text.Mid(i + 1, stop - i - 1);
    SValue* constant = name.GetLength() ? FindNamedConstant(name.GetText()) : nullptr;
    PObjectDefinition* declaring = nullptr;
    PObjectInfo* info = nullptr;
    int32_t push = 0;
    if (!constant && name.GetLength()) {
      info = m_definition->FindVariableInBases(name.GetText(), m_member, &declaring);
      if (info) push = ValuePush(info->GetTypeCode(), false);
      if (push == OP_STRING_VALUE) push = OP_STRING_QUOTED;
    }
    if (!constant && !push) {
      // Not a name this member knows: the text keeps it as written.
      while (i < stop) w[end++] = w[i++];
      continue;
    }
    if (!emitPiece(true)) return false;
    _PData* v = NewNode(out, constant ? OP_CONSTANT : push);
    if (!v) return false;
    if (constant) {
      *v->constant = *constant;
    } else {
      v->declaration = info;
      if (declaring != m_definition) v->declaringClass = declaring;
    }
    if (!NewNode(out, OP_ADD)) return false;
    i = stop;
    start = end;
  }
  return emitPiece(first);
}
