// Host stand-ins for the platform calls of core code. The engine runs with
// the Windows-1252 ANSI code page (Wine under an en_US locale), so the host
// build converts with that table to behave the same in tests.
#include "core/Platform.h"

#include <chrono>
#include <ctime>
#include <locale.h>
#include <wctype.h>

namespace {

// Windows-1252 bytes 0x80-0x9F; the rest map to the same code point.
// Unassigned bytes map to themselves, as Windows' best-fit table does.
const UniChar kHigh[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

UniChar ByteToUnit(unsigned char b) {
  return (b >= 0x80 && b < 0xA0) ? kHigh[b - 0x80] : UniChar(b);
}

char UnitToByte(UniChar u) {
  if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) return char(u);
  for (int i = 0; i < 32; i++)
    if (kHigh[i] == u) return char(0x80 + i);
  return '?';  // the default character of WideCharToMultiByte
}

}  // namespace

int PlatformAnsiToWide(const char* text, int count, UniChar* out, int outSize) {
  if (!text) return 0;
  int n = count;
  if (n < 0) {
    n = 0;
    while (text[n]) n++;
    n++;  // the terminating 0 is converted too
  }
  if (!out || outSize <= 0) return n;
  if (outSize < n) return 0;
  for (int i = 0; i < n; i++) out[i] = ByteToUnit(static_cast<unsigned char>(text[i]));
  return n;
}

int PlatformWideToAnsi(const UniChar* text, int count, char* out, int outSize) {
  if (!text) return 0;
  int n = count;
  if (n < 0) {
    n = 0;
    while (text[n]) n++;
    n++;
  }
  if (!out || outSize <= 0) return n;
  if (outSize < n) return 0;
  for (int i = 0; i < n; i++) out[i] = UnitToByte(text[i]);
  return n;
}

// Unicode classes from the C.UTF-8 locale, asked for each call by handle so
// that the process locale is never switched.
unsigned PlatformWideCharType(UniChar c) {
  static locale_t utf8 = newlocale(LC_CTYPE_MASK, "C.UTF-8", locale_t(0));
  if (!utf8) return 0;
  wint_t w = c;
  unsigned type = 0;
  if (iswupper_l(w, utf8)) type |= kWideUpper;
  if (iswlower_l(w, utf8)) type |= kWideLower;
  if (iswdigit_l(w, utf8)) type |= kWideDigit;
  if (iswalpha_l(w, utf8)) type |= kWideAlpha;
  return type;
}

uint32_t PlatformMilliseconds() {
  using namespace std::chrono;
  return uint32_t(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

uint32_t PlatformCoarseMilliseconds() { return PlatformMilliseconds(); }

int64_t PlatformPerformanceCounter() {
  using namespace std::chrono;
  return duration_cast<nanoseconds>(steady_clock::now().time_since_epoch()).count();
}

int64_t PlatformPerformanceFrequency() { return 1000000000; }

static void FromTm(const std::tm& t, long ms, PlatformTime& out) {
  out = {t.tm_year + 1900, t.tm_mon + 1, t.tm_wday, t.tm_mday,
         t.tm_hour, t.tm_min, t.tm_sec, int(ms)};
}

static void Now(bool local, PlatformTime& out) {
  using namespace std::chrono;
  auto now = system_clock::now();
  std::time_t secs = system_clock::to_time_t(now);
  long ms = long(duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000);
  std::tm t{};
  if (local) localtime_r(&secs, &t);
  else gmtime_r(&secs, &t);
  FromTm(t, ms, out);
}

void PlatformLocalTime(PlatformTime& out) { Now(true, out); }
void PlatformUniversalTime(PlatformTime& out) { Now(false, out); }
