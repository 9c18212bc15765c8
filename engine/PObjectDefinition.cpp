// Construction, constants, variables, inheritance and object creation of a
// class definition; its member tables are filled in PObjectDefinitionMembers.cpp.
#include "engine/PObjectDefinition.h"

#include <cstring>
#include <new>

#include "core/TextFunctions.h"
#include "engine/PEngine.h"
#include "engine/PObject.h"

namespace {

// The compiler looks up every variable name it meets: the first byte settles
// most of the comparisons of a scan.
bool SameName(const char* a, const char* b) { return a[0] == b[0] && std::strcmp(a, b) == 0; }

}  // namespace

PObjectDefinition::PObjectDefinition(PEngine* engine, TypeCode typeCode, const char* name,
                                     const char* baseName)
    : m_factory(nullptr),
      m_engine(engine),
      m_typeCode(typeCode),
      m_category(CATEGORY_GLOBAL),
      m_controlNumber(-1),
      m_name(name),
      m_instantiable(true),
      m_constructor(-1),
      m_destructor(-1),
      m_idle(-1),
      m_leadingConstants(0),
      m_baseName(baseName),
      m_base(nullptr),
      m_codeDeleter(nullptr),
      m_moduleIsControl(false),
      m_library(nullptr) {}

PObjectDefinition::~PObjectDefinition() {
  UnloadModule();
  m_constants.Purge();
  m_variables.Purge();
  m_returns.Purge();
  for (int i = 0; i < m_declarations.GetCount(); i++) {
    SArray<PObjectInfo*>* list = m_declarations.GetAt(i);
    if (list) list->Purge();
  }
  m_declarations.Purge();
  if (m_codeDeleter) {
    for (int i = 0; i < m_code.GetCount(); i++) {
      if (PCodeInfo* code = m_code.GetAt(i)) m_codeDeleter(code);
    }
  }
}

// ==== Setting ===================================================================================

void PObjectDefinition::SetModule(const char* libraryPath, bool isControl) {
  m_modulePath = libraryPath;
  m_moduleIsControl = isControl;
}

void PObjectDefinition::SetMemberFlag(int member, bool flag) { m_flags.SetAt(member, flag); }

void PObjectDefinition::SetEventSource(int member, PObjectDefinition* source) {
  m_eventSources.SetAt(member, source);
}

void PObjectDefinition::StoreCode(int member, PCodeInfo* code, CodeDeleter deleter) {
  if (member < 0 || member >= m_code.GetCount()) return;
  m_codeDeleter = deleter;
  if (PCodeInfo* old = m_code.GetAt(member); old && old != code) deleter(old);
  m_code.SetAt(member, code);
}

bool PObjectDefinition::IsBasicValueClass() const {
  return m_typeCode == TYPE_INTEGER || m_typeCode == TYPE_FLOAT || m_typeCode == TYPE_STRING ||
         m_typeCode == TYPE_UNISTRING;
}

// ==== Constants =================================================================================

bool PObjectDefinition::IsNameTaken(const char* name) const {
  return FindConstant(name) != nullptr || FindVariable(name) != nullptr;
}

bool PObjectDefinition::AddConstantValue(SValue* value, bool atStart, const char* text,
                                         bool hidden) {
  if (!value) return false;
  if (text) value->SetText(text);
  value->SetFlag(hidden ? 1 : 0);
  int at = atStart ? m_leadingConstants : -1;
  if (m_constants.InsertAt(value, at, 1) < 0) {
    delete value;
    return false;
  }
  m_constantIndex[value->GetName().GetText()] = value;
  return true;
}

bool PObjectDefinition::AddIntConstant(const char* name, int64_t value, bool atStart,
                                       const char* text, bool hidden) {
  if (!IsIdentifier(name) || IsNameTaken(name)) return false;
  SValue* constant = new (std::nothrow) SValue;
  if (!constant) return false;
  constant->SetName(name);
  constant->SetInt64(value);
  constant->SetText(SString::FromInt64(value).GetText());
  return AddConstantValue(constant, atStart, text, hidden);
}

bool PObjectDefinition::AddFloatConstant(const char* name, double value, bool atStart,
                                         const char* text, bool hidden) {
  if (!IsIdentifier(name) || IsNameTaken(name)) return false;
  SValue* constant = new (std::nothrow) SValue;
  if (!constant) return false;
  constant->SetName(name);
  constant->SetDouble(value);
  constant->SetText(SString::FromDouble(value).GetText());
  return AddConstantValue(constant, atStart, text, hidden);
}

