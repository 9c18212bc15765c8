// PObjStringArray: the script class "StringArray", a growable list of 8-bit
// texts the array owns, each with one integer tag. The program takes part in
// comparing, parsing, formatting and inserting elements through the events
// 36 to 39.
#pragma once

#include <cstdint>

#include "classes/PArrayCommon.h"
#include "core/SStringArray.h"
#include "engine/PObject.h"

class PObjStringArray : public PObject {
 public:
  static constexpr TypeCode kTypeCode = MakeTypeCode(ORIGIN_BUILTIN, 'A', 'R', 'S');

  enum Member : uint16_t {
    GET_TEXT_FORM = 0,
    FIND_SORTED = 1,
    FIND_INSERT_POSITION = 2,
    ADD_SORTED = 3,
    FIND = 4,
    GET_AT = 5,
    GET_COMPARE_MODE = 6,
    GET_COUNT = 7,
    GET_TAG = 8,
    GET_FIRST = 9,
    GET_LAST = 10,
    COPY_MATCHING = 11,
    SET_TEXT_FORM = 12,
    GET_FLAT_INDEX = 13,
    INSERT = 14,
    INSERT_TABLE_COLUMN = 15,
    JOIN = 16,
    LOAD_FILE = 17,
    LOAD_PATH = 18,
    LOAD_RESOURCE = 19,
    MOVE = 20,
    REMOVE_AT = 21,
    REMOVE_ALL = 22,
    REMOVE_DUPLICATES = 23,
    REMOVE_TEXT = 24,
    REMOVE_LAST = 25,
    SHUFFLE = 26,
    SAVE_FILE = 27,
    SAVE_PATH = 28,
    SET_AT = 29,
    SET_COMPARE_MODE = 30,
    SET_COUNT = 31,
    SET_TAG = 32,
    SET_DIMENSIONS = 33,
    SORT = 34,
    SWAP = 35,
    ON_COMPARE = 36,
    ON_PARSE = 37,
    ON_INSERT = 38,
    ON_FORMAT = 39,
  };

  // The element store: every element operation raises its event on the
  // owner, falling back to the plain texts' behaviour without a handler.
  class _PArray : public SStringArray {
   public:
    explicit _PArray(PObjStringArray* owner) : m_owner(owner) {}
    void CopyElement(SString** dest, SString* const* source, int index, int extra) override;
    int CompareElements(SString* const* a, SString* const* b, int mode, int extra) const override;
    void ParseElement(SString** slot, const char* line, int index, int extra) override;
    SString FormatElement(SString* element, int index, int extra) const override;

   private:
    PObjStringArray* m_owner;
  };

  explicit PObjStringArray(PObjectDefinition* definition) : PObject(definition), m_store(this) {}

  static void Register(PObjectDefinition* definition);
  static bool Declare(PObjectDefinition* definition);
  static PObject* New(PObjectDefinition* definition);
  bool Call(uint16_t member, PArgs* args, PResultCell* result, PObject* caller) override;

  SStringArray& GetStore() { return m_store; }
  // The texts of a StringArray object; null for null and other objects.
  static SStringArray* GetTexts(PObject* object);

 private:
  _PArray m_store;
  PArrayDimensions m_dimensions;
  int32_t m_busy = 0;  // operations raising events in progress (PArrayBusy)
};
