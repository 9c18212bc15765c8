// The number reading rules of SValue, shared by its conversions and its
// arithmetic, for 8-bit and UTF-16 texts alike (ASCII digits only).
#pragma once

#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "core/SString.h"
#include "core/SUniString.h"

template <class C>
bool IsReadingSpace(C c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

template <class C>
bool IsReadingDigit(C c) {
  return c >= '0' && c <= '9';
}

// Leading white space, an optional sign, decimal digits up to the first
// other unit; 0 without digits. Beyond 64 bits the nearest limit.
template <class C>
int64_t ReadInteger(const C* p) {
  while (IsReadingSpace(*p)) p++;
  bool negative = false;
  if (*p == '+' || *p == '-') negative = *p++ == '-';
  const uint64_t limit = negative ? uint64_t(INT64_MAX) + 1 : uint64_t(INT64_MAX);
  uint64_t magnitude = 0;
  for (; IsReadingDigit(*p); p++) {
    const unsigned digit = static_cast<unsigned>(*p - '0');
    if (magnitude > (limit - digit) / 10) return negative ? INT64_MIN : INT64_MAX;
    magnitude = magnitude * 10 + digit;
  }
  return negative ? static_cast<int64_t>(0 - magnitude) : static_cast<int64_t>(magnitude);
}

// Leading white space, an optional sign, digits with at most one '.', and
// an exponent when 'e' or 'E' is followed by digits (after an optional
// sign); 0.0 without a digit before the exponent.
template <class C>
double ReadDouble(const C* p) {
  while (IsReadingSpace(*p)) p++;
  const C* start = p;
  if (*p == '+' || *p == '-') p++;
  int digits = 0;
  for (; IsReadingDigit(*p); p++) digits++;
  if (*p == '.')
    for (p++; IsReadingDigit(*p); p++) digits++;
  if (digits == 0) return 0.0;
  if (*p == 'e' || *p == 'E') {
    const C* q = p + 1;
    if (*q == '+' || *q == '-') q++;
    if (IsReadingDigit(*q)) {
      while (IsReadingDigit(*q)) q++;
      p = q;
    }
  }
  // Only the units taken part, as ASCII, go to the runtime's conversion,
  // so nothing it would read beyond the rule ("inf", hex) gets in.
  const int n = static_cast<int>(p - start);
  SString ascii;
  ascii.SetLength(n, false);
  for (int i = 0; i < n; i++) ascii.GetBuffer()[i] = static_cast<char>(start[i]);
  return std::strtod(ascii.GetText(), nullptr);
}

// Truncated toward zero; beyond the 64-bit range the nearest limit, NaN 0.
inline int64_t DoubleToInt64(double x) {
  if (std::isnan(x)) return 0;
  if (x >= 9223372036854775808.0) return INT64_MAX;
  if (x < -9223372036854775808.0) return INT64_MIN;
  return static_cast<int64_t>(x);
}

// A double as a UTF-16 value writes it: no leading blanks, "3.0" for 3.
inline SUniString UniDoubleText(double x) {
  SUniString s;
  s.SetDouble(x, true);
  return s;
}
