#include "engine/PObjectInfo.h"

#include "engine/PObjectDefinition.h"

PObjectInfo::PObjectInfo(PObjectDefinition* type, const char* name, PObjectInfoKind kind) {
  Reset();
  SetType(type);
  m_name = name;
  m_kind = kind;
}

void PObjectInfo::Reset() {
  m_type = nullptr;
  m_typeCode = TYPE_NONE;
  m_name = "";
  m_kind = INFO_NONE;
  m_hidden = false;
  m_autoCreate = false;
  m_reference = true;
  m_hasDefault = false;
  m_default = SValue();
}

void PObjectInfo::SetType(PObjectDefinition* type) {
  m_type = type;
  m_typeCode = type ? type->GetTypeCode() : TYPE_NONE;
}
