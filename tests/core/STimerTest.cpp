#include "core/STimer.h"

#include <gtest/gtest.h>

#include <chrono>
#include <climits>
#include <string>
#include <thread>

#include "core/ElapsedClock.h"
#include "core/LocaleRecord.h"
#include "core/Platform.h"

namespace {

struct Date {
  int day, month, year;
};

STimer At(int day, int month, int year, int hour = 0, int minute = 0, int second = 0,
          int millisecond = 0) {
  STimer t;
  EXPECT_TRUE(t.Set(day, month, year, hour, minute, second, millisecond));
  return t;
}

std::string DateTime(const STimer& t) {
  return t.Format("#D.#M.#Y #+h:#+m:#+s.#+z").GetText();
}

// Selects a locale record for one test and puts the default back.
class WithLanguage {
 public:
  explicit WithLanguage(int record) { SetLanguage(record); }
  ~WithLanguage() { SetLanguage(0); }
};

// ---- Setting and validating -------------------------------------------------------------

TEST(STimerDate, NewValueIsFirstJanuaryOfYearZero) {
  STimer t;
  EXPECT_EQ("1.1.0 00:00:00.000", DateTime(t));
  EXPECT_EQ(0, t.DayNumber());
}

TEST(STimerDate, SetChecksEveryFieldAndKeepsTheOldValueOnFailure) {
  const struct {
    int day, month, year, hour, minute, second, ms;
    bool ok;
  } cases[] = {
      {29, 2, 2023, 0, 0, 0, 0, false}, {29, 2, 2024, 0, 0, 0, 0, true},
      {29, 2, 1900, 0, 0, 0, 0, false}, {29, 2, 2000, 0, 0, 0, 0, true},
      {29, 2, 0, 0, 0, 0, 0, true},     {29, 2, -4, 0, 0, 0, 0, true},
      {29, 2, -1, 0, 0, 0, 0, false},   {31, 4, 2024, 0, 0, 0, 0, false},
      {0, 1, 2024, 0, 0, 0, 0, false},  {1, 13, 2024, 0, 0, 0, 0, false},
      {1, 0, 2024, 0, 0, 0, 0, false},  {1, 1, 2024, 24, 0, 0, 0, false},
      {1, 1, 2024, 23, 59, 59, 999, true}, {1, 1, 2024, 0, -1, 0, 0, false},
      {1, 1, 2024, 0, 0, 60, 0, false}, {1, 1, 2024, 0, 0, 0, 1000, false},
      {1, 1, 2024, -1, 0, 0, 0, false}, {1, 1, 2024, 0, 0, 0, -1, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.day << "." << c.month << "." << c.year << " "
                                    << c.hour << ":" << c.minute << ":" << c.second << "."
                                    << c.ms);
    STimer t = At(5, 6, 1999, 7, 8, 9, 10);
    EXPECT_EQ(c.ok, t.Set(c.day, c.month, c.year, c.hour, c.minute, c.second, c.ms));
    if (!c.ok) {
      EXPECT_EQ("5.6.1999 07:08:09.010", DateTime(t));
    }
  }
}

TEST(STimerDate, AssignCopiesOnlyTheDateAndTime) {
  STimer source = At(3, 4, 2005, 6, 7, 8, 9);
  source.SetSpanMilliseconds(5000);
  STimer t;
  EXPECT_TRUE(t.Assign(source));
  EXPECT_EQ("3.4.2005 06:07:08.009", DateTime(t));
  EXPECT_EQ(0, t.SpanMilliseconds());
}

TEST(STimerDate, SetNowAgreesWithTheSystemCalendarAndWeekday) {
  PlatformTime now;
  PlatformLocalTime(now);
  STimer t;
  t.SetNow(true);
  // Unless midnight passes in between, the weekday computed from the date
  // is the one the system reports.
  if (t.GetDay() == now.day) {
    EXPECT_EQ(now.dayOfWeek, t.GetWeekday());
  }
  EXPECT_GE(t.GetYear(), 2024);

  PlatformUniversalTime(now);
  t.SetNow(false);
  if (t.GetDay() == now.day) {
    EXPECT_EQ(now.hour, t.GetHour());
  }
}

TEST(STimerDate, Hour12) {
  const int expected[24] = {12, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11,
                            12, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
  for (int h = 0; h < 24; h++) EXPECT_EQ(expected[h], At(1, 1, 2000, h).Hour12()) << h;
}

// ---- Day numbers and second counts -----------------------------------------------------------

TEST(STimerDayNumber, KnownDays) {
  const struct {
    Date date;
    int number;
  } cases[] = {
      {{1, 1, 0}, 0},          {{1, 1, 1}, 366},        {{31, 12, -1}, -1},
      {{30, 11, -1}, -32},     {{1, 1, -1}, -365},      {{1, 3, 0}, 60},
      {{1, 1, -400}, -146097}, {{1, 1, 2000}, 730485},  {{9, 12, 2026}, 740324},
      {{31, 12, 9999}, 3652424},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.date.day << "." << c.date.month << "." << c.date.year);
    STimer t = At(c.date.day, c.date.month, c.date.year, 5, 6, 7, 8);
    EXPECT_EQ(c.number, t.DayNumber());
    STimer back = At(2, 2, 2002, 5, 6, 7, 8);
    EXPECT_TRUE(back.SetDayNumber(c.number));
    EXPECT_EQ(std::to_string(c.date.day) + "." + std::to_string(c.date.month) + "." +
                  std::to_string(c.date.year) + " 00:00:00.000",
              DateTime(back));
  }
}

// Each day number gives the calendar day after the previous one, and reads
// back as itself, across year 0 and the century rules.
TEST(STimerDayNumber, ConsecutiveNumbersAreConsecutiveDays) {
  const int starts[] = {-1500, At(1, 1, 1599).DayNumber(), At(1, 1, 1899).DayNumber(),
                        At(1, 1, 2099).DayNumber()};
  for (int start : starts) {
    STimer t;
    ASSERT_TRUE(t.SetDayNumber(start));
    int weekday = t.GetWeekday();
    for (int n = start + 1; n < start + 3000; n++) {
      int day = t.GetDay(), month = t.GetMonth(), year = t.GetYear();
      ASSERT_TRUE(t.SetDayNumber(n));
      if (day < STimer::DaysInMonth(month, year)) {
        ASSERT_EQ(day + 1, t.GetDay()) << n;
        ASSERT_EQ(month, t.GetMonth()) << n;
      } else {
        ASSERT_EQ(1, t.GetDay()) << n;
        ASSERT_EQ(month % 12 + 1, t.GetMonth()) << n;
        ASSERT_EQ(month == 12 ? year + 1 : year, t.GetYear()) << n;
      }
      ASSERT_EQ(n, t.DayNumber());
      ASSERT_EQ((weekday + 1) % 7, t.GetWeekday()) << n;
      weekday = t.GetWeekday();
    }
  }
}

TEST(STimerDayNumber, SecondsRoundTrip) {
  STimer t;
  EXPECT_TRUE(t.SetSeconds(-1));
  EXPECT_EQ("31.12.-1 23:59:59.000", DateTime(t));
  EXPECT_EQ(-1, t.ToSeconds());

  const struct {
    int64_t seconds;
    const char* text;
  } cases[] = {
      {0, "1.1.0 00:00:00.000"},
      {86399, "1.1.0 23:59:59.000"},
      {-86400, "31.12.-1 00:00:00.000"},
      {-86401, "30.12.-1 23:59:59.000"},
      {int64_t(730485) * 86400 + 3661, "1.1.2000 01:01:01.000"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.seconds);
    EXPECT_TRUE(t.SetSeconds(c.seconds));
    EXPECT_EQ(c.text, DateTime(t));
    EXPECT_EQ(c.seconds, t.ToSeconds());
  }
  // The milliseconds do not count.
  EXPECT_EQ(At(1, 1, 2000, 1, 1, 1, 0).ToSeconds(), At(1, 1, 2000, 1, 1, 1, 999).ToSeconds());
}

TEST(STimerDayNumber, FarDatesFailInsteadOfWrapping) {
  STimer t = At(1, 2, 3);
  EXPECT_FALSE(t.SetSeconds(INT64_MAX));
  EXPECT_FALSE(t.SetSeconds(INT64_MIN));
  EXPECT_EQ("1.2.3 00:00:00.000", DateTime(t));
  // The extreme years still count their seconds right.
  STimer last = At(31, 12, INT_MAX, 23, 59, 59);
  STimer back;
  EXPECT_TRUE(back.SetSeconds(last.ToSeconds()));
  EXPECT_EQ(0, back.Compare(last));
}

// ---- Arithmetic ------------------------------------------------------------------------------

TEST(STimerArithmetic, AddCarriesThroughTheCalendar) {
  const struct {
    STimer start;
    int years, months, days, hours, minutes, seconds, ms;
    const char* result;
  } cases[] = {
      {At(31, 1, 2023), 0, 1, 0, 0, 0, 0, 0, "28.2.2023 00:00:00.000"},
      {At(31, 1, 2024), 0, 1, 0, 0, 0, 0, 0, "29.2.2024 00:00:00.000"},
      {At(15, 11, 2023), 0, 13, 0, 0, 0, 0, 0, "15.12.2024 00:00:00.000"},
      {At(31, 12, 2023), 0, 0, 1, 0, 0, 0, 0, "1.1.2024 00:00:00.000"},
      {At(29, 2, 2024), 1, 0, 0, 0, 0, 0, 0, "28.2.2025 00:00:00.000"},
      {At(31, 12, 2023, 23, 59, 59, 999), 0, 0, 0, 0, 0, 0, 1, "1.1.2024 00:00:00.000"},
      {At(1, 1, 2024), 0, 0, 0, 0, 0, 0, 90061001, "2.1.2024 01:01:01.001"},
      {At(1, 1, 2024), 0, 0, 366, 0, 0, 0, 0, "1.1.2025 00:00:00.000"},
      {At(31, 12, -1), 0, 0, 1, 0, 0, 0, 0, "1.1.0 00:00:00.000"},
      // The days move first, then the months cut the day to the month reached.
      {At(30, 1, 2023), 0, 1, 1, 0, 0, 0, 0, "28.2.2023 00:00:00.000"},
      {At(1, 1, 2000), 0, 0, INT_MAX, 0, 0, 0, 0, "11.7.5881610 00:00:00.000"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.result);
    STimer t = c.start;
    EXPECT_TRUE(t.Add(c.years, c.months, c.days, c.hours, c.minutes, c.seconds, c.ms));
    EXPECT_EQ(c.result, DateTime(t));
  }
}

TEST(STimerArithmetic, SubtractBorrowsThroughTheCalendar) {
  const struct {
    STimer start;
    int years, months, days, hours, minutes, seconds, ms;
    const char* result;
  } cases[] = {
      {At(1, 1, 2024, 12), 0, 0, 0, 0, 0, 60, 0, "1.1.2024 11:59:00.000"},
      {At(1, 3, 2024), 0, 0, 0, 0, 0, 0, 1000, "29.2.2024 23:59:59.000"},
      {At(15, 1, 2024), 0, 12, 0, 0, 0, 0, 0, "15.1.2023 00:00:00.000"},
      {At(15, 12, 2024), 0, 11, 0, 0, 0, 0, 0, "15.1.2024 00:00:00.000"},
      {At(31, 3, 2023), 0, 1, 0, 0, 0, 0, 0, "28.2.2023 00:00:00.000"},
      {At(1, 1, 0), 0, 0, 1, 0, 0, 0, 0, "31.12.-1 00:00:00.000"},
      {At(1, 1, 0), 1, 0, 0, 0, 0, 0, 0, "1.1.-1 00:00:00.000"},
      {At(1, 1, 2024, 0, 0, 0, 1), 0, 0, 0, 0, 0, 0, 2, "31.12.2023 23:59:59.999"},
      {At(10, 3, 2024), 0, 0, 40, 0, 0, 0, 0, "30.1.2024 00:00:00.000"},
      {At(1, 1, 2024), 0, 0, 0, 49, 0, 0, 0, "29.12.2023 23:00:00.000"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.result);
    STimer t = c.start;
    EXPECT_TRUE(t.Subtract(c.years, c.months, c.days, c.hours, c.minutes, c.seconds, c.ms));
    EXPECT_EQ(c.result, DateTime(t));
  }
}

TEST(STimerArithmetic, NegativeAmountsAndYearOverflowChangeNothing) {
  STimer t = At(31, 12, INT_MAX, 23);
  EXPECT_FALSE(t.Add(0, 0, 1));
  EXPECT_FALSE(t.Add(0, 0, 0, 1));
  EXPECT_FALSE(t.Add(0, 0, 0, -1));
  EXPECT_FALSE(t.Subtract(0, -1, 0));
  EXPECT_EQ(0, t.Compare(At(31, 12, INT_MAX, 23)));

  STimer low = At(1, 1, INT_MIN);
  EXPECT_FALSE(low.Subtract(0, 0, 1));
  EXPECT_FALSE(low.Subtract(1, 0, 0));
  EXPECT_TRUE(low.Add(0, 0, 1));
  EXPECT_EQ("2.1.-2147483648 00:00:00.000", DateTime(low));
}

TEST(STimerArithmetic, CompareOrdersByYearThenDownToTheMillisecond) {
  const STimer base = At(10, 6, 2020, 12, 30, 30, 500);
  EXPECT_EQ(0, base.Compare(At(10, 6, 2020, 12, 30, 30, 500)));
  EXPECT_EQ(-1, base.Compare(At(10, 6, 2020, 12, 30, 30, 501)));
  EXPECT_EQ(1, base.Compare(At(10, 6, 2020, 12, 30, 29, 999)));
  EXPECT_EQ(-1, base.Compare(At(1, 1, 2021)));
  EXPECT_EQ(1, base.Compare(At(31, 12, 2019, 23, 59, 59, 999)));
  EXPECT_EQ(1, base.Compare(At(11, 5, 2020)));
  EXPECT_EQ(-1, base.Compare(At(9, 7, 2020)));
}

// ---- Calendar facts ----------------------------------------------------------------------------

TEST(STimerCalendar, MonthAndYearLengths) {
  EXPECT_EQ(29, STimer::DaysInMonth(2, 2024));
  EXPECT_EQ(28, STimer::DaysInMonth(2, 2100));
  EXPECT_EQ(29, STimer::DaysInMonth(2, -400));
  EXPECT_EQ(30, STimer::DaysInMonth(11, 1));
  EXPECT_EQ(0, STimer::DaysInMonth(0, 2024));
  EXPECT_EQ(0, STimer::DaysInMonth(13, 2024));
  EXPECT_EQ(366, STimer::DaysInYear(0));
  EXPECT_EQ(365, STimer::DaysInYear(-1));
  EXPECT_EQ(365, STimer::DaysInYear(-100));
}

// Weekdays hold for every year, also far from the present and before year
// 21, where a 28-year cycle has nothing to offer.
TEST(STimerCalendar, WeekdayOfAnyYear) {
  const struct {
    Date date;
    int weekday;
  } cases[] = {
      {{1, 1, 1981}, 4},   {{1, 12, 2012}, 6},   {{1, 1, 2000}, 6},  {{9, 12, 2026}, 3},
      {{1, 1, 0}, 6},      {{1, 1, 1}, 1},       {{1, 1, 5}, 6},     {{15, 3, 20}, 0},
      {{1, 1, -1}, 5},     {{1, 1, -400}, 6},    {{15, 10, 1582}, 5}, {{4, 7, 1776}, 4},
      {{1, 1, 1900}, 1},   {{1, 1, 2100}, 5},    {{29, 2, 400}, 2},  {{31, 12, 9999}, 5},
      {{30, 2, 2024}, -1}, {{32, 1, 2024}, -1},  {{0, 1, 2024}, -1}, {{1, 13, 2024}, -1},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.weekday, STimer::WeekdayOf(c.date.day, c.date.month, c.date.year))
        << c.date.day << "." << c.date.month << "." << c.date.year;
  }
  EXPECT_EQ(3, At(9, 12, 2026).GetWeekday());
}

