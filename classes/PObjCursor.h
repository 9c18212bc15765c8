// PObjCursor: the script class "Cursor", one mouse cursor: a standard or
// built-in shape, or a picture from a File, a disk file or an "image"
// resource made into a cursor.
#pragma once

#include <cstdint>

#include "engine/PObject.h"
#include "window/SCursor.h"

class PObjCursor : public PObject {
 public:
  static constexpr TypeCode kTypeCode = MakeTypeCode(ORIGIN_BUILTIN, 'C', 'U', 'R');

  enum Member : uint16_t {
    CLEAR = 0,
    LOAD_FROM_FILE = 1,
    LOAD_FROM_PATH = 2,
    LOAD_FROM_RESOURCE = 3,
    LOAD_SHAPE = 4,
    MEMBER_COUNT = 5,
  };

  explicit PObjCursor(PObjectDefinition* definition) : PObject(definition) {}

  static void Register(PObjectDefinition* definition);
  static bool Declare(PObjectDefinition* definition);
  static PObject* New(PObjectDefinition* definition);
  bool Call(uint16_t member, PArgs* args, PResultCell* result, PObject* caller) override;

  const SCursor& GetCursor() const { return m_cursor; }

 private:
  SCursor m_cursor;
};
