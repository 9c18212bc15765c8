#include "core/ElapsedClock.h"

#include <cstdint>

#include "core/Platform.h"

namespace {

bool g_hasCounter = false;
float g_counterFrequency = 0.0f;
int64_t g_counterStart = 0;
// Kept in single precision like the result, which bounds the fallback's
// resolution once the millisecond counter has run for a while.
float g_startSeconds = 0.0f;

}  // namespace

// The millisecond clock is read only where it serves: its library is
// costly to load at start.
void StartElapsedClock() {
  g_startSeconds = 0.0f;
  g_hasCounter = false;
  g_counterFrequency = 0.0f;
  const int64_t frequency = PlatformPerformanceFrequency();
  if (frequency != 0) {
    g_hasCounter = true;
    g_counterFrequency = static_cast<float>(frequency);
    g_counterStart = PlatformPerformanceCounter();
  } else {
    g_startSeconds = static_cast<float>(PlatformMilliseconds() / 1000.0);
  }
}

float GetElapsedSeconds() {
  if (g_hasCounter)
    return static_cast<float>(static_cast<double>(PlatformPerformanceCounter() - g_counterStart) /
                              g_counterFrequency);
  return static_cast<float>(PlatformMilliseconds() / 1000.0 - g_startSeconds);
}
