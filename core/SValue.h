// SValue: the variant value of the system, holding a 64-bit integer, a
// double, an 8-bit text or a UTF-16 text, with the conversion, comparison
// and arithmetic rules of the script language.
//
// All four payloads exist at once; the kind says which one is the value,
// and the others keep whatever they last held without ever being read.
// Beside the value each SValue carries a name, a display text and a flag
// word for its owner (a script constant keeps its name, its source form and
// whether it was declared hidden there); no value operation touches them.
//
// A kind outside 0..3 (only SetKind makes one) converts to 0, 0.0 and ""
// and is left alone by every arithmetic operation.
#pragma once

#include <cstdint>

#include "core/SString.h"
#include "core/SUniString.h"

enum ValueKind : int32_t {
  VALUE_INT64 = 0,
  VALUE_DOUBLE = 1,
  VALUE_STRING = 2,     // SString
  VALUE_UNISTRING = 3,  // SUniString
};

class SValue {
 public:
  SValue();  // int64 0, empty name and text, flag 0
  // Copies every field, as CopyFrom.
  SValue(const SValue& other);
  SValue& operator=(const SValue& other) { return CopyFrom(other); }
  virtual ~SValue();

  // ---- Setters and tests (nothing is converted) -----------------------------------

  void SetInt64(int64_t value) {
    m_int = value;
    m_kind = VALUE_INT64;
  }
  void SetDouble(double value) {
    m_double = value;
    m_kind = VALUE_DOUBLE;
  }
  void SetString(const char* text);        // null gives ""
  void SetUniString(const UniChar* text);  // null gives ""
  void SetKind(int kind);                  // the payload stays as it is

  void SetName(const char* name) { m_name = name; }
  SString GetName() const { return m_name; }
  void SetText(const char* text) { m_text = text; }
  SString GetText() const { return m_text; }
  void SetFlag(int flag) { m_flag = flag; }
  int GetFlag() const { return m_flag; }

  ValueKind GetKind() const { return m_kind; }
  bool IsInt64() const { return m_kind == VALUE_INT64; }
  bool IsDouble() const { return m_kind == VALUE_DOUBLE; }
  bool IsString() const { return m_kind == VALUE_STRING; }
  bool IsUniString() const { return m_kind == VALUE_UNISTRING; }

  // The payloads themselves, whatever the kind.
  int64_t GetInt64Value() const { return m_int; }
  double GetDoubleValue() const { return m_double; }
  const SString& GetStringValue() const { return m_string; }

  // ---- Copies -------------------------------------------------------------------------

  // The other's kind and that kind's payload; name, text and flag stay.
  SValue& AssignValue(const SValue& other);
  // Every field: name, text, flag, kind and all four payloads.
  SValue& CopyFrom(const SValue& other);

  // ---- Conversions (the value is unchanged) ---------------------------------------------
  //
  // Texts read as integers take leading white space, a sign and decimal
  // digits; as doubles, digits with one '.' at most and an exponent. Both
  // stop at the first byte that does not fit and read 0 without a number.
  // An integer too large for 64 bits, and a double outside that range, give
  // the nearest 64-bit value (NaN gives 0).

  int64_t ToInt64() const;
  double ToDouble() const;
  // A double as SString::FromDouble writes it (short values keep leading
  // blanks), a UTF-16 text through the ANSI code page.
  SString ToString() const;
  // A double without leading blanks, keeping one 0 after a bare point.
  SUniString ToUniString() const;

  // ---- Assignment into the current kind (the kind stays) ------------------------------

  void AssignInt64(int64_t value);
  void SetFromText(const char* text);  // read by the kind's reading rule

  // ---- Comparisons (this value is the left operand) --------------------------------------
  //
  // A UTF-16 text on either side compares both as UTF-16 texts, else an
  // 8-bit text as 8-bit texts (unsigned units, no locale; a prefix is the
  // smaller), else a double as doubles (NaN is unordered: only NotEquals
  // holds), else both as integers. So 10 against "9" compares as text.

  bool Equals(const SValue& other) const;
  bool NotEquals(const SValue& other) const { return !Equals(other); }
  bool IsLess(const SValue& other) const;
  bool IsGreater(const SValue& other) const;
  bool IsLessOrEqual(const SValue& other) const;
  bool IsGreaterOrEqual(const SValue& other) const;

  // ---- Arithmetic, in place (SValueArithmetic.cpp) ------------------------------------------
  //
  // Addition joins texts: a text on either side makes the result a text
  // (UTF-16 when either side is). Subtraction, multiplication, division and
  // remainder work on numbers only and leave a text value unchanged; an
  // integer becomes a double as soon as a double takes part. Integer
  // arithmetic wraps around.

  void Add(const SValue& other);
  void AddInt64(int64_t n);
  void AddInt(int32_t n) { AddInt64(n); }
  void AddDouble(double x);
  void AddText(const char* text);
  void AddUniText(const UniChar* text);
  void Subtract(const SValue& other);
  void SubtractInt64(int64_t n);
  void SubtractInt(int32_t n) { SubtractInt64(n); }
  void SubtractDouble(double x);
  void Multiply(const SValue& other);
  void MultiplyDouble(double x);
  // Always in double: 7 / 2 is 3.5; a zero divisor gives infinity or NaN.
  void DivideBy(double x);
  // Truncated toward zero (-7 mod 2 is -1); fmod once a double takes part.
  // An integer remainder by 0 leaves the dividend as it is.
  void Modulo(const SValue& other);

  // Kind 0 with 1 when the value is 0, 0.0 or an empty text, else 0.
  void LogicalNot();
  // Kind 0 holding the complement of the low 32 bits: 0 gives 4294967295.
  void BitwiseNot();
  // A text is negated only when it is a number, becoming an integer or (with
  // a decimal point) a double.
  void Negate();

 private:
  // The order of this value against other by the comparison rules: -1, 0
  // or 1, or false when the pair is unordered (a NaN took part).
  bool Order(const SValue& other, int& order) const;
  // Whether the kind is one of the two texts, or none of the four.
  bool IsText() const { return m_kind == VALUE_STRING || m_kind == VALUE_UNISTRING; }
  bool IsKnownKind() const { return m_kind >= VALUE_INT64 && m_kind <= VALUE_UNISTRING; }

  SString m_name;
  SString m_text;
  int32_t m_flag;
  ValueKind m_kind;
  int64_t m_int;
  double m_double;
  SString m_string;
  SUniString m_uniString;
};
