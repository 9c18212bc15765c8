#include "engine/PObjectInfo.h"

#include "engine/PObjectDefinition.h"

// The name and the default start empty without a buffer of their own: the
// built-in classes declare some two thousand of these at every start, and
// assigning empty texts, as Reset does, would allocate for each.
PObjectInfo::PObjectInfo(PObjectDefinition* type, const char* name, PObjectInfoKind kind)
    : m_type(nullptr),
      m_typeCode(TYPE_NONE),
      m_kind(kind),
      m_hidden(false),
      m_autoCreate(false),
      m_reference(true),
      m_hasDefault(false) {
  SetType(type);
  if (name && *name) m_name = name;
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
