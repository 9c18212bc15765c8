// PObjectInfo: the declaration of one member variable, parameter, local
// variable or return value: its class, its name and how its object is made.
#pragma once

#include <cstdint>

#include "core/SString.h"
#include "core/SValue.h"
#include "engine/PTypeCode.h"

class PObjectDefinition;

enum PObjectInfoKind : int32_t {
  INFO_NONE = 0,
  INFO_VARIABLE = 1,
  INFO_PARAMETER = 2,
  INFO_LOCAL = 3,
  INFO_RETURN = 4,
};

class PObjectInfo {
 public:
  PObjectInfo() { Reset(); }
  PObjectInfo(PObjectDefinition* type, const char* name, PObjectInfoKind kind);

  // No type, empty name, kind 0, a reference without default (integer 0).
  void Reset();

  PObjectDefinition* GetType() const { return m_type; }
  void SetType(PObjectDefinition* type);
  // The type's TypeCode, 0 without a type. Kept beside the type: every
  // argument of every member call reads it.
  TypeCode GetTypeCode() const { return m_typeCode; }
  const char* GetName() const { return m_name.GetText(); }
  void SetName(const char* name) { m_name = name; }
  PObjectInfoKind GetKind() const { return m_kind; }
  void SetKind(PObjectInfoKind kind) { m_kind = kind; }

  bool IsHidden() const { return m_hidden; }
  void SetHidden(bool hidden) { m_hidden = hidden; }
  // Made together with its holder ("new", and every number or text variable).
  bool IsAutoCreate() const { return m_autoCreate; }
  void SetAutoCreate(bool autoCreate) { m_autoCreate = autoCreate; }
  bool IsReference() const { return m_reference; }
  void SetReference(bool reference) { m_reference = reference; }

  // The default's name is the default as the program wrote it.
  bool HasDefault() const { return m_hasDefault; }
  void SetHasDefault(bool hasDefault) { m_hasDefault = hasDefault; }
  SValue& GetDefault() { return m_default; }
  const SValue& GetDefault() const { return m_default; }

 private:
  PObjectDefinition* m_type;
  TypeCode m_typeCode;
  SString m_name;
  PObjectInfoKind m_kind;
  bool m_hidden;
  bool m_autoCreate;
  bool m_reference;
  bool m_hasDefault;
  SValue m_default;
};
