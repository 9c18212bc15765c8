// PObjString: the script class "String", an 8-bit text (SString). It is also
// the form in which every 8-bit text crosses a member call or an event.
//
// Its 103 members read, edit, search, split, convert, encode and digest the
// text; each is one SString operation on the object's own text. Call sends
// a member to the family file that holds it: PObjStringEdit.cpp (characters
// and editing in place), PObjStringSearch.cpp (tests, comparison, search and
// extraction), PObjStringConvert.cpp (codings, numbers, digests, splitting).
//
// Positions are 0-based bytes; a count of -1 reaches the end; reading outside
// the text gives 0 or "", searches answer -1. No member fails.
#pragma once

#include <cstdint>

#include "core/SString.h"
#include "engine/PObject.h"

class SStringArray;

class PObjString : public PObject {
 public:
  enum Member : uint16_t {
    ADDRESS = 0,
    SET = 1,
    SET_AND_GET = 2,
    SET_CHAR = 3,
    SET_CHAR_CODE = 4,
    GET = 5,
    GET_CHAR = 6,
    GET_CHAR_CODE = 7,
    SET_LENGTH = 8,
    LENGTH = 9,
    SET_TAG = 10,
    GET_TAG = 11,
    IS_UPPER_AT = 12,
    IS_LOWER_AT = 13,
    IS_ALPHA_AT = 14,
    IS_DIGIT_AT = 15,
    IS_VOWEL_AT = 16,
    IS_CONSONANT_AT = 17,
    COMPARE = 18,
    MATCHES = 19,
    APPEND = 20,
    APPEND_AND_GET = 21,
    INSERT = 22,
    REMOVE = 23,
    OVERWRITE_RANGE = 24,
    SLICE = 25,
    LEFT = 26,
    BEFORE_CHAR_OR_ALL = 27,
    MID = 28,
    RIGHT = 29,
    BEFORE_CHAR = 30,
    AFTER_CHAR = 31,
    SPLIT = 32,
    SPLIT_MARKUP = 33,
    TRIM = 34,
    TRIM_LEADING = 35,
    TRIM_TRAILING = 36,
    REPLACE = 37,
    MAKE_LOWER = 38,
    MAKE_UPPER = 39,
    TO_LOWER = 40,
    TO_UPPER = 41,
    WITHOUT_BLANKS = 42,
    REMOVE_BLANKS = 43,
    REMOVE_ACCENTS = 44,
    STRIP_LEADING_NUMBER = 45,
    REVERSE = 46,
    ENCODE_BASE64 = 47,
    DECODE_BASE64 = 48,
    ENCODE_7BIT = 49,
    DECODE_7BIT = 50,
    ENCODE_URL = 51,
    DECODE_URL = 52,
    ESCAPE_HTML = 53,
    UNESCAPE_HTML = 54,
    ESCAPE_HTML_FULL = 55,
    CRLF_TO_BR = 56,
    BR_TO_CRLF = 57,
    ENCODE_HEX_ESCAPES = 58,
    DECODE_HEX_ESCAPES = 59,
    FIND = 60,
    FIND_OUTSIDE_QUOTES = 61,
    FIND_ONE_OF = 62,
    REVERSE_FIND_CHAR = 63,
    REVERSE_FIND_ONE_OF = 64,
    FIND_NOT_CHAR = 65,
    NEXT_MARKUP_TOKEN = 66,
    NEXT_WORD = 67,
    GET_LINE_AT = 68,
    COUNT_LINES = 69,
    LONGEST_LINE_LENGTH = 70,
    WORD_WRAP_LEFT = 71,
    WORD_WRAP_CENTRE = 72,
    WORD_WRAP_RIGHT = 73,
    WORD_WRAP_JUSTIFY = 74,
    IS_ENCLOSED_BY = 75,
    ENCLOSE = 76,
    UNENCLOSE = 77,
    IS_IDENTIFIER = 78,
    IS_UPPER_IDENTIFIER = 79,
    IS_LOWER_IDENTIFIER = 80,
    IS_VALID_FILE_NAME = 81,
    REMOVE_EXTRA_BLANKS = 82,
    FIND_WORD = 83,
    SET_INT = 84,
    SET_DOUBLE = 85,
    SET_HEX = 86,
    SET_BINARY = 87,
    SET_ROMAN = 88,
    TO_INT = 89,
    TO_DOUBLE = 90,
    HEX_VALUE = 91,
    BINARY_VALUE = 92,
    ROMAN_VALUE = 93,
    IS_NUMBER = 94,
    IS_INTEGER = 95,
    IS_DECIMAL = 96,
    IS_HEX_NUMBER = 97,
    CLASSIFY_LITERAL = 98,
    CRC32 = 99,
    MD5 = 100,
    SHA1 = 101,
    IS_IP_ADDRESS = 102,
  };
  static constexpr int kMemberCount = 103;

  // The kinds of literal member CLASSIFY_LITERAL answers.
  enum Literal : int32_t { VAL_NONE = 0, VAL_INT = 1, VAL_FLOAT = 2, VAL_HEX = 3, VAL_STR = 4 };
  // The options of SPLIT (the parser's option bits).
  enum SplitOption : int32_t { SPL_QUOTE = 1, SPL_QUOTESEP = 3, SPL_NOQUOTE = 7, SPL_NOSPACE = 8 };

  // The StringArray class keeps its texts in an SStringArray inside its
  // objects; it hands String this way of reaching them when it registers.
  // The access answers null for null and for objects of other classes.
  typedef SStringArray* (*ArrayAccess)(PObject* object);
  static void SetArrayAccess(ArrayAccess access);

  // The text is never without a buffer.
  explicit PObjString(PObjectDefinition* definition) : PObject(definition) { m_value.SetText(""); }

  static void Register(PObjectDefinition* definition);
  static bool Declare(PObjectDefinition* definition);
  static PObject* New(PObjectDefinition* definition);
  bool Call(uint16_t member, PArgs* args, PResultCell* result, PObject* caller) override;

  // Never null.
  const char* GetText() const { return m_value.GetText(); }
  // Null gives "".
  void SetText(const char* text) { m_value.SetText(text); }
  SString& GetString() { return m_value; }

 private:
  // Each family answers false for a member it does not hold.
  bool CallEdit(uint16_t member, PArgs* args, PResultCell* result);
  bool CallSearch(uint16_t member, PArgs* args, PResultCell* result);
  bool CallConvert(uint16_t member, PArgs* args, PResultCell* result);

  // A character argument with the one its empty text stands for.
  static char GetArgCharOr(const PArgs* args, int i, char empty);
  // The texts of a StringArray argument; null for null and other objects.
  static SStringArray* GetArgArray(const PArgs* args, int i);

  SString m_value;
};
