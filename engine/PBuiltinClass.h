// The built-in classes as the engine registers them: one row per class, in
// registration order. A class's row position is its index in the definition
// table, and that index is part of the internal names of its members, so the
// order is fixed once and for all.
//
// Every built-in class has four static operations named after it: Register
// fills its definition (factory, category, TypeCode, name, base, constants,
// and PObject::Register last), Declare adds its members in member-number
// order (PObject::Declare first), New is its factory and Call its member
// dispatcher. The type-only classes (Void, Pointer) have neither Register nor
// Declare: their row gives the TypeCode and name their definition is made
// with.
#pragma once

#include "engine/PTypeCode.h"

class PObjectDefinition;

struct PBuiltinClass {
  TypeCode typeCode;
  const char* name;  // only read for a type-only class
  void (*Register)(PObjectDefinition* definition);
  bool (*Declare)(PObjectDefinition* definition);
};

// The rows themselves, at their fixed indexes: engine/BuiltinClassTable.h.
