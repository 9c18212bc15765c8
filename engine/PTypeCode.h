// The numbers that name classes and members across the language engine:
// class tags (TypeCode), member kinds, class groups and class origins.
#pragma once

#include <cstdint>

// A class tag: the high byte is the class's origin, the three low bytes tell
// classes of that origin apart (three ASCII letters for the built-in ones).
typedef uint32_t TypeCode;

constexpr TypeCode MakeTypeCode(uint32_t origin, char a, char b, char c) {
  return origin << 24 | uint32_t(uint8_t(a)) << 16 | uint32_t(uint8_t(b)) << 8 | uint8_t(c);
}

// The high byte of a TypeCode.
enum ClassOrigin : uint32_t {
  ORIGIN_NONE = 0,
  ORIGIN_GLOBAL = 1,
  ORIGIN_BUILTIN = 2,
  ORIGIN_USER = 3,
  ORIGIN_MODULE = 4,
};

constexpr ClassOrigin OriginOf(TypeCode code) { return ClassOrigin(code >> 24); }

// The classes the engine itself has to know by tag.
enum : TypeCode {
  TYPE_NONE = 0,
  TYPE_GLOBAL = MakeTypeCode(ORIGIN_GLOBAL, 'G', 'L', 'B'),
  TYPE_VOID = MakeTypeCode(ORIGIN_BUILTIN, 'V', 'O', 'I'),
  TYPE_POINTER = MakeTypeCode(ORIGIN_BUILTIN, 'P', 'T', 'R'),
  TYPE_INTEGER = MakeTypeCode(ORIGIN_BUILTIN, 'I', 'N', 'T'),
  TYPE_FLOAT = MakeTypeCode(ORIGIN_BUILTIN, 'F', 'L', 'T'),
  TYPE_STRING = MakeTypeCode(ORIGIN_BUILTIN, 'S', 'T', 'R'),
  TYPE_UNISTRING = MakeTypeCode(ORIGIN_BUILTIN, 'U', 'N', 'I'),
  TYPE_VALUE = MakeTypeCode(ORIGIN_BUILTIN, 'V', 'A', 'L'),
  TYPE_THREAD = MakeTypeCode(ORIGIN_BUILTIN, 'T', 'H', 'D'),
  // The two user classes with a fixed tag.
  TYPE_APPLICATION = MakeTypeCode(ORIGIN_USER, 'A', 'P', 'P'),
  TYPE_SUBAPPLICATION = MakeTypeCode(ORIGIN_USER, 'S', 'U', 'B'),
};

enum MemberKind : int32_t {
  MEMBER_FUNCTION = 1,
  MEMBER_EVENT = 2,
  // A member of a user class that handles an event of an object it owns;
  // named "Class._xxxx" after the raising class and the event.
  MEMBER_HANDLER = 3,
};

enum ClassCategory : int32_t {
  CATEGORY_GLOBAL = 0,
  CATEGORY_SYSTEM = 1,
  CATEGORY_SERVICES = 2,
  CATEGORY_VALUES = 3,
  CATEGORY_ARRAYS = 4,
  CATEGORY_MATH = 5,
  CATEGORY_FILES = 6,
  CATEGORY_GRAPHICS = 7,
  CATEGORY_NETWORK = 8,
  CATEGORY_CONTROLS = 10,
  CATEGORY_EDITORS = 11,
  CATEGORY_MODULES = 12,
  CATEGORY_USER = 13,
};
