// PObjFloatArray: the script class "FloatArray", a growable list of doubles (the shared
// design is PObjNumberArray.h).
#pragma once

#include <cstdint>

#include "classes/PObjNumberArray.h"

class PObjFloatArray : public PObjNumberArray<double> {
 public:
  static constexpr TypeCode kTypeCode = MakeTypeCode(ORIGIN_BUILTIN, 'A', 'R', 'F');

  explicit PObjFloatArray(PObjectDefinition* definition) : PObjNumberArray(definition) {}

  static void Register(PObjectDefinition* definition);
  static bool Declare(PObjectDefinition* definition) { return DeclareMembers(definition, TYPE_FLOAT); }
  static PObject* New(PObjectDefinition* definition);
};
