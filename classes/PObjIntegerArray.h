// PObjIntegerArray: the script class "IntegerArray", a growable list of 64-bit integers (the shared
// design is PObjNumberArray.h).
#pragma once

#include <cstdint>

#include "classes/PObjNumberArray.h"

class PObjIntegerArray : public PObjNumberArray<int64_t> {
 public:
  static constexpr TypeCode kTypeCode = MakeTypeCode(ORIGIN_BUILTIN, 'A', 'R', 'I');

  explicit PObjIntegerArray(PObjectDefinition* definition) : PObjNumberArray(definition) {}

  static void Register(PObjectDefinition* definition);
  static bool Declare(PObjectDefinition* definition) { return DeclareMembers(definition, TYPE_INTEGER); }
  static PObject* New(PObjectDefinition* definition);
};
