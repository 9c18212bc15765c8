// SValue arithmetic: every operation changes this value (the left operand)
// in place by the rules of the script language's operators.
#include <cmath>

#include "core/SValue.h"
#include "core/SValueReading.h"

namespace {

// 64-bit integer arithmetic wraps around, done on the unsigned twin so
// that the overflow is defined.
int64_t WrapAdd(int64_t a, int64_t b) { return static_cast<int64_t>(uint64_t(a) + uint64_t(b)); }
int64_t WrapSub(int64_t a, int64_t b) { return static_cast<int64_t>(uint64_t(a) - uint64_t(b)); }
int64_t WrapMul(int64_t a, int64_t b) { return static_cast<int64_t>(uint64_t(a) * uint64_t(b)); }

}  // namespace

// ---- Addition ---------------------------------------------------------------------------------

void SValue::Add(const SValue& other) {
  // The other operand decides which addition runs; this value's kind then
  // decides what the sum becomes. Texts go over as copies, so a value may
  // be added to itself.
  switch (other.m_kind) {
    case VALUE_INT64: AddInt64(other.m_int); break;
    case VALUE_DOUBLE: AddDouble(other.m_double); break;
    case VALUE_STRING: AddText(other.ToString().GetText()); break;
    case VALUE_UNISTRING: AddUniText(other.ToUniString().GetText()); break;
  }
}

void SValue::AddInt64(int64_t n) {
  switch (m_kind) {
    case VALUE_INT64: m_int = WrapAdd(m_int, n); break;
    case VALUE_DOUBLE: m_double += static_cast<double>(n); break;
    case VALUE_STRING: m_string.Append(SString::FromInt64(n).GetText()); break;
    case VALUE_UNISTRING: m_uniString.Append(SUniString::FromInt64(n).GetText()); break;
  }
}

void SValue::AddDouble(double x) {
  switch (m_kind) {
    case VALUE_INT64: SetDouble(static_cast<double>(m_int) + x); break;
    case VALUE_DOUBLE: m_double += x; break;
    case VALUE_STRING: m_string.Append(SString::FromDouble(x).GetText()); break;
    case VALUE_UNISTRING: m_uniString.Append(UniDoubleText(x).GetText()); break;
  }
}

void SValue::AddText(const char* text) {
  if (!text) text = "";
  switch (m_kind) {
    case VALUE_INT64:
    case VALUE_DOUBLE: {
      SString joined = ToString();
      joined.Append(text);
      SetString(joined.GetText());
      break;
    }
    case VALUE_STRING: m_string.Append(text); break;
    case VALUE_UNISTRING: m_uniString.Append(SUniString(text).GetText()); break;
  }
}

void SValue::AddUniText(const UniChar* text) {
  if (!text) text = u"";
  if (!IsKnownKind()) return;
  if (m_kind == VALUE_UNISTRING) {
    m_uniString.Append(text);
    return;
  }
  // Numbers and 8-bit texts become UTF-16 texts: their own text first.
  SUniString joined = ToUniString();
  joined.Append(text);
  m_uniString = joined;
  m_kind = VALUE_UNISTRING;
}

// ---- Subtraction, multiplication, division, remainder ---------------------------------------

void SValue::Subtract(const SValue& other) {
  if (other.m_kind == VALUE_INT64)
    SubtractInt64(other.m_int);
  else if (other.m_kind == VALUE_DOUBLE)
    SubtractDouble(other.m_double);
}

void SValue::SubtractInt64(int64_t n) {
  if (m_kind == VALUE_INT64)
    m_int = WrapSub(m_int, n);
  else if (m_kind == VALUE_DOUBLE)
    m_double -= static_cast<double>(n);
}

void SValue::SubtractDouble(double x) {
  if (m_kind == VALUE_INT64)
    SetDouble(static_cast<double>(m_int) - x);
  else if (m_kind == VALUE_DOUBLE)
    m_double -= x;
}

void SValue::Multiply(const SValue& other) {
  if (other.m_kind == VALUE_DOUBLE) {
    MultiplyDouble(other.m_double);
  } else if (other.m_kind == VALUE_INT64) {
    if (m_kind == VALUE_INT64)
      m_int = WrapMul(m_int, other.m_int);
    else if (m_kind == VALUE_DOUBLE)
      m_double *= static_cast<double>(other.m_int);
  }
}

void SValue::MultiplyDouble(double x) {
  if (m_kind == VALUE_INT64)
    SetDouble(static_cast<double>(m_int) * x);
  else if (m_kind == VALUE_DOUBLE)
    m_double *= x;
}

void SValue::DivideBy(double x) {
  if (m_kind == VALUE_INT64)
    SetDouble(static_cast<double>(m_int) / x);
  else if (m_kind == VALUE_DOUBLE)
    m_double /= x;
}

void SValue::Modulo(const SValue& other) {
  if (m_kind == VALUE_INT64 && other.m_kind == VALUE_INT64) {
    // n mod 0 keeps n; the one quotient that overflows (the most negative
    // value by -1) leaves no remainder.
    if (other.m_int == 0) return;
    m_int = other.m_int == -1 ? 0 : m_int % other.m_int;
    return;
  }
  if ((m_kind != VALUE_INT64 && m_kind != VALUE_DOUBLE) ||
      (other.m_kind != VALUE_INT64 && other.m_kind != VALUE_DOUBLE))
    return;
  SetDouble(std::fmod(ToDouble(), other.ToDouble()));
}

// ---- Unary operations -------------------------------------------------------------------------

void SValue::LogicalNot() {
  bool zero;
  switch (m_kind) {
    case VALUE_INT64: zero = m_int == 0; break;
    case VALUE_DOUBLE: zero = m_double == 0.0; break;  // NaN is not zero
    case VALUE_STRING: zero = m_string.GetLength() == 0; break;
    case VALUE_UNISTRING: zero = m_uniString.GetLength() == 0; break;
    default: return;
  }
  SetInt64(zero ? 1 : 0);
}

void SValue::BitwiseNot() {
  if (!IsKnownKind()) return;
  // Only the low 32 bits are complemented; the high ones end up 0.
  SetInt64(static_cast<int64_t>(~static_cast<uint32_t>(ToInt64())));
}

void SValue::Negate() {
  switch (m_kind) {
    case VALUE_INT64: m_int = WrapSub(0, m_int); break;
    case VALUE_DOUBLE: m_double = -m_double; break;
    case VALUE_STRING:
      if (!m_string.IsNumber()) break;
      if (m_string.IsDecimal())
        SetDouble(-ReadDouble(m_string.GetText()));
      else
        SetInt64(WrapSub(0, ReadInteger(m_string.GetText())));
      break;
    case VALUE_UNISTRING:
      if (!m_uniString.IsNumber()) break;
      if (m_uniString.IsDecimal())
        SetDouble(-ReadDouble(m_uniString.GetText()));
      else
        SetInt64(WrapSub(0, ReadInteger(m_uniString.GetText())));
      break;
  }
}
