// PObjNumberArray: the design shared by the script classes "FloatArray" and
// "IntegerArray", growable lists of doubles and of 64-bit integers. The two
// differ only in the element type, its text and their class identity
// (PObjFloatArray.h, PObjIntegerArray.h). The program takes part in
// comparing, parsing, inserting and formatting elements through the events
// 31 to 34.
#pragma once

#include <cstdint>

#include "classes/PArrayCommon.h"
#include "core/SArray.h"
#include "core/SValue.h"
#include "engine/PObject.h"

template <class T>
class PObjNumberArray : public PObject {
 public:
  enum Member : uint16_t {
    GET_TEXT_FORM = 0,
    FIND_SORTED = 1,
    FIND_INSERT_POSITION = 2,
    ADD_SORTED = 3,
    FIND = 4,
    GET_AT = 5,
    GET_COMPARE_MODE = 6,
    GET_COUNT = 7,
    GET_FIRST = 8,
    GET_LAST = 9,
    SET_TEXT_FORM = 10,
    GET_FLAT_INDEX = 11,
    INSERT = 12,
    LOAD_FILE = 13,
    LOAD_PATH = 14,
    LOAD_RESOURCE = 15,
    MOVE = 16,
    REMOVE_AT = 17,
    REMOVE_ALL = 18,
    REMOVE_DUPLICATES = 19,
    REMOVE_VALUE = 20,
    REMOVE_LAST = 21,
    SHUFFLE = 22,
    SAVE_FILE = 23,
    SAVE_PATH = 24,
    SET_AT = 25,
    SET_COMPARE_MODE = 26,
    SET_COUNT = 27,
    SET_DIMENSIONS = 28,
    SORT = 29,
    SWAP = 30,
    ON_COMPARE = 31,
    ON_PARSE = 32,
    ON_INSERT = 33,
    ON_FORMAT = 34,
  };

  // The element store: every element operation raises its event on the
  // owner, falling back to the numbers' own behaviour without a handler.
  class _PArray : public SArray<T> {
   public:
    explicit _PArray(PObjNumberArray* owner) : m_owner(owner) {}
    void CopyElement(T* dest, const T* source, int index, int extra) override;
    int CompareElements(const T* a, const T* b, int mode, int extra) const override;
    void ParseElement(T* slot, const char* line, int index, int extra) override;
    SString FormatElement(T element, int index, int extra) const override;

   private:
    PObjNumberArray* m_owner;
    // The compare event's answer, kept so that a sort makes no value per
    // comparison; a nested event is over before the outer one writes it.
    mutable SValue m_answer;
  };

  explicit PObjNumberArray(PObjectDefinition* definition) : PObject(definition), m_store(this) {}

  // The members and events, with the element class (Float or Integer).
  static bool DeclareMembers(PObjectDefinition* definition, TypeCode element);
  bool Call(uint16_t member, PArgs* args, PResultCell* result, PObject* caller) override;

  SArray<T>& GetStore() { return m_store; }

  // The element members a running script calls most, for a caller that
  // holds the index and value unpacked: the same rules as through Call.
  // Outside the array there is no element to read and nothing is stored.
  bool GetElement(int32_t index, T& value) const {
    if (!IsArrayIndexValid(index, m_store.GetCount())) return false;
    value = m_store.GetAt(index);
    return true;
  }
  // Refused, like every change, while an operation of the array raises
  // events.
  void SetElement(int32_t index, T value) {
    if (m_busy == 0) m_store.SetAt(index, value);
  }
  int GetElementCount() const { return m_store.GetCount(); }

  // The text of an element and the value of a text.
  static SString TextOf(T value);
  static T ValueOf(const char* text);

 private:
  static T GetArgValue(const PArgs* args, int i);
  static bool ReturnValue(PResultCell* result, T value);

  _PArray m_store;
  PArrayDimensions m_dimensions;
  int32_t m_busy = 0;  // operations raising events in progress (PArrayBusy)
};

extern template class PObjNumberArray<double>;
extern template class PObjNumberArray<int64_t>;
