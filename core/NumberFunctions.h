// Free number functions shared across the framework: the random-number pair,
// the aspect-ratio fit used when pictures are drawn, and a sum of products.
#pragma once

#include <cstdint>

// ---- Random numbers -----------------------------------------------------------

// Seeds the run-time library's generator from the millisecond clock.
void SeedRandom();
// The run-time library's next value modulo n; 0 (and nothing drawn) for n 0.
uint32_t Random(uint32_t n);

// ---- Aspect-ratio fit ------------------------------------------------------------

// A rectangle with the field names and layout of the platform's RECT.
struct AspectRect {
  int32_t left, top, right, bottom;
};

// The largest rectangle of width:height inside rect, centred. Unless
// wholeArea is set, rect is first narrowed to the size along its longer side
// (so a picture is never enlarged), and the caller sees that change.
AspectRect& FitToAspectRatio(int32_t width, int32_t height, AspectRect& rect, AspectRect& out,
                             bool wholeArea);

// The same for any rectangle type with left, top, right and bottom members
// (the platform's RECT).
template <class Rect>
Rect& FitToAspectRatio(int32_t width, int32_t height, Rect& rect, Rect& out, bool wholeArea) {
  AspectRect r{int32_t(rect.left), int32_t(rect.top), int32_t(rect.right), int32_t(rect.bottom)};
  AspectRect o{};
  FitToAspectRatio(width, height, r, o, wholeArea);
  rect.left = r.left, rect.top = r.top, rect.right = r.right, rect.bottom = r.bottom;
  out.left = o.left, out.top = o.top, out.right = o.right, out.bottom = o.bottom;
  return out;
}

// ---- Sum of products ---------------------------------------------------------------

// SumOfProducts(n, a1 .. a(2n-1)): a(n) + the sum of a(i) x a(n+i) for i in
// 1 .. n-1, wrapping in 32 bits; a1 for n 1, -1 for n below 1. Every value
// is passed as an int32_t.
int32_t SumOfProducts(int32_t n, ...);