TEST(STimerCalendar, WeekdayNamesExistForEveryYear) {
  WithLanguage english(1);
  EXPECT_EQ("Sunday", std::string(STimer::WeekdayName(15, 3, 20).GetText()));
  EXPECT_EQ("Saturday", std::string(At(1, 1, 5).GetWeekdayName().GetText()));
  EXPECT_EQ("Friday", std::string(At(1, 1, -1).Format("#$W").GetText()));
  EXPECT_EQ("Saturday 6", std::string(At(1, 1, 0).Format("#$W #W").GetText()));
  EXPECT_EQ("", std::string(STimer::WeekdayName(30, 2, 2024).GetText()));
  // Every year of a full 400-year cycle below 21 names a real day.
  for (int year = -400; year < 21; year++) {
    const std::string name = STimer::WeekdayName(1, 1, year).GetText();
    ASSERT_FALSE(name.empty()) << year;
  }
}

TEST(STimerCalendar, NamesFollowTheSelectedLanguage) {
  {
    WithLanguage french(2);
    EXPECT_EQ("Lundi", std::string(At(1, 1, 2024).GetWeekdayName().GetText()));
    EXPECT_EQ("Janvier", std::string(At(1, 1, 2024).GetMonthName().GetText()));
    EXPECT_EQ("Printemps", std::string(STimer::SeasonName(3, 21).GetText()));
  }
  WithLanguage english(1);
  EXPECT_EQ("December", std::string(At(1, 12, 2024).GetMonthName().GetText()));
  EXPECT_EQ("Spring", std::string(STimer::SeasonName(3, 21).GetText()));
  EXPECT_EQ("Winter", std::string(STimer::SeasonName(12, 21).GetText()));
  EXPECT_EQ("", std::string(STimer::SeasonName(0, 21).GetText()));
}

