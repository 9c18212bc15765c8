// STimer, the span and stopwatch half: a duration of days, hours, minutes,
// seconds and milliseconds with its own arithmetic and "#" formatting, and
// a pausable stopwatch on the millisecond counter.
#include <cstdint>

#include "core/Platform.h"
#include "core/STimer.h"

namespace {

int64_t NotNegative(int64_t v) { return v < 0 ? 0 : v; }

int32_t ClampInt32(int64_t v) {
  if (v > INT32_MAX) return INT32_MAX;
  if (v < INT32_MIN) return INT32_MIN;
  return static_cast<int32_t>(v);
}

}  // namespace

// ---- The span -----------------------------------------------------------------------------

void STimer::StoreSpan(int64_t days, int64_t hours, int64_t minutes, int64_t seconds,
                       int64_t milliseconds) {
  // Overflow carries upward; a negative part is dropped rather than
  // borrowed. Only the days may stay negative.
  if (milliseconds >= 1000) {
    seconds += milliseconds / 1000;
    milliseconds %= 1000;
  }
  if (seconds >= 60) {
    minutes += seconds / 60;
    seconds %= 60;
  }
  if (minutes >= 60) {
    hours += minutes / 60;
    minutes %= 60;
  }
  if (hours >= 24) {
    days += hours / 24;
    hours %= 24;
  }
  m_spanMilliseconds = static_cast<int32_t>(NotNegative(milliseconds));
  m_spanSeconds = static_cast<int32_t>(NotNegative(seconds));
  m_spanMinutes = static_cast<int32_t>(NotNegative(minutes));
  m_spanHours = static_cast<int32_t>(NotNegative(hours));
  m_spanDays = ClampInt32(days);
}

void STimer::NormalizeTime(int days, int hours, int minutes, int seconds, int milliseconds) {
  StoreSpan(days, hours, minutes, seconds, milliseconds);
}

void STimer::AssignSpan(const STimer& other) {
  StoreSpan(other.m_spanDays, other.m_spanHours, other.m_spanMinutes, other.m_spanSeconds,
            other.m_spanMilliseconds);
}

void STimer::AddSpan(int days, int hours, int minutes, int seconds, int milliseconds) {
  // Sums in 64 bits, so large amounts carry instead of wrapping.
  StoreSpan(int64_t(m_spanDays) + NotNegative(days), int64_t(m_spanHours) + NotNegative(hours),
            int64_t(m_spanMinutes) + NotNegative(minutes),
            int64_t(m_spanSeconds) + NotNegative(seconds),
            int64_t(m_spanMilliseconds) + NotNegative(milliseconds));
}

void STimer::SubtractSpan(int days, int hours, int minutes, int seconds, int milliseconds) {
  const int64_t amount =
      (((NotNegative(days) * 24 + NotNegative(hours)) * 60 + NotNegative(minutes)) * 60 +
       NotNegative(seconds)) * 1000 +
      NotNegative(milliseconds);
  SetSpanMilliseconds(SpanMilliseconds() - amount);
}

int64_t STimer::SpanMilliseconds() const {
  return (((int64_t(m_spanDays) * 24 + m_spanHours) * 60 + m_spanMinutes) * 60 + m_spanSeconds) *
             1000 +
         m_spanMilliseconds;
}

void STimer::SetSpanMilliseconds(int64_t milliseconds) {
  int64_t rest = NotNegative(milliseconds);
  m_spanDays = ClampInt32(rest / 86400000);
  rest %= 86400000;
  m_spanHours = static_cast<int32_t>(rest / 3600000);
  rest %= 3600000;
  m_spanMinutes = static_cast<int32_t>(rest / 60000);
  rest %= 60000;
  m_spanSeconds = static_cast<int32_t>(rest / 1000);
  m_spanMilliseconds = static_cast<int32_t>(rest % 1000);
}

int STimer::CompareSpan(const STimer& other) const {
  const int32_t mine[5] = {m_spanDays, m_spanHours, m_spanMinutes, m_spanSeconds,
                           m_spanMilliseconds};
  const int32_t theirs[5] = {other.m_spanDays, other.m_spanHours, other.m_spanMinutes,
                             other.m_spanSeconds, other.m_spanMilliseconds};
  for (int i = 0; i < 5; i++) {
    if (mine[i] < theirs[i]) return -1;
    if (mine[i] > theirs[i]) return 1;
  }
  return 0;
}

SString STimer::FormatSpan(const char* pattern) const {
  if (!pattern) return SString("");
  // Replaced one token after another, each everywhere, longer forms first.
  const struct {
    const char* token;
    SString value;
  } tokens[] = {
      {"#D", SString::FromInt(m_spanDays)},
      {"#+h", ZeroPadded2(m_spanHours)},
      {"#h", SString::FromInt(m_spanHours)},
      {"#+m", ZeroPadded2(m_spanMinutes)},
      {"#m", SString::FromInt(m_spanMinutes)},
      {"#+s", ZeroPadded2(m_spanSeconds)},
      {"#s", SString::FromInt(m_spanSeconds)},
      {"#x", SString::FromInt(m_spanMilliseconds / 100)},
      {"#+y", ZeroPadded2(m_spanMilliseconds / 10)},
      {"#y", SString::FromInt(m_spanMilliseconds / 10)},
      {"#+z", ZeroPadded3(m_spanMilliseconds)},
      {"#z", SString::FromInt(m_spanMilliseconds)},
  };
  SString text(pattern);
  for (const auto& t : tokens) text.Replace(0, -1, t.token, t.value.GetText(), true);
  return text;
}

// ---- The stopwatch -------------------------------------------------------------------------

void STimer::StartStopwatch() {
  m_stopwatchStart = PlatformMilliseconds();
  m_stopwatchPause = 0;
}

uint32_t STimer::StopwatchElapsed() const {
  if (m_stopwatchStart == 0) return 0;
  if (m_stopwatchPause != 0) return m_stopwatchPause - m_stopwatchStart;
  return PlatformMilliseconds() - m_stopwatchStart;
}

uint32_t STimer::PauseStopwatch() {
  if (m_stopwatchStart == 0 || m_stopwatchPause != 0) return 0;
  m_stopwatchPause = PlatformMilliseconds();
  return m_stopwatchPause - m_stopwatchStart;
}

uint32_t STimer::ResumeStopwatch() {
  if (m_stopwatchStart == 0 || m_stopwatchPause == 0) return 0;
  const uint32_t now = PlatformMilliseconds();
  // Moving the start forward by the paused time drops it from the count.
  m_stopwatchStart = now + m_stopwatchStart - m_stopwatchPause;
  m_stopwatchPause = 0;
  return now - m_stopwatchStart;
}

uint32_t STimer::StopStopwatch() {
  const uint32_t elapsed = StopwatchElapsed();
  m_stopwatchStart = 0;
  m_stopwatchPause = 0;
  return elapsed;
}
