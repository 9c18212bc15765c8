// PObjUniString: the script class "UniString", a UTF-16 text (SUniString).
// It is also the form in which every UTF-16 text crosses a member call or an
// event.
//
// Its members are the UTF-16 twins of a subset of the String class's, in
// their own numbering; lengths and positions count 16-bit units. A
// "character" argument is a UniString whose first unit is used ("" gives 0).
// No member fails: out-of-range positions read as 0 or "", writes outside
// the text are ignored, searches answer -1.
#pragma once

#include <cstdint>

#include "core/SUniString.h"
#include "engine/PObject.h"

class PObjUniString : public PObject {
 public:
  enum Member : uint16_t {
    // Whole text, characters and tag (PObjUniStringCharacters.cpp)
    ADDRESS = 0,
    SET = 1,
    SET_AND_GET = 2,
    SET_CHAR = 3,
    SET_CODE = 4,
    GET = 5,
    GET_CHAR = 6,
    GET_CODE = 7,
    SET_LENGTH = 8,
    LENGTH = 9,
    SET_TAG = 10,
    GET_TAG = 11,
    IS_UPPER = 12,
    IS_LOWER = 13,
    IS_ALPHA = 14,
    IS_DIGIT = 15,
    // Comparison, editing, extraction and search (PObjUniStringEditing.cpp)
    COMPARE = 16,
    APPEND = 17,
    APPEND_AND_GET = 18,
    INSERT = 19,
    REMOVE = 20,
    OVERWRITE = 21,
    SLICE = 22,
    LEFT = 23,
    BEFORE_OR_ALL = 24,
    MID = 25,
    RIGHT = 26,
    BEFORE = 27,
    AFTER = 28,
    TRIM = 29,
    TRIM_LEADING = 30,
    TRIM_TRAILING = 31,
    REPLACE = 32,
    MAKE_LOWER = 33,
    MAKE_UPPER = 34,
    TO_LOWER = 35,
    TO_UPPER = 36,
    WITHOUT_BLANKS = 37,
    REMOVE_BLANKS = 38,
    REVERSE = 39,
    FIND = 40,
    IS_ENCLOSED = 41,
    ENCLOSE = 42,
    UNENCLOSE = 43,
    // Numbers and literal tests (PObjUniStringNumbers.cpp)
    SET_INTEGER = 44,
    SET_FLOAT = 45,
    SET_HEX = 46,
    SET_BINARY = 47,
    TO_INTEGER = 48,
    TO_FLOAT = 49,
    HEX_VALUE = 50,
    BINARY_VALUE = 51,
    IS_NUMBER = 52,
    IS_INTEGER = 53,
    IS_DECIMAL = 54,
    IS_HEX_NUMBER = 55,
    CLASSIFY_LITERAL = 56,
  };

  // The answers of CLASSIFY_LITERAL, script constants "VAL_NONE" ... "VAL_STR".
  enum Literal : int32_t { VAL_NONE = 0, VAL_INT = 1, VAL_FLOAT = 2, VAL_HEX = 3, VAL_STR = 4 };

  // The text is never without a buffer.
  explicit PObjUniString(PObjectDefinition* definition) : PObject(definition) {
    m_value.SetText(u"");
  }

  static void Register(PObjectDefinition* definition);
  static bool Declare(PObjectDefinition* definition);
  static PObject* New(PObjectDefinition* definition);
  bool Call(uint16_t member, PArgs* args, PResultCell* result, PObject* caller) override;

  // Never null.
  const UniChar* GetText() const { return m_value.GetText(); }
  // Null gives "".
  void SetText(const UniChar* text) { m_value.SetText(text ? text : u""); }
  SUniString& GetString() { return m_value; }

 private:
  // One family of members each; every one answers true.
  bool CallCharacters(Member member, PArgs* args, PResultCell* result);
  bool CallEditing(Member member, PArgs* args, PResultCell* result);
  bool CallNumbers(Member member, PArgs* args, PResultCell* result);

  // The longest text SUniString can hold. A request beyond it would end the
  // process the way a failed allocation does, so such requests change
  // nothing.
  static constexpr int64_t kMaxLength = 0x1FFFFFFF;

  // The text as a new result.
  bool ReturnText(PResultCell* result) const { return ReturnUniString(result, m_value.GetText()); }

  SUniString m_value;
};
