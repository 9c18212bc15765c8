// Rounding, prime and interpolation functions of the number and Math script
// classes.
#pragma once

#include <cstdint>

// The absolute value; the most negative 32-bit value comes back unchanged.
int AbsInt(int n);

// Rounding modes of RoundDecimals; any value other than -1 and 1 rounds to
// the nearest, a half going up (toward positive infinity).
enum RoundMode { ROUND_DOWN = -1, ROUND_NEAREST = 0, ROUND_UP = 1 };

// x rounded to the given number of decimals (below 1: to a whole number).
// With decimals, x is rounded as its six-decimal printed text reads, so
// 2.675 to two decimals is 2.68 although the double lies just below it.
double RoundDecimals(double x, int decimals, int mode);

// Whether |n| is prime (the absolute value taken in 64 bits, so the most
// negative 32-bit value is even, not negative).
bool IsPrime(int n);

// from + f x (to - from); in the half selected by f (below 0.5, or from 0.5
// on) the fraction is first eased along a cosine when that half's flag is
// set. The fraction is not clamped.
double Interpolate(double fraction, double from, double to, bool easeFirstHalf,
                   bool easeSecondHalf);