TEST(STimerCalendar, Seasons) {
  const struct {
    int month, day, season;
  } cases[] = {
      {1, 1, 4},  {2, 30, 4}, {3, 20, 4}, {3, 21, 1},  {5, 31, 1},  {6, 20, 1},
      {6, 21, 2}, {8, 1, 2},  {9, 20, 2}, {9, 21, 3},  {11, 30, 3}, {12, 20, 3},
      {12, 21, 4}, {12, 31, 4}, {3, 32, 0}, {3, 0, 0},  {0, 5, 0},   {13, 5, 0},
  };
  for (const auto& c : cases) EXPECT_EQ(c.season, STimer::SeasonOf(c.month, c.day)) << c.month << "/" << c.day;
  EXPECT_EQ(2, At(1, 7, 2024).GetSeason());
}

TEST(STimerCalendar, DayOfYearAndWeekNumbers) {
  EXPECT_EQ(61, At(1, 3, 2024).DayOfYear());
  EXPECT_EQ(365, At(31, 12, 2023).DayOfYear());
  EXPECT_EQ(1, At(1, 1, 2023).DayOfYear());

  const struct {
    Date date;
    int monthSunday, monthMonday, yearSunday, yearMonday;
  } cases[] = {
      // December 2024 starts on a Sunday, the year on a Monday.
      {{8, 12, 2024}, 2, 2, 50, 49},
      {{1, 12, 2024}, 1, 1, 49, 48},
      {{2, 12, 2024}, 1, 2, 49, 49},
      {{1, 1, 2024}, 1, 1, 1, 1},
      {{7, 1, 2024}, 2, 1, 2, 1},
      {{8, 1, 2024}, 2, 2, 2, 2},
      {{31, 12, 2024}, 5, 6, 53, 53},
      // 2022 starts on a Saturday.
      {{2, 1, 2022}, 2, 1, 2, 1},
      {{3, 1, 2022}, 2, 2, 2, 2},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.date.day << "." << c.date.month << "." << c.date.year);
    STimer t = At(c.date.day, c.date.month, c.date.year);
    EXPECT_EQ(c.monthSunday, t.WeekOfMonth(true));
    EXPECT_EQ(c.monthMonday, t.WeekOfMonth(false));
    EXPECT_EQ(c.yearSunday, t.WeekOfYear(true));
    EXPECT_EQ(c.yearMonday, t.WeekOfYear(false));
  }
}

