#include "core/NumericFunctions.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// How a rounded whole number is picked. A negative x is rounded as its
// magnitude with the direction mirrored, so the ties of the mirrored
// nearest mode go down.
enum class Rounding { kDown, kUp, kHalfUp, kHalfDown };

Rounding ModeRounding(int mode) {
  if (mode == ROUND_DOWN) return Rounding::kDown;
  if (mode == ROUND_UP) return Rounding::kUp;
  return Rounding::kHalfUp;
}

Rounding Mirrored(Rounding r) {
  switch (r) {
    case Rounding::kDown: return Rounding::kUp;
    case Rounding::kUp: return Rounding::kDown;
    case Rounding::kHalfUp: return Rounding::kHalfDown;
    case Rounding::kHalfDown: return Rounding::kHalfUp;
  }
  return r;
}

double RoundWhole(double x, Rounding r) {
  const double down = std::floor(x);
  switch (r) {
    case Rounding::kDown: return down;
    case Rounding::kUp: return std::ceil(x);
    case Rounding::kHalfUp: return x - down < 0.5 ? down : std::ceil(x);
    case Rounding::kHalfDown: return std::ceil(x) - x < 0.5 ? std::ceil(x) : down;
  }
  return x;
}

// Rounds x >= 0 (finite) to 1 or more decimals through its printed text.
// The six decimals of "%f" serve up to six decimals; more decimals print
// two digits beyond the last one kept, so the mode still decides.
double RoundPrinted(double x, int decimals, Rounding r) {
  if (decimals > 20) decimals = 20;  // beyond any digit a double carries
  const int precision = decimals <= 6 ? 6 : decimals + 2;
  char text[400];  // the integer part of the largest double has 309 digits
  std::snprintf(text, sizeof text, "%.*f", precision, x);
  char* point = std::strchr(text, '.');
  if (!point) return x;
  // The fraction's digits with a point after the first `decimals` of them:
  // 3.14159 to two decimals reads 14.159.
  char fraction[64];
  std::memcpy(fraction, point + 1, static_cast<size_t>(decimals));
  fraction[decimals] = '.';
  std::strcpy(fraction + decimals + 1, point + 1 + decimals);
  double scale = 1.0;
  for (int i = 0; i < decimals; i++) scale *= 10.0;  // exact up to 10^22
  const double rounded = RoundWhole(std::strtod(fraction, nullptr), r) / scale;
  // The whole part comes from the same text, so that a fraction printed as
  // 1.000000 keeps the carry it made there (2.9999999 prints 3.000000).
  *point = 0;
  return std::strtod(text, nullptr) + rounded;
}

}  // namespace

int AbsInt(int n) {
  // Negated as unsigned: the most negative value stays itself without the
  // overflow of a signed negation.
  return n < 0 ? static_cast<int>(0u - static_cast<unsigned>(n)) : n;
}

double RoundDecimals(double x, int decimals, int mode) {
  const Rounding r = ModeRounding(mode);
  if (decimals < 1) return RoundWhole(x, r);
  if (!std::isfinite(x)) return x;
  if (x < 0) return -RoundPrinted(-x, decimals, Mirrored(r));
  return RoundPrinted(x, decimals, r);
}

bool IsPrime(int n) {
  const int64_t m = n < 0 ? -int64_t(n) : n;
  if (m < 2) return false;
  if (m % 2 == 0) return m == 2;
  // No divisor above the square root without one below it.
  for (int64_t d = 3; d * d <= m; d += 2)
    if (m % d == 0) return false;
  return true;
}

double Interpolate(double fraction, double from, double to, bool easeFirstHalf,
                   bool easeSecondHalf) {
  const double pi = 3.141592653589793;
  const bool ease = fraction < 0.5 ? easeFirstHalf : easeSecondHalf;
  if (ease) fraction = (std::cos(fraction * pi + pi) + 1) * 0.5;
  return from + fraction * (to - from);
}
