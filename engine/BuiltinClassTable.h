// The table of built-in classes: every class the engine knows without a
// program, at the fixed position that is its class index.
//
// A class's index is part of the internal name of each of its members
// (PObjectDefinition::MakeInternalName), so the order of the rows is the
// numbering of every built-in member name and never changes. Each row holds
// the identity every build gives the class (TypeCode, name, category, base,
// control number, abstract flag) and, once the class exists, its own
// Register and Declare. A class still to come is registered with its
// identity and the "ID" constant only: no factory, no constants of its own
// and no members, so that nothing is invented in its place.
#pragma once

#include <cstdint>

#include "engine/PBuiltinClass.h"
#include "engine/PTypeCode.h"

class PObjectDefinition;

enum PBuiltinStatus : int32_t {
  BUILTIN_TYPE_ONLY = 0,  // Void and Pointer: a TypeCode and a name, nothing else
  BUILTIN_TO_COME = 1,    // identity only, until the class itself is built
  BUILTIN_CLASS = 2,      // the class's own Register (and Declare, once it has members)
};

struct PBuiltinClassRow {
  TypeCode typeCode;
  const char* name;
  int32_t category;       // ClassCategory
  const char* baseName;   // "Control" for the control classes, else ""
  int16_t controlNumber;  // -1 for a class that is no control
  bool isAbstract;        // Global and Control
  PBuiltinStatus status;
  void (*Register)(PObjectDefinition* definition);  // null unless BUILTIN_CLASS
  bool (*Declare)(PObjectDefinition* definition);   // null: no members yet
};

// The 93 built-in classes and the two type-only definitions.
constexpr int kBuiltinClassCount = 95;

// All rows in registration order; count receives their number.
const PBuiltinClassRow* GetBuiltinClassRows(int& count);

// The same rows in the form PEngine::RegisterClasses reads: a class still to
// come gets a Register that fills its identity.
const PBuiltinClass* GetBuiltinClassTable(int& count);

// What a class's Register does, less the factory and the class's own
// constants: category, TypeCode, name, base name, control number, abstract
// flag, then PObject::Register (the "ID" constant, except for Global).
void RegisterBuiltinIdentity(PObjectDefinition* definition, const PBuiltinClassRow& row);
