// The member tables of a class definition: internal names, lookups, and
// the two ways members are added (built-in Declare, and the program's own).
//
// A member is added whole or not at all: every class it names is checked
// before the first table grows, so the parallel tables never fall out of
// step after a refused member.
#include <new>

#include "engine/PEngine.h"
#include "engine/PObjectDefinition.h"

// ==== Names and lookups =========================================================================

namespace {

// At least two lower-case hex digits, as "%02x" writes them.
char* WriteHex(char* out, unsigned value) {
  char digits[8];
  int n = 0;
  do {
    digits[n++] = "0123456789abcdef"[value & 15];
    value >>= 4;
  } while (value);
  if (n < 2) digits[n++] = '0';
  while (n) *out++ = digits[--n];
  return out;
}

}  // namespace

// Written out rather than formatted: every built-in member gets one at
// every start.
SString PObjectDefinition::MakeInternalName(int classIndex, int member) {
  char text[1 + 2 * 8 + 1] = "_";
  *WriteHex(WriteHex(text + 1, unsigned(classIndex)), unsigned(member)) = 0;
  SString name(text);
  name.SwapChars(1, 4);
  return name;
}

int PObjectDefinition::FindMember(const char* name) const {
  if (!name) return -1;
  for (int i = 0; i < m_names.GetCount(); i++) {
    if (m_names.GetAt(i)->EqualsText(name)) return i;
  }
  return -1;
}

int PObjectDefinition::FindMemberById(int number) const {
  // Declared members usually carry their own position as number.
  if (number >= 0 && number < m_ids.GetCount() && m_ids.GetAt(number) == number) return number;
  for (int i = 0; i < m_ids.GetCount(); i++) {
    if (m_ids.GetAt(i) == number) return i;
  }
  return -1;
}

int PObjectDefinition::FindMemberInBases(const char* name, int kind,
                                         PObjectDefinition** declaring) const {
  const PObjectDefinition* d = this;
  int filter = kind;
  while (d) {
    int position = d->FindMember(name);
    if (position >= 0) {
      if (filter != 0 && d->GetMemberKind(position) != filter) break;
      if (declaring) *declaring = const_cast<PObjectDefinition*>(d);
      return position;
    }
    // Base classes contribute functions only.
    if (filter != 0 && filter != MEMBER_FUNCTION) break;
    filter = MEMBER_FUNCTION;
    d = d->m_base;
  }
  if (declaring) *declaring = nullptr;
  return -1;
}

bool PObjectDefinition::ParamsMatch(int member, const PObjectDefinition* other,
                                    int otherMember) const {
  int n = GetParamCount(member);
  if (n != other->GetParamCount(otherMember)) return false;
  if (GetReturnInfo(member)->GetTypeCode() != other->GetReturnInfo(otherMember)->GetTypeCode())
    return false;
  for (int i = 0; i < n; i++) {
    if (GetParamInfo(member, i)->GetTypeCode() != other->GetParamInfo(otherMember, i)->GetTypeCode())
      return false;
  }
  return true;
}

// ==== Adding members ============================================================================

void PObjectDefinition::AppendMember(int32_t kind, uint16_t number, const char* name, bool flag,
                                     PObjectDefinition* returnType,
                                     SArray<PObjectInfo*>* declarations, int defaultCount) {
  m_kinds.Add(kind);
  m_ids.Add(number);
  m_names.Add(name);
  m_flags.Add(flag);
  m_eventSources.Add(nullptr);
  m_returns.Add(new (std::nothrow) PObjectInfo(returnType, "", INFO_RETURN));
  m_paramCounts.Add(declarations->GetCount());
  m_defaultCounts.Add(defaultCount);
  m_declarations.Add(declarations);
  m_code.Add(nullptr);
}

namespace {

// The parameter list of a member being added, deleted again unless the
// member is added.
class PendingDeclarations {
 public:
  PendingDeclarations() : m_list(new (std::nothrow) SArray<PObjectInfo*>) {}
  ~PendingDeclarations() {
    if (!m_list) return;
    m_list->Purge();
    delete m_list;
  }
  bool IsValid() const { return m_list != nullptr; }
  // Takes over the declaration; false when it could not be made or kept.
  bool Add(PObjectInfo* info) {
    if (info && m_list->Add(info) >= 0) return true;
    delete info;
    return false;
  }
  SArray<PObjectInfo*>* Release() {
    SArray<PObjectInfo*>* list = m_list;
    m_list = nullptr;
    return list;
  }

