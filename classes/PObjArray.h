// PObjArray: the script class "Array", a growable list of references to
// script objects of any class. The array does not own what it refers to:
// only its deleting members (0 to 7) release objects. The program takes part
// in comparing, deleting, parsing, inserting and formatting elements
// through the events 39 to 43.
#pragma once

#include <cstdint>

#include "classes/PArrayCommon.h"
#include "core/SArray.h"
#include "engine/PObject.h"

class PObjArray : public PObject {
 public:
  static constexpr TypeCode kTypeCode = MakeTypeCode(ORIGIN_BUILTIN, 'A', 'R', ' ');

  enum Member : uint16_t {
    DELETE_AT = 0,
    DELETE_ALL = 1,
    DELETE_AND_REMOVE_AT = 2,
    DELETE_DUPLICATES = 3,
    DELETE_AND_REMOVE_VALUE = 4,
    DELETE_DUPLICATES_IN_PLACE = 5,
    DELETE_VALUE = 6,
    DELETE_LAST = 7,
    FIND_SORTED = 8,
    FIND_INSERT_POSITION = 9,
    ADD_SORTED = 10,
    FIND = 11,
    GET_AT = 12,
    GET_COMPARE_MODE = 13,
    GET_COUNT = 14,
    GET_FIRST = 15,
    GET_LAST = 16,
    GET_RANDOM = 17,
    GET_TYPE_CODE = 18,
    GET_FLAT_INDEX = 19,
    INSERT = 20,
    LOAD_FILE = 21,
    LOAD_PATH = 22,
    LOAD_RESOURCE = 23,
    MOVE = 24,
    REMOVE_AT = 25,
    REMOVE_ALL = 26,
    REMOVE_DUPLICATES = 27,
    REMOVE_VALUE = 28,
    REMOVE_LAST = 29,
    SHUFFLE = 30,
    SAVE_FILE = 31,
    SAVE_PATH = 32,
    SET_AT = 33,
    SET_COMPARE_MODE = 34,
    SET_COUNT = 35,
    SET_DIMENSIONS = 36,
    SORT = 37,
    SWAP = 38,
    ON_COMPARE = 39,
    ON_DELETE = 40,
    ON_PARSE = 41,
    ON_INSERT = 42,
    ON_FORMAT = 43,
  };

  // The element store: every element operation raises its event on the
  // owner; without a handler objects compare by address, lines parse to
  // null and objects format as "".
  class _PArray : public SArray<PObject*> {
   public:
    explicit _PArray(PObjArray* owner) : m_owner(owner) {}
    void CopyElement(PObject** dest, PObject* const* source, int index, int extra) override;
    // Hears the deletion, clears the slot and releases the object once: an
    // object one of whose members is running is only flagged, and goes when
    // that call returns, as the script's delete statement does it.
    void DestroyElement(PObject** slot, int index, int extra) override;
    int CompareElements(PObject* const* a, PObject* const* b, int mode, int extra) const override;
    void ParseElement(PObject** slot, const char* line, int index, int extra) override;
    SString FormatElement(PObject* element, int index, int extra) const override;

    // Deletes the objects of n slots from start (n < 0: to the end), leaving
    // them null. An object that another slot of the array still holds only
    // loses this slot, so each object is released once, with its last slot.
    void DeleteSlots(int start, int n);

   private:
    PObjArray* m_owner;
  };

  explicit PObjArray(PObjectDefinition* definition) : PObject(definition), m_store(this) {}

  static void Register(PObjectDefinition* definition);
  static bool Declare(PObjectDefinition* definition);
  static PObject* New(PObjectDefinition* definition);
  bool Call(uint16_t member, PArgs* args, PResultCell* result, PObject* caller) override;

  SArray<PObject*>& GetStore() { return m_store; }

 private:
  _PArray m_store;
  PArrayDimensions m_dimensions;
  int32_t m_busy = 0;  // operations raising events in progress (PArrayBusy)
};
