// PObjRegistry: the script class "Registry", single values of the system
// registry (SRegistry) under one of five root keys.
//
// The object holds nothing: every member names its root, sub key and
// value, opens what it needs and closes it again. A root other than the
// five constants makes the member do nothing and leave the caller's
// result as it was.
//
// Registration is pure code; the members reach the registry only in the
// Windows build (PObjRegistryWin32.cpp). The host build, which only
// builds programs to check them, answers nothing (PObjRegistryHost.cpp).
#pragma once

#include <cstdint>

#include "engine/PObject.h"

class PObjRegistry : public PObject {
 public:
  static constexpr TypeCode kTypeCode = MakeTypeCode(ORIGIN_BUILTIN, 'R', 'E', 'G');

  // The script constants, by the root key each stands for.
  enum Root : int32_t {
    CURRENT_USER = 1,
    LOCAL_MACHINE = 2,
    CLASSES_ROOT = 3,
    CURRENT_CONFIG = 4,
    USERS = 5,
  };

  enum Member : uint16_t {
    READ_INTEGER = 0,
    READ_STRING = 1,
    WRITE_INTEGER = 2,
    WRITE_STRING = 3,
    DELETE_KEY = 4,
    DELETE_VALUE = 5,
    MEMBER_COUNT = 6,
  };

  explicit PObjRegistry(PObjectDefinition* definition) : PObject(definition) {}

  static void Register(PObjectDefinition* definition);
  static bool Declare(PObjectDefinition* definition);
  static PObject* New(PObjectDefinition* definition);
  bool Call(uint16_t member, PArgs* args, PResultCell* result, PObject* caller) override;

 private:
  // The root argument's position in each member's list.
  static int RootArgument(uint16_t member);
  // The members with a known root (PObjRegistryWin32.cpp).
  bool CallPlatform(uint16_t member, int32_t root, PArgs* args, PResultCell* result);
};
