#include "engine/PObjectInfo.h"

#include "engine/PObjectDefinition.h"

PObjectInfo::PObjectInfo(PObjectDefinition* type, const char* name, PObjectInfoKind kind) {
  Reset();
  m_type = type;
  m_name = name;
  m_kind = kind;
}

void PObjectInfo::Reset() {
  m_type = nullptr;
  m_name = "";
  m_kind = INFO_NONE;
  m_hidden = false;
  m_autoCreate = false;
  m_reference = true;
  m_hasDefault = false;
  m_default = SValue();
}

TypeCode PObjectInfo::GetTypeCode() const { return m_type ? m_type->GetTypeCode() : TYPE_NONE; }