 private:
  SArray<PObjectInfo*>* m_list;
};

}  // namespace

bool PObjectDefinition::AddMember(int32_t kind, uint16_t number, TypeCode result,
                                  std::initializer_list<PParamDecl> params) {
  PObjectDefinition* returnType = m_engine ? m_engine->FindDefinition(result) : nullptr;
  if (!returnType) return false;
  PendingDeclarations declarations;
  if (!declarations.IsValid()) return false;
  int defaults = 0;
  for (const PParamDecl& p : params) {
    PObjectDefinition* type = m_engine->FindDefinition(p.type);
    if (!type) return false;
    PObjectInfo* info = new (std::nothrow) PObjectInfo(type, "", INFO_PARAMETER);
    if (info && p.hasDefault) {
      info->SetHasDefault(true);
      defaults++;
      SValue& value = info->GetDefault();
      switch (p.type) {
        case TYPE_INTEGER:
          value.SetInt64(p.intValue);
          value.SetName(p.written);
          break;
        case TYPE_FLOAT:
          value.SetDouble(p.floatValue);
          value.SetName(p.written);
          break;
        case TYPE_STRING:
        case TYPE_UNISTRING: {
          const char* text = p.written ? p.written : "";
          if (p.type == TYPE_STRING)
            value.SetString(text);
          else
            value.SetUniString(SUniString(text).GetText());
          value.SetName(SString("\"").Append(text).Append("\"").GetText());
          break;
        }
        default:
          value.SetInt64(0);
          value.SetName("null");
          break;
      }
    }
    if (!declarations.Add(info)) return false;
  }
  int classIndex = m_engine->FindIndexByTypeCode(m_typeCode);
  SString name = MakeInternalName(classIndex, GetMemberCount());
  AppendMember(kind, number, name.GetText(), false, returnType, declarations.Release(), defaults);
  return true;
}

bool PObjectDefinition::AddScriptMember(int32_t kind, uint16_t number, const SStringArray& names,
                                        const SArray<TypeCode>& types,
                                        const SArray<SValue*>& defaults, bool flag) {
  if (!m_engine || names.GetCount() < 1 || types.GetCount() < 1) return false;
  SString name = names.GetString(0);
  if (!PEngine::IsValidName(name.GetText(), kind == MEMBER_HANDLER)) return false;
  if (FindMemberById(number) >= 0 || FindMember(name.GetText()) >= 0 ||
      IsNameTaken(name.GetText()))
    return false;
  PObjectDefinition* returnType = m_engine->FindDefinition(types.GetAt(0));
  if (!returnType) return false;
  int paramCount = types.GetCount() - 1;

  // The constructor, destructor and idle member: plain functions without
  // result or parameters; only the main class has an idle member.
  int32_t* special = nullptr;
  if (name.EqualsText("_00000000")) {
    special = &m_constructor;
  } else if (name.EqualsText("_00000001")) {
    special = &m_destructor;
  } else if (name.EqualsText("_00000002")) {
    if (!m_name.EqualsText("Application")) return false;
    special = &m_idle;
  }
  if (special && (kind != MEMBER_FUNCTION || returnType->GetTypeCode() != TYPE_VOID ||
                  paramCount != 0))
    return false;

  PendingDeclarations params;
  if (!params.IsValid()) return false;
  int defaultCount = 0;
  for (int i = 1; i <= paramCount; i++) {
    PObjectDefinition* type = m_engine->FindDefinition(types.GetAt(i));
    if (!type) return false;
    PObjectInfo* info =
        new (std::nothrow) PObjectInfo(type, names.GetString(i).GetText(), INFO_PARAMETER);
    const SValue* given = i < defaults.GetCount() ? defaults.GetAt(i) : nullptr;
    if (info && given) {
      info->SetHasDefault(true);
      defaultCount++;
      SValue& value = info->GetDefault();
      value.SetName(given->GetName().GetText());
      switch (type->GetTypeCode()) {
        case TYPE_UNISTRING: value.SetUniString(given->ToUniString().GetText()); break;
        case TYPE_STRING: value.SetString(given->ToString().GetText()); break;
        case TYPE_FLOAT: value.SetDouble(given->ToDouble()); break;
        case TYPE_INTEGER: value.SetInt64(given->ToInt64()); break;
        default:
          value.SetInt64(0);
          value.SetName("null");
          break;
      }
    }
    if (!params.Add(info)) return false;
  }
  AppendMember(kind, number, name.GetText(), flag, returnType, params.Release(), defaultCount);
  if (special) *special = number;
  return true;
}
