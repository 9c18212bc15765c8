// STimer, the date half: setting, day numbers, calendar arithmetic, the
// calendar facts of a date and its "#" formatting.
#include "core/STimer.h"

#include <cstdint>

#include "core/LocaleRecord.h"
#include "core/Platform.h"

namespace {

const int kMonthLengths[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

int64_t FloorDiv(int64_t a, int64_t b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }
int FloorMod(int64_t a, int64_t b) { return static_cast<int>(a - FloorDiv(a, b) * b); }

bool FitsInt32(int64_t v) { return v >= INT32_MIN && v <= INT32_MAX; }

// A date of the calendar with a year that may not fit the stored field.
struct CivilDate {
  int64_t year;
  int month;
  int day;
};

// The date of a day number, counted like STimer::DayNumber (day 0 is
// 1 January of year 0). Works in 400-year eras of exactly 146097 days,
// with the year starting in March so that the leap day falls at its end.
CivilDate CivilFromDayNumber(int64_t n) {
  n -= 60;  // day 0 becomes 1 March of year 0
  const int64_t era = FloorDiv(n, 146097);
  const int64_t dayOfEra = n - era * 146097;  // 0..146096
  const int64_t yearOfEra =
      (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;  // 0..399
  const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const int64_t marchMonth = (5 * dayOfYear + 2) / 153;  // 0 = March .. 11 = February
  const int day = static_cast<int>(dayOfYear - (153 * marchMonth + 2) / 5 + 1);
  const int month = static_cast<int>(marchMonth < 10 ? marchMonth + 3 : marchMonth - 9);
  return {era * 400 + yearOfEra + (month <= 2 ? 1 : 0), month, day};
}

// A name of the selected locale record; its buffers are NUL-padded and may
// be filled to the last byte, so the copy stops at the buffer's end.
SString RecordName(const char (&entry)[16]) {
  int n = 0;
  while (n < 16 && entry[n]) n++;
  SString s;
  s.Assign(entry, n);
  return s;
}

}  // namespace

// ---- Construction and setting ---------------------------------------------------------

STimer::STimer() = default;

STimer::~STimer() = default;

bool STimer::Set(int day, int month, int year, int hour, int minute, int second,
                 int millisecond) {
  if (!IsValidDate(day, month, year)) return false;
  // Compared as unsigned, so negative times fail as well.
  if (static_cast<unsigned>(hour) > 23 || static_cast<unsigned>(minute) > 59 ||
      static_cast<unsigned>(second) > 59 || static_cast<unsigned>(millisecond) > 999)
    return false;
  m_day = day;
  m_month = month;
  m_year = year;
  m_hour = hour;
  m_minute = minute;
  m_second = second;
  m_millisecond = millisecond;
  return true;
}

bool STimer::Assign(const STimer& other) {
  return Set(other.m_day, other.m_month, other.m_year, other.m_hour, other.m_minute,
             other.m_second, other.m_millisecond);
}

void STimer::SetNow(bool local) {
  PlatformTime t;
  if (local)
    PlatformLocalTime(t);
  else
    PlatformUniversalTime(t);
  Set(t.day, t.month, t.year, t.hour, t.minute, t.second, t.milliseconds);
}

int STimer::Hour12() const {
  if (m_hour == 0) return 12;
  return m_hour > 12 ? m_hour - 12 : m_hour;
}

// ---- Day numbers and second counts ----------------------------------------------------

int64_t STimer::DayNumberOf(int64_t year, int month, int day) {
  // Years start in March (see CivilFromDayNumber), so January and February
  // belong to the year before.
  const int64_t y = month <= 2 ? year - 1 : year;
  const int64_t era = FloorDiv(y, 400);
  const int64_t yearOfEra = y - era * 400;
  const int64_t dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
  const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + dayOfEra + 60;
}

int STimer::DayNumber() const {
  // Only years beyond about 5.8 million days either side lose the high bits.
  return static_cast<int>(DayNumberOf(m_year, m_month, m_day));
}

bool STimer::SetDayNumber64(int64_t dayNumber) {
  const CivilDate date = CivilFromDayNumber(dayNumber);
  if (!FitsInt32(date.year)) return false;
  return Set(date.day, date.month, static_cast<int>(date.year), 0, 0, 0, 0);
}

bool STimer::SetDayNumber(int dayNumber) { return SetDayNumber64(dayNumber); }

int64_t STimer::ToSeconds() const {
  return DayNumberOf(m_year, m_month, m_day) * 86400 + m_hour * 3600 + m_minute * 60 + m_second;
}

bool STimer::SetSeconds(int64_t seconds) {
  // The day first (counted toward zero), then the rest of the seconds
  // forward or backward from its midnight: -1 is 23:59:59 of day -1.
  if (!SetDayNumber64(seconds / 86400)) return false;
  return Shift(0, 0, 0, 0, seconds % 86400, 0);
}

// ---- Arithmetic and comparison ------------------------------------------------------------

bool STimer::Shift(int64_t months, int64_t days, int64_t hours, int64_t minutes,
                   int64_t seconds, int64_t milliseconds) {
  // Each field keeps its floor remainder and hands the floor quotient on, so
  // a borrow takes the fewest units of the larger field.
  int64_t t = m_millisecond + milliseconds;
  const int millisecond = FloorMod(t, 1000);
  t = FloorDiv(t, 1000) + m_second + seconds;
  const int second = FloorMod(t, 60);
  t = FloorDiv(t, 60) + m_minute + minutes;
  const int minute = FloorMod(t, 60);
  t = FloorDiv(t, 60) + m_hour + hours;
  const int hour = FloorMod(t, 24);

  const CivilDate date =
      CivilFromDayNumber(DayNumberOf(m_year, m_month, m_day) + days + FloorDiv(t, 24));

  const int64_t monthIndex = date.year * 12 + (date.month - 1) + months;
  const int64_t year = FloorDiv(monthIndex, 12);
  const int month = FloorMod(monthIndex, 12) + 1;
  if (!FitsInt32(year)) return false;
  // 31 January plus a month is the last day of February.
  const int length = DaysInMonth(month, static_cast<int>(year));
  const int day = date.day < length ? date.day : length;
  return Set(day, month, static_cast<int>(year), hour, minute, second, millisecond);
}

bool STimer::Add(int years, int months, int days, int hours, int minutes, int seconds,
                 int milliseconds) {
  if (years < 0 || months < 0 || days < 0 || hours < 0 || minutes < 0 || seconds < 0 ||
      milliseconds < 0)
    return false;
  return Shift(int64_t(years) * 12 + months, days, hours, minutes, seconds, milliseconds);
}

bool STimer::Subtract(int years, int months, int days, int hours, int minutes, int seconds,
                      int milliseconds) {
  if (years < 0 || months < 0 || days < 0 || hours < 0 || minutes < 0 || seconds < 0 ||
      milliseconds < 0)
    return false;
  return Shift(-(int64_t(years) * 12 + months), -int64_t(days), -int64_t(hours),
               -int64_t(minutes), -int64_t(seconds), -int64_t(milliseconds));
}

int STimer::Compare(const STimer& other) const {
  const int32_t mine[7] = {m_year, m_month, m_day, m_hour, m_minute, m_second, m_millisecond};
  const int32_t theirs[7] = {other.m_year,   other.m_month,  other.m_day,        other.m_hour,
                             other.m_minute, other.m_second, other.m_millisecond};
  for (int i = 0; i < 7; i++) {
    if (mine[i] < theirs[i]) return -1;
    if (mine[i] > theirs[i]) return 1;
  }
  return 0;
}

// ---- Calendar facts -------------------------------------------------------------------------

bool STimer::IsLeapYear(int year) {
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int STimer::DaysInMonth(int month, int year) {
  if (month < 1 || month > 12) return 0;
  if (month == 2 && IsLeapYear(year)) return 29;
  return kMonthLengths[month - 1];
}

int STimer::DaysInYear(int year) { return IsLeapYear(year) ? 366 : 365; }

bool STimer::IsValidDate(int day, int month, int year) {
  return month >= 1 && month <= 12 && day >= 1 && day <= DaysInMonth(month, year);
}

int STimer::WeekdayOf(int day, int month, int year) {
  if (!IsValidDate(day, month, year)) return -1;
  // Day 0, 1 January of year 0, was a Saturday.
  return FloorMod(DayNumberOf(year, month, day) + 6, 7);
}

SString STimer::WeekdayName(int day, int month, int year) {
  const int weekday = WeekdayOf(day, month, year);
  if (weekday < 0) return SString("");
  return RecordName(GetLocaleRecord()->dayNames[weekday]);
}

SString STimer::GetMonthName() const { return RecordName(GetLocaleRecord()->monthNames[m_month - 1]); }

int STimer::SeasonOf(int month, int day) {
  if (day < 1 || day > 31 || month < 1 || month > 12) return 0;
  // The season of the 1st of each month; from the 21st of the months that
  // close a quarter the next season begins.
  static const int kSeasonOnFirst[12] = {4, 4, 4, 1, 1, 1, 2, 2, 2, 3, 3, 3};
  const int season = kSeasonOnFirst[month - 1];
  if (month % 3 == 0 && day >= 21) return season % 4 + 1;
  return season;
}

SString STimer::SeasonName(int month, int day) {
  const int season = SeasonOf(month, day);
  if (season == 0) return SString("");
  return RecordName(GetLocaleRecord()->seasonNames[season - 1]);
}

int STimer::DayOfYear() const {
  int total = m_day;
  for (int m = 1; m < m_month; m++) total += DaysInMonth(m, m_year);
  return total;
}

int STimer::WeekOfMonth(bool sundayFirst) const {
  // The first week holds the 1st; each later day that starts a week (its
  // position in the week is 0) opens the next one.
  int first = WeekdayOf(1, m_month, m_year);
  if (!sundayFirst) first = (first + 6) % 7;  // Monday = 0 .. Sunday = 6
  return 1 + (first + m_day - 1) / 7;
}

int STimer::WeekOfYear(bool sundayFirst) const {
  int first = WeekdayOf(1, 1, m_year);
  if (!sundayFirst) first = (first + 6) % 7;
  return 1 + (first + DayOfYear() - 1) / 7;
}

int STimer::Century() const {
  const int64_t y = m_year;
  if (y == 0) return -1;
  const int64_t magnitude = y < 0 ? -y : y;
  const int64_t century = magnitude / 100 + (magnitude % 100 != 0 ? 1 : 0);
  return static_cast<int>(y < 0 ? -century : century);
}

SString STimer::CenturyRoman() const {
  const int century = Century();
  SString text;
  text.SetRoman(century < 0 ? -century : century);
  if (century < 0) text.Append(" BC");
  return text;
}

// ---- Formatting ---------------------------------------------------------------------------------

SString ZeroPadded2(int n) {
  if (n < 0) return SString("00");
  if (n < 10) return SString("0") + SString::FromInt(n);
  return SString::FromInt(n).Right(2);
}

SString ZeroPadded3(int n) {
  if (n < 0) return SString("000");
  if (n < 10) return SString("00") + SString::FromInt(n);
  if (n < 100) return SString("0") + SString::FromInt(n);
  return SString::FromInt(n).Right(3);
}

SString STimer::Format(const char* pattern) const {
  if (!pattern) return SString("");
  // Each token is replaced everywhere before the next is looked for, so the
  // order matters: the longer "#+" and "#$" forms go before their bare
  // twins, and text put in by one token is searched by the later ones.
  const struct {
    const char* token;
    SString value;
  } tokens[] = {
      {"#+Y", ZeroPadded2(m_year)},
      {"#Y", SString::FromInt(m_year)},
      {"#$M", GetMonthName()},
      {"#+M", ZeroPadded2(m_month)},
      {"#M", SString::FromInt(m_month)},
      {"#$W", GetWeekdayName()},
      {"#W", SString::FromInt(GetWeekday())},
      {"#+D", ZeroPadded2(m_day)},
      {"#D", SString::FromInt(m_day)},
      {"#+H", ZeroPadded2(Hour12())},
      {"#H", SString::FromInt(Hour12())},
      {"#+h", ZeroPadded2(m_hour)},
      {"#h", SString::FromInt(m_hour)},
      {"#+m", ZeroPadded2(m_minute)},
      {"#m", SString::FromInt(m_minute)},
      {"#+s", ZeroPadded2(m_second)},
      {"#s", SString::FromInt(m_second)},
      {"#x", SString::FromInt(m_millisecond / 100)},
      {"#+y", ZeroPadded2(m_millisecond / 10)},
      {"#y", SString::FromInt(m_millisecond / 10)},
      {"#+z", ZeroPadded3(m_millisecond)},
      {"#z", SString::FromInt(m_millisecond)},
      {"#a", SString(m_hour < 0 || m_hour > 11 ? "pm" : "am")},
      {"#A", SString(m_hour < 0 || m_hour > 11 ? "PM" : "AM")},
  };
  SString text(pattern);
  for (const auto& t : tokens) text.Replace(0, -1, t.token, t.value.GetText(), true);
  return text;
}