TEST(STimerCalendar, Centuries) {
  const struct {
    int year, century;
    const char* roman;
  } cases[] = {
      {2000, 20, "XX"}, {2001, 21, "XXI"}, {2024, 21, "XXI"}, {1, 1, "I"},  {100, 1, "I"},
      {0, -1, "I BC"},  {-1, -1, "I BC"},  {-100, -1, "I BC"}, {-150, -2, "II BC"},
      {INT_MIN, -21474837, nullptr},
  };
  for (const auto& c : cases) {
    STimer t = At(1, 1, c.year);
    EXPECT_EQ(c.century, t.Century()) << c.year;
    if (c.roman) {
      EXPECT_EQ(c.roman, std::string(t.CenturyRoman().GetText())) << c.year;
    }
  }
}

// ---- Formatting ------------------------------------------------------------------------------

TEST(STimerFormat, Tokens) {
  WithLanguage english(1);
  const STimer t = At(5, 3, 2024, 7, 8, 9, 45);
  const struct {
    const char* pattern;
    const char* result;
  } cases[] = {
      {"#+D/#+M/#Y #+h:#+m:#+s.#+z", "05/03/2024 07:08:09.045"},
      {"#D.#M.#+Y", "5.3.24"},
      {"#$M, #Y", "March, 2024"},
      {"#$W #W", "Tuesday 2"},
      {"#h#m#s", "789"},
      {"#H #+H #a #A", "7 07 am AM"},
      {"#x|#y|#+y|#z|#+z", "0|4|04|45|045"},
      {"no tokens, #q #", "no tokens, #q #"},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(c.result, std::string(t.Format(c.pattern).GetText())) << c.pattern;
  EXPECT_EQ("", std::string(t.Format(nullptr).GetText()));
}

TEST(STimerFormat, TwelveHourClock) {
  EXPECT_EQ("12 am", std::string(At(1, 1, 2024, 0, 30).Format("#H #a").GetText()));
  EXPECT_EQ("12 pm", std::string(At(1, 1, 2024, 12).Format("#H #a").GetText()));
  EXPECT_EQ("1 pm", std::string(At(1, 1, 2024, 13).Format("#H #a").GetText()));
  EXPECT_EQ("11 AM", std::string(At(1, 1, 2024, 11).Format("#H #A").GetText()));
}

// A replacement's text is searched by the tokens after it: a month name
// holding "#D" would be rewritten; a plain one holding "M" stays.
TEST(STimerFormat, LaterTokensSeeEarlierReplacements) {
  WithLanguage english(1);
  EXPECT_EQ("May 2024", std::string(At(1, 5, 2024).Format("#$M #Y").GetText()));
  EXPECT_EQ("31", std::string(At(31, 12, 2024).Format("#+D").GetText()));
  // "#+Y" goes first, so "#+YY" leaves a plain "Y" behind.
  EXPECT_EQ("24Y", std::string(At(31, 12, 2024).Format("#+YY").GetText()));
}

TEST(STimerFormat, ZeroPadding) {
  const struct {
    int n;
    const char *two, *three;
  } cases[] = {
      {7, "07", "007"}, {0, "00", "000"}, {45, "45", "045"}, {123, "23", "123"},
      {1234, "34", "234"}, {-4, "00", "000"}, {99, "99", "099"}, {100, "00", "100"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.two, std::string(ZeroPadded2(c.n).GetText())) << c.n;
    EXPECT_EQ(c.three, std::string(ZeroPadded3(c.n).GetText())) << c.n;
  }
}

// ---- The span ------------------------------------------------------------------------------------

std::string Span(const STimer& t) { return t.FormatSpan("#D #+h:#+m:#+s.#+z").GetText(); }

TEST(STimerSpan, AddCarriesAndIgnoresNegativeAmounts) {
  STimer t;
  t.AddSpan(0, 23, 59, 59, 1500);
  EXPECT_EQ("1 00:00:00.500", Span(t));
  t.AddSpan(0, 0, -5, 0, 0);
  EXPECT_EQ("1 00:00:00.500", Span(t));
  t.AddSpan(1, 2, 3, 4, 5);
  EXPECT_EQ("2 02:03:04.505", Span(t));
  // Large amounts carry instead of wrapping.
  t.SetSpanMilliseconds(0);
  t.AddSpan(0, 0, 0, 0, INT_MAX);
  EXPECT_EQ(INT_MAX, t.SpanMilliseconds());
}

TEST(STimerSpan, SubtractNeverGoesBelowEmpty) {
  STimer t;
  t.AddSpan(1, 0, 0, 0, 0);
  t.SubtractSpan(0, 1, 0, 0, 1);
  EXPECT_EQ("0 22:59:59.999", Span(t));
  t.SubtractSpan(0, -3, 0, 0, 0);
  EXPECT_EQ("0 22:59:59.999", Span(t));
  t.SubtractSpan(2, 0, 0, 0, 0);
  EXPECT_EQ("0 00:00:00.000", Span(t));
  EXPECT_EQ(0, t.SpanMilliseconds());
}

TEST(STimerSpan, MillisecondsRoundTrip) {
  STimer t;
  t.SetSpanMilliseconds(90061001);
  EXPECT_EQ("1 01:01:01.001", Span(t));
  EXPECT_EQ(90061001, t.SpanMilliseconds());
  t.SetSpanMilliseconds(-1);
  EXPECT_EQ("0 00:00:00.000", Span(t));
  t.SetSpanMilliseconds(int64_t(100000) * 86400000 + 1);
  EXPECT_EQ("100000 00:00:00.001", Span(t));
  EXPECT_EQ(int64_t(100000) * 86400000 + 1, t.SpanMilliseconds());
}

TEST(STimerSpan, NormalizeDropsNegativePartsButKeepsNegativeDays) {
  STimer t;
  t.NormalizeTime(-2, -1, 61, -5, 2500);
  EXPECT_EQ(-2, t.GetSpanDays());
  EXPECT_EQ(0, t.GetSpanHours());  // -1 + 1 carried from the minutes
  EXPECT_EQ(1, t.GetSpanMinutes());
  EXPECT_EQ(0, t.GetSpanSeconds());  // -5 + 2 carried stays negative: dropped
  EXPECT_EQ(500, t.GetSpanMilliseconds());

  STimer copy;
  copy.AssignSpan(t);
  EXPECT_EQ(0, copy.CompareSpan(t));
}

TEST(STimerSpan, CompareSpan) {
  STimer day, almost;
  day.AddSpan(1, 0, 0, 0, 0);
  almost.AddSpan(0, 23, 59, 0, 0);
  EXPECT_EQ(1, day.CompareSpan(almost));
  EXPECT_EQ(-1, almost.CompareSpan(day));
  almost.AddSpan(0, 0, 1, 0, 0);
  EXPECT_EQ(0, day.CompareSpan(almost));
}

TEST(STimerSpan, FormatSpan) {
  STimer t;
  t.NormalizeTime(2, 3, 4, 5, 678);
  EXPECT_EQ("2 days 03:04:05", std::string(t.FormatSpan("#D days #+h:#+m:#+s").GetText()));
  EXPECT_EQ("3:4:5 6|67|67|678|678",
            std::string(t.FormatSpan("#h:#m:#s #x|#y|#+y|#z|#+z").GetText()));
  EXPECT_EQ("#+D", std::string(t.FormatSpan("#+D").GetText()));  // no padded day token
  EXPECT_EQ("", std::string(t.FormatSpan(nullptr).GetText()));
  t.NormalizeTime(0, 0, 0, 0, 5);
  EXPECT_EQ("0|00|005", std::string(t.FormatSpan("#y|#+y|#+z").GetText()));
}

// ---- The stopwatch -----------------------------------------------------------------------------

void Sleep(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

TEST(STimerStopwatch, StatesAnswerZeroWhereNothingRuns) {
  STimer t;
  EXPECT_EQ(0u, t.StopwatchElapsed());
  EXPECT_EQ(0u, t.PauseStopwatch());
  EXPECT_EQ(0u, t.ResumeStopwatch());
  EXPECT_EQ(0u, t.StopStopwatch());

  t.StartStopwatch();
  EXPECT_EQ(0u, t.ResumeStopwatch());  // running, not paused
  Sleep(30);
  const uint32_t paused = t.PauseStopwatch();
  EXPECT_GE(paused, 25u);
  EXPECT_EQ(0u, t.PauseStopwatch());  // already paused
  Sleep(30);
  EXPECT_EQ(paused, t.StopwatchElapsed());
  EXPECT_EQ(paused, t.StopStopwatch());
  EXPECT_EQ(0u, t.StopwatchElapsed());
}

TEST(STimerStopwatch, PausedTimeDoesNotCount) {
  STimer t;
  t.StartStopwatch();
  Sleep(100);
  t.PauseStopwatch();
  Sleep(1000);
  const uint32_t resumed = t.ResumeStopwatch();
  EXPECT_GE(resumed, 95u);
  EXPECT_LT(resumed, 1000u);
  Sleep(100);
  const uint32_t elapsed = t.StopwatchElapsed();
  EXPECT_GE(elapsed, 195u);
  // With the pause counted it would be 1200 or more.
  EXPECT_LT(elapsed, 1150u);
}

TEST(ElapsedClock, CountsSecondsSinceItsStart) {
  StartElapsedClock();
  const float first = GetElapsedSeconds();
  EXPECT_GE(first, 0.0f);
  EXPECT_LT(first, 0.5f);
  Sleep(60);
  const float later = GetElapsedSeconds();
  EXPECT_GE(later - first, 0.05f);
  EXPECT_LT(later, 5.0f);
}

}  // namespace
