// The capacity rule that SString and SUniString share: buffers hold the
// smallest power of two of units that is at least the length plus its
// terminating 0, never fewer than 8.
#pragma once

#include <cstdint>
#include <cstdlib>

// maxLength is the longest text whose buffer the class can still allocate
// and describe in its signed 32-bit capacity field. A longer one is treated
// as the allocator failing, which these classes do not try to survive.
inline int32_t CanonicalCapacity(int64_t n, int64_t maxLength) {
  if (n < 0) n = 0;
  if (n > maxLength) std::abort();
  int32_t capacity = 8;
  while (capacity < n + 1) capacity <<= 1;
  return capacity;
}
