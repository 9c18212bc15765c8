// SValue: construction, setters, copies, conversions and comparisons.
#include "core/SValue.h"

#include <cmath>
#include <cstdlib>
#include <type_traits>

#include "core/SValueReading.h"

// ---- Construction and setters ------------------------------------------------------------

SValue::SValue() : m_flag(0), m_kind(VALUE_INT64), m_int(0), m_double(0.0) {}

SValue::SValue(const SValue& other) : SValue() { CopyFrom(other); }

SValue::~SValue() = default;

void SValue::SetString(const char* text) {
  m_string = text;
  m_kind = VALUE_STRING;
}

void SValue::SetUniString(const UniChar* text) {
  m_uniString = text;
  m_kind = VALUE_UNISTRING;
}

void SValue::SetKind(int kind) { m_kind = static_cast<ValueKind>(kind); }

// ---- Copies ---------------------------------------------------------------------------------

SValue& SValue::AssignValue(const SValue& other) {
  if (this == &other) return *this;
  m_kind = other.m_kind;
  switch (m_kind) {
    case VALUE_INT64: m_int = other.m_int; break;
    case VALUE_DOUBLE: m_double = other.m_double; break;
    case VALUE_STRING: m_string.AssignString(other.m_string, true); break;
    case VALUE_UNISTRING: m_uniString = other.m_uniString; break;
  }
  return *this;
}

SValue& SValue::CopyFrom(const SValue& other) {
  if (this == &other) return *this;
  m_name = other.m_name;
  m_text = other.m_text;
  m_flag = other.m_flag;
  m_kind = other.m_kind;
  m_int = other.m_int;
  m_double = other.m_double;
  m_string = other.m_string;
  m_uniString = other.m_uniString;
  return *this;
}

// ---- Conversions ------------------------------------------------------------------------------

int64_t SValue::ToInt64() const {
  switch (m_kind) {
    case VALUE_INT64: return m_int;
    case VALUE_DOUBLE: return DoubleToInt64(m_double);
    case VALUE_STRING: return ReadInteger(m_string.GetText());
    case VALUE_UNISTRING: return ReadInteger(m_uniString.GetText());
  }
  return 0;
}

double SValue::ToDouble() const {
  switch (m_kind) {
    case VALUE_INT64: return static_cast<double>(m_int);
    case VALUE_DOUBLE: return m_double;
    case VALUE_STRING: return ReadDouble(m_string.GetText());
    case VALUE_UNISTRING: return ReadDouble(m_uniString.GetText());
  }
  return 0.0;
}

SString SValue::ToString() const {
  switch (m_kind) {
    case VALUE_INT64: return SString::FromInt64(m_int);
    case VALUE_DOUBLE: return SString::FromDouble(m_double);
    case VALUE_STRING: return m_string;  // the text, never the tag words
    case VALUE_UNISTRING: return SString(m_uniString.GetText());
  }
  return SString("");
}

SUniString SValue::ToUniString() const {
  switch (m_kind) {
    case VALUE_INT64: return SUniString::FromInt64(m_int);
    case VALUE_DOUBLE: return UniDoubleText(m_double);
    case VALUE_STRING: return SUniString(m_string.GetText());
    case VALUE_UNISTRING: return m_uniString;
  }
  return SUniString(u"");
}

// ---- Assignment into the current kind ---------------------------------------------------------

void SValue::AssignInt64(int64_t value) {
  switch (m_kind) {
    case VALUE_INT64: m_int = value; break;
    case VALUE_DOUBLE: m_double = static_cast<double>(value); break;
    case VALUE_STRING: m_string = SString::FromInt64(value); break;
    case VALUE_UNISTRING: m_uniString = SUniString::FromInt64(value); break;
  }
}

void SValue::SetFromText(const char* text) {
  if (!text) text = "";
  switch (m_kind) {
    case VALUE_INT64: m_int = ReadInteger(text); break;
    case VALUE_DOUBLE: m_double = ReadDouble(text); break;
    case VALUE_STRING: m_string = text; break;
    case VALUE_UNISTRING: m_uniString = text; break;
  }
}

// ---- Comparisons ---------------------------------------------------------------------------------

namespace {

// Unit by unit as unsigned numbers; a prefix orders before the longer text.
template <class C>
int CompareUnits(const C* a, int na, const C* b, int nb) {
  using U = std::make_unsigned_t<C>;
  const int n = na < nb ? na : nb;
  for (int i = 0; i < n; i++) {
    const U x = static_cast<U>(a[i]), y = static_cast<U>(b[i]);
    if (x != y) return x < y ? -1 : 1;
  }
  return na == nb ? 0 : (na < nb ? -1 : 1);
}

template <class T>
int Sign(T a, T b) {
  return a < b ? -1 : (b < a ? 1 : 0);
}

}  // namespace

bool SValue::Order(const SValue& other, int& order) const {
  // The first rule that applies, whichever side brings the kind.
  if (m_kind == VALUE_UNISTRING || other.m_kind == VALUE_UNISTRING) {
    const SUniString a = ToUniString(), b = other.ToUniString();
    order = CompareUnits(a.GetText(), a.GetLength(), b.GetText(), b.GetLength());
    return true;
  }
  if (m_kind == VALUE_STRING || other.m_kind == VALUE_STRING) {
    const SString a = ToString(), b = other.ToString();
    order = CompareUnits(a.GetText(), a.GetLength(), b.GetText(), b.GetLength());
    return true;
  }
  if (m_kind == VALUE_DOUBLE || other.m_kind == VALUE_DOUBLE) {
    const double a = ToDouble(), b = other.ToDouble();
    if (std::isnan(a) || std::isnan(b)) return false;
    order = Sign(a, b);
    return true;
  }
  order = Sign(ToInt64(), other.ToInt64());
  return true;
}

bool SValue::Equals(const SValue& other) const {
  int order;
  return Order(other, order) && order == 0;
}

bool SValue::IsLess(const SValue& other) const {
  int order;
  return Order(other, order) && order < 0;
}

bool SValue::IsGreater(const SValue& other) const {
  int order;
  return Order(other, order) && order > 0;
}

bool SValue::IsLessOrEqual(const SValue& other) const {
  int order;
  return Order(other, order) && order <= 0;
}

bool SValue::IsGreaterOrEqual(const SValue& other) const {
  int order;
  return Order(other, order) && order >= 0;
}
