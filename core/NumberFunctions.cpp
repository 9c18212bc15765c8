// Random numbers, the aspect-ratio fit and the sum of products.
#include "core/NumberFunctions.h"

#include <cstdarg>
#include <cmath>
#include <cstdlib>

#include "core/Platform.h"

// ---- Random numbers -----------------------------------------------------------------

void SeedRandom() { std::srand(PlatformCoarseMilliseconds()); }

uint32_t Random(uint32_t n) {
  if (n == 0) return 0;
  return static_cast<uint32_t>(std::rand()) % n;
}

// ---- Aspect-ratio fit -------------------------------------------------------------------

namespace {

// Only inverted rectangles (right < left) can take a value out of range.
int32_t TruncateToInt(double v) {
  if (v <= INT32_MIN) return INT32_MIN;
  if (v >= INT32_MAX) return INT32_MAX;
  return static_cast<int32_t>(v);
}

}  // namespace

AspectRect& FitToAspectRatio(int32_t w, int32_t h, AspectRect& r, AspectRect& o, bool wholeArea) {
  double aspect = h <= 0 ? 1.0 : double(w) / h;
  if (!wholeArea) {
    int32_t height = r.bottom - r.top, width = r.right - r.left;
    if (aspect < 1 && h < height) {
      r.top += height / 2 - h / 2;
      r.bottom = r.top + h;
    } else if (w < width) {
      r.left += width / 2 - w / 2;
      r.right = r.left + w;
    }
  }
  int32_t W = r.right - r.left, H = r.bottom - r.top;
  // The full-width height W / aspect stays a double: for a very tall, narrow
  // size it lies beyond any int, and a size without width has none at all;
  // both are height-limited.
  double f = aspect > 0 ? std::trunc(W / aspect) : 0;
  if (aspect <= 0 || H < f) {
    int32_t g = aspect > 0 ? TruncateToInt(aspect * H) : 0;
    o.left = r.left + (W / 2 - g / 2);
    o.right = o.left + g;
    o.top = r.top;
    o.bottom = r.bottom;
  } else {
    int32_t fi = TruncateToInt(f);
    o.left = r.left;
    o.right = r.right;
    o.top = r.top + (H / 2 - fi / 2);
    o.bottom = o.top + fi;
  }
  return o;
}

// ---- Sum of products -------------------------------------------------------------------------

int32_t SumOfProducts(int32_t n, ...) {
  if (n < 1) return -1;
  va_list args;
  va_start(args, n);
  // a(1) .. a(n-1) are the factors waiting for their partners a(n+1) .. a(2n-1).
  uint32_t* factors = n > 1 ? static_cast<uint32_t*>(std::malloc(sizeof(uint32_t) * size_t(n - 1))) : nullptr;
  if (n > 1 && !factors) std::abort();
  for (int32_t i = 0; i < n - 1; i++) factors[i] = static_cast<uint32_t>(va_arg(args, int32_t));
  // Unsigned arithmetic gives the 32-bit wrap-around without overflow.
  uint32_t sum = static_cast<uint32_t>(va_arg(args, int32_t));
  for (int32_t i = 0; i < n - 1; i++) sum += factors[i] * static_cast<uint32_t>(va_arg(args, int32_t));
  va_end(args);
  std::free(factors);
  return static_cast<int32_t>(sum);
}
