// The engine's life, its definition table with the lookups over it, the
// global constant names, identifier checks and the making of value objects.
#include "engine/PEngine.h"

#include <cstring>

#include "classes/PObjFloat.h"
#include "classes/PObjInt.h"
#include "classes/PObjString.h"
#include "classes/PObjUniString.h"
#include "classes/PObjValue.h"
#include "engine/PObjectDefinition.h"

PEngine::PEngine()
    : m_void(nullptr),
      m_global(nullptr),
      m_integer(nullptr),
      m_float(nullptr),
      m_string(nullptr),
      m_uniString(nullptr),
      m_value(nullptr),
      m_requireMain(false),
      m_subApplicationMode(false),
      m_mainThreadId(0),
      m_resources(nullptr),
      m_globalObject(nullptr),
      m_application(nullptr),
      m_subApplication(nullptr),
      m_applicationObject(nullptr),
      m_running(false),
      m_quitting(false),
      m_inLoop(false),
      m_waitForMessages(true),
      m_modalDepth(0),
      m_stopping(false) {}

PEngine::~PEngine() {
  Reset();
  m_namedPacks.Purge();
}

void PEngine::Reset() {
  m_folder.Assign("");
  ClearDefinitions();
  m_constantNames.Purge();
  m_requireMain = false;
  m_subApplicationMode = false;
}

// ==== Definition table ==========================================================================

void PEngine::ClearDefinitions() {
  m_definitions.Purge();
  m_nameIndex.clear();
  m_void = m_global = m_integer = m_float = m_string = m_uniString = m_value = nullptr;
  m_application = m_subApplication = nullptr;
}

PObjectDefinition** PEngine::CacheSlot(TypeCode typeCode) {
  switch (typeCode) {
    case TYPE_VOID: return &m_void;
    case TYPE_GLOBAL: return &m_global;
    case TYPE_INTEGER: return &m_integer;
    case TYPE_FLOAT: return &m_float;
    case TYPE_STRING: return &m_string;
    case TYPE_UNISTRING: return &m_uniString;
    case TYPE_VALUE: return &m_value;
    case TYPE_APPLICATION: return &m_application;
    case TYPE_SUBAPPLICATION: return &m_subApplication;
    default: return nullptr;
  }
}

PObjectDefinition* PEngine::AddDefinition(PObjectDefinition* definition) {
  if (!definition) return nullptr;
  if (FindIndexByTypeCode(definition->GetTypeCode()) >= 0) return nullptr;
  if (FindIndexByName(definition->GetName()) >= 0) return nullptr;
  if (m_definitions.Add(definition) < 0) return nullptr;
  m_nameIndex[definition->GetName()] = m_definitions.GetCount() - 1;
  if (PObjectDefinition** slot = CacheSlot(definition->GetTypeCode())) *slot = definition;
  return definition;
}

TypeCode PEngine::GetTypeCodeAt(int i) const { return m_definitions.GetAt(i)->GetTypeCode(); }

const char* PEngine::GetClassNameAt(int i) const { return m_definitions.GetAt(i)->GetName(); }

int PEngine::FindIndexByName(const char* name) const {
  if (!name) return -1;
  auto found = m_nameIndex.find(name);
  return found == m_nameIndex.end() ? -1 : found->second;
}

int PEngine::FindIndexByTypeCode(TypeCode typeCode) const {
  for (int i = 0; i < m_definitions.GetCount(); i++) {
    if (m_definitions.GetAt(i)->GetTypeCode() == typeCode) return i;
  }
  return -1;
}

PObjectDefinition* PEngine::FindDefinitionByName(const char* name) const {
  if (!name || !name[0]) return nullptr;
  int i = FindIndexByName(name);
  return i >= 0 ? m_definitions.GetAt(i) : nullptr;
}

PObjectDefinition* PEngine::FindDefinition(TypeCode typeCode) const {
  if (typeCode == TYPE_NONE) return nullptr;
  int i = FindIndexByTypeCode(typeCode);
  return i >= 0 ? m_definitions.GetAt(i) : nullptr;
}

PObjectDefinition* PEngine::GetMainDefinition() const {
  return m_subApplicationMode ? m_subApplication : m_application;
}

// ==== Global constants ==========================================================================

void PEngine::AddGlobalConstantName(const char* name, int constantIndex) {
  int i = m_constantNames.AddSorted(name);
  if (i >= 0) m_constantNames.GetAt(i)->SetTag(constantIndex);
}

int PEngine::CollectPackageConstants(SArray<SValue*>* list) const {
  const PObjectDefinition* main = GetMainDefinition();
  if (!main) return 0;
  for (int i = 0; i < m_constantNames.GetCount(); i++) {
    int index = m_constantNames.GetAt(i)->GetTag();
    if (list && index >= 0 && index < main->GetConstantCount()) list->Add(main->GetConstant(index));
  }
  return m_constantNames.GetCount();
}

// ==== Identifiers ===============================================================================

bool PEngine::IsValidName(const char* text, bool qualified) {
  if (!text) return false;
  if (!qualified) return IsIdentifier(text);
  const char* dot = std::strchr(text, '.');
  if (!dot) return false;
  return IsIdentifier(text, int(dot - text)) && IsIdentifier(dot + 1);
}

// ==== New values ================================================================================

PObjInt* PEngine::NewInteger() {
  return m_integer ? static_cast<PObjInt*>(m_integer->CreateInstance()) : nullptr;
}

PObjFloat* PEngine::NewFloat() {
  return m_float ? static_cast<PObjFloat*>(m_float->CreateInstance()) : nullptr;
}

PObjString* PEngine::NewString() {
  return m_string ? static_cast<PObjString*>(m_string->CreateInstance()) : nullptr;
}

PObjUniString* PEngine::NewUniString() {
  return m_uniString ? static_cast<PObjUniString*>(m_uniString->CreateInstance()) : nullptr;
}

PObjValue* PEngine::NewValue() {
  return m_value ? static_cast<PObjValue*>(m_value->CreateInstance()) : nullptr;
}
