// Sorting time of SArray<int> for growing counts, to show the n log n
// growth of the quicksort (and the C++ library's sort on the same data as a
// yardstick). Prints figures only.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "core/SArray.h"

namespace {

// Deterministic values over the whole int range.
std::vector<int> Values(int n) {
  std::vector<int> v(static_cast<size_t>(n));
  uint32_t x = 2463534242u;
  for (int& value : v) {
    x ^= x << 13;
    x ^= x >> 17;
    x ^= x << 5;
    value = static_cast<int>(x);
  }
  return v;
}

double Milliseconds(std::chrono::steady_clock::duration d) {
  return std::chrono::duration<double, std::milli>(d).count();
}

}  // namespace

int main() {
  const int counts[] = {250000, 500000, 1000000};
  const int rounds = 3;
  std::printf("%10s %12s %14s %14s %8s\n", "count", "SArray ms", "ns/(n log2 n)", "std::sort ms", "sorted");
  for (int n : counts) {
    std::vector<int> values = Values(n);
    double best = 1e300, bestStd = 1e300;
    bool sorted = true;
    for (int r = 0; r < rounds; r++) {
      SArray<int> a;
      a.SetSize(n, false);
      for (int i = 0; i < n; i++) a.SetAt(i, values[static_cast<size_t>(i)]);
      auto start = std::chrono::steady_clock::now();
      a.Sort();
      best = std::min(best, Milliseconds(std::chrono::steady_clock::now() - start));
      for (int i = 1; i < n; i++) sorted = sorted && a.GetAt(i - 1) <= a.GetAt(i);

      std::vector<int> copy = values;
      start = std::chrono::steady_clock::now();
      std::sort(copy.begin(), copy.end());
      bestStd = std::min(bestStd, Milliseconds(std::chrono::steady_clock::now() - start));
    }
    double perUnit = best * 1e6 / (n * std::log2(static_cast<double>(n)));
    std::printf("%10d %12.1f %14.2f %14.1f %8s\n", n, best, perUnit, bestStd, sorted ? "yes" : "NO");
  }
  return 0;
}