bool PObjectDefinition::AddStringConstant(const char* name, const char* value, bool atStart,
                                          const char* text, bool hidden) {
  if (!IsIdentifier(name) || IsNameTaken(name)) return false;
  SValue* constant = new (std::nothrow) SValue;
  if (!constant) return false;
  constant->SetName(name);
  constant->SetString(value);
  SString quoted("\"");
  quoted.Append(value ? value : "").Append("\"");
  constant->SetText(quoted.GetText());
  return AddConstantValue(constant, atStart, text, hidden);
}

SValue* PObjectDefinition::FindConstant(const char* name) const {
  // Most classes declare no constant, and a name is looked up in three
  // classes before it is known not to be one: spare the key's copy and hash.
  if (!name || m_constantIndex.empty()) return nullptr;
  auto found = m_constantIndex.find(name);
  return found == m_constantIndex.end() ? nullptr : found->second;
}

// ==== Variables =================================================================================

bool PObjectDefinition::AddVariable(PObjectInfo* info) {
  return info && m_variables.Add(info) >= 0;
}

bool PObjectDefinition::AddLocalVariable(int member, PObjectInfo* info) {
  if (!info || member < 0 || member >= m_declarations.GetCount()) return false;
  return m_declarations.GetAt(member)->Add(info) >= 0;
}

PObjectInfo* PObjectDefinition::FindLocalVariable(int member, const char* name, bool params,
                                                  bool locals) const {
  if (!name || member < 0 || member >= m_declarations.GetCount()) return nullptr;
  const SArray<PObjectInfo*>* list = m_declarations.GetAt(member);
  int paramCount = m_paramCounts.GetAt(member);
  int start = params ? 0 : paramCount;
  int end = locals ? list->GetCount() : paramCount;
  for (int i = start; i < end; i++) {
    PObjectInfo* info = list->GetAt(i);
    if (SameName(info->GetName(), name)) return info;
  }
  return nullptr;
}

PObjectInfo* PObjectDefinition::FindVariable(const char* name, int member) const {
  if (!name) return nullptr;
  if (member != -1) {
    if (PObjectInfo* local = FindLocalVariable(member, name, true, true)) return local;
  }
  for (int i = 0; i < m_variables.GetCount(); i++) {
    PObjectInfo* info = m_variables.GetAt(i);
    if (SameName(info->GetName(), name)) return info;
  }
  return nullptr;
}

PObjectInfo* PObjectDefinition::FindVariableInBases(const char* name, int member,
                                                    PObjectDefinition** declaring) const {
  PObjectInfo* info = FindVariable(name, member);
  const PObjectDefinition* d = this;
  while (!info && d->m_base) {
    d = d->m_base;
    info = d->FindVariable(name);
  }
  if (declaring) *declaring = info ? const_cast<PObjectDefinition*>(d) : nullptr;
  return info;
}

// ==== Inheritance ===============================================================================

bool PObjectDefinition::BuildOverrideMap() {
  m_overrides.RemoveAll();
  if (!m_base) return true;
  for (int i = 0; i < m_base->GetMemberCount(); i++) {
    int position = -1;
    if (m_base->GetMemberKind(i) == MEMBER_FUNCTION) {
      position = FindMember(m_base->GetMemberName(i));
      if (position >= 0) {
        if (GetMemberFlag(position) != m_base->GetMemberFlag(i) ||
            !ParamsMatch(position, m_base, i))
          return false;
      }
    }
    if (m_overrides.Add(position) < 0) return false;
  }
  return true;
}

int PObjectDefinition::GetOverride(int baseMember) const {
  if (baseMember < 0 || baseMember >= m_overrides.GetCount()) return -1;
  return m_overrides.GetAt(baseMember);
}

// ==== Objects ===================================================================================

PObject* PObjectDefinition::CreateInstance() {
  PObject* base = nullptr;
  if (m_base) {
    base = m_base->CreateInstance();
    if (!base) return nullptr;
  }
  PObject* part = m_factory ? m_factory(this) : nullptr;
  if (!part) {
    // The base parts were never prepared: they go without running any
    // member of theirs.
    if (base) PObject::DeleteObject(base);
    return nullptr;
  }
  if (base) PObject::LinkParts(base, part);
  return part;
}
