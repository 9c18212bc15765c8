// The Timer class through its members, as a program calls them: setting
// and checking dates (29 February), the pattern tokens in their order, the
// week of the month and of the year from Sunday and from Monday, the span
// with its carries, the calendar questions, day numbers and second counts,
// and the stopwatch. Reference weekdays and week numbers come from Python's
// datetime.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <utility>
#include <string>
#include <thread>

#include "classes/PObjTimer.h"
#include "core/LocaleRecord.h"
#include "classes/PObjFile.h"
#include "engine/PObjectDefinition.h"
#include "tests/classes/DataClassTest.h"

namespace {

using classtest::kUnset;
using T = PObjTimer;

class PObjTimerTest : public classtest::DataClassTest {
 protected:
  void SetUp() override {
    DataClassTest::SetUp();
    SetLanguage(0);
  }
  // A Timer set through member 22 (year first).
  template <class... A>
  PObjTimer* At(A... fields) {
    PObjTimer* t = NewObject<PObjTimer>();
    Do(t, T::SET, fields...);
    return t;
  }
  // year-month-day hour:minute:second.ms, read back through the members.
  std::string Stamp(PObjTimer* t) {
    return Text(t, T::FORMAT, "#Y-#+M-#+D #+h:#+m:#+s.#+z");
  }
  std::string Span(PObjTimer* t) { return Text(t, T::FORMAT_SPAN, "#D #+h:#+m:#+s.#+z"); }
};

TEST_F(PObjTimerTest, Declaration) {
  PObjectDefinition* d = engine.FindDefinition(T::kTypeCode);
  ASSERT_NE(d, nullptr);
  EXPECT_STREQ(d->GetName(), "Timer");
  EXPECT_EQ(d->GetCategory(), CATEGORY_SERVICES);
  ASSERT_EQ(d->GetConstantCount(), 5);
  const char* names[] = {"ID", "SPRING", "SUMMER", "AUTUMN", "WINTER"};
  for (int i = 0; i < 5; i++) {
    EXPECT_STREQ(d->GetConstantName(i).GetText(), names[i]);
    if (i > 0) {
      EXPECT_EQ(d->GetConstant(i)->ToInt64(), i);
    }
  }
  ASSERT_EQ(d->GetMemberCount(), 58);
  // Parameters and defaults of the members that take any.
  struct Shape {
    int member, params, defaults;
  };
  const Shape shapes[] = {{T::ASSIGN_DATE, 1, 0}, {T::SET_SPAN, 5, 5},  {T::SET_SPAN_MILLISECONDS, 1, 1},
                          {T::ADD_SPAN, 5, 4},    {T::SUBTRACT_SPAN, 5, 4}, {T::SET_NOW, 1, 1},
                          {T::SET, 7, 6},         {T::ADD, 7, 6},       {T::SUBTRACT, 7, 6},
                          {T::GET_WEEK_OF_MONTH, 1, 1}, {T::GET_WEEK_OF_YEAR, 1, 1},
                          {T::IS_VALID_DATE, 3, 0}, {T::READ_STOPWATCH, 0, 0}};
  for (const Shape& s : shapes) {
    EXPECT_EQ(d->GetParamCount(s.member), s.params) << s.member;
    EXPECT_EQ(d->GetDefaultCount(s.member), s.defaults) << s.member;
  }
  EXPECT_EQ(d->GetParamInfo(T::SET, 1)->GetDefault().ToInt64(), 1);
  EXPECT_EQ(d->GetParamInfo(T::SET_NOW, 0)->GetDefault().ToInt64(), 1);
  EXPECT_EQ(d->GetParamInfo(T::GET_WEEK_OF_MONTH, 0)->GetDefault().ToInt64(), 0);
  EXPECT_EQ(d->GetParamInfo(T::COMPARE, 0)->GetTypeCode(), T::kTypeCode);
  EXPECT_EQ(d->GetReturnType(T::GET_ELAPSED_SECONDS), engine.GetFloatDefinition());
}

TEST_F(PObjTimerTest, NewTimerIsTheFirstDayOfYearZero) {
  PObjTimer* t = NewObject<PObjTimer>();
  EXPECT_EQ(Stamp(t), "0-01-01 00:00:00.000");
  EXPECT_EQ(Span(t), "0 00:00:00.000");
  EXPECT_EQ(Int(t, T::READ_STOPWATCH), 0);
}

// Member 22 stores a date only when every field is in range; a refused one
// leaves the previous value.
TEST_F(PObjTimerTest, SetChecksEveryField) {
  struct Case {
    int year, month, day, hour, minute, second, ms;
    bool stored;
  };
  const Case cases[] = {
      {2012, 2, 29, 0, 0, 0, 0, true},      {2012, 2, 30, 0, 0, 0, 0, false},
      {2011, 2, 29, 0, 0, 0, 0, false},     {1900, 2, 29, 0, 0, 0, 0, false},
      {2000, 2, 29, 0, 0, 0, 0, true},      {2100, 2, 29, 0, 0, 0, 0, false},
      {2012, 13, 1, 0, 0, 0, 0, false},     {2012, 0, 1, 0, 0, 0, 0, false},
      {2012, 4, 31, 0, 0, 0, 0, false},     {2012, 1, 1, 24, 0, 0, 0, false},
      {2012, 1, 1, 23, 60, 0, 0, false},    {2012, 1, 1, 23, 59, 60, 0, false},
      {2012, 1, 1, 23, 59, 59, 1000, false}, {-44, 3, 15, 23, 59, 59, 999, true},
  };
  for (const Case& c : cases) {
    PObjTimer* t = At(1999, 12, 31, 12);
    Do(t, T::SET, c.year, c.month, c.day, c.hour, c.minute, c.second, c.ms);
    const std::string stored = std::to_string(c.year) + "/" + std::to_string(c.month) + "/" +
                               std::to_string(c.day) + " " + std::to_string(c.hour) + ":" +
                               std::to_string(c.minute) + ":" + std::to_string(c.second) + "." +
                               std::to_string(c.ms);
    EXPECT_EQ(Text(t, T::FORMAT, "#Y/#M/#D #h:#m:#s.#z"), c.stored ? stored : "1999/12/31 12:0:0.0")
        << stored;
  }
  EXPECT_EQ(Stamp(At(2012, 2, 29)), "2012-02-29 00:00:00.000");
  // A year beyond 32 bits is held at the limit, not wrapped into 2012.
  PObjTimer* t = At(2000);
  Do(t, T::SET, (int64_t(1) << 32) + 2012, 2, 29);
  EXPECT_EQ(Stamp(t), "2000-01-01 00:00:00.000");
}

// Each token replaced everywhere, in the order that keeps "#+M" from being
// read as "#M" after a plus sign, names before numbers.
TEST_F(PObjTimerTest, PatternTokensInTheirOrder) {
  PObjTimer* t = At(2012, 3, 3, 9, 5);
  EXPECT_EQ(Text(t, T::FORMAT, "#+D.#+M.#Y #+h:#+m"), "03.03.2012 09:05");
  struct Case {
    int hour, ms;
    const char* pattern;
    const char* text;
  };
  const Case cases[] = {
      {9, 45, "#+Y|#Y", "12|2012"},
      {9, 45, "#$M #+M #M", "March 03 3"},
      {9, 45, "#$W #W", "Saturday 6"},
      {9, 45, "#+D #D", "03 3"},
      {0, 45, "#+H #H #a #A", "12 12 am AM"},
      {12, 45, "#+H #H #a #A", "12 12 pm PM"},
      {13, 45, "#+H #H #+h #h", "01 1 13 13"},
      {9, 45, "#x #+y #y #+z #z", "0 04 4 045 45"},
      {9, 987, "#x #+y #y #+z #z", "9 98 98 987 987"},
      {9, 5, "#+s#s#+m#m", "000055"},
      {9, 5, "##+D#", "#03#"},
      {9, 5, "no tokens # here", "no tokens # here"},
  };
  for (const Case& c : cases) {
    PObjTimer* u = At(2012, 3, 3, c.hour, 5, 0, c.ms);
    EXPECT_EQ(Text(u, T::FORMAT, c.pattern), c.text) << c.pattern;
  }
  EXPECT_EQ(Text(t, T::FORMAT, "#$M#D"), "March3");
  EXPECT_EQ(Text(t, T::FORMAT, ""), "");
}

TEST_F(PObjTimerTest, NamesFollowTheLocaleRecord) {
  PObjTimer* t = At(2012, 8, 16);
  EXPECT_EQ(Text(t, T::GET_WEEKDAY_NAME), "Thursday");
  EXPECT_EQ(Text(t, T::GET_MONTH_NAME), "August");
  EXPECT_EQ(Text(t, T::GET_SEASON_NAME), "Summer");
  EXPECT_EQ(Text(t, T::SEASON_NAME_OF, 12, 21), "Winter");
  EXPECT_EQ(Text(t, T::SEASON_NAME_OF, 13, 1), "");
  SetLanguage(2);
  const std::string other = Text(t, T::GET_MONTH_NAME);
  SetLanguage(0);
  EXPECT_NE(other, "August");
  EXPECT_NE(other, "");
}

// Weekdays of the real calendar, also where the 28-year cycle is wrong:
// before year 21, and outside 1901..2099.
TEST_F(PObjTimerTest, WeekdaysOfTheRealCalendar) {
  struct Case {
    int year, month, day, weekday;
  };
  const Case cases[] = {
      {2012, 8, 16, 4}, {1981, 1, 1, 4}, {2000, 1, 1, 6},  {1, 1, 1, 1},     {10, 5, 17, 1},
      {20, 12, 31, 4},  {0, 1, 1, 6},    {-100, 1, 1, 1},  {1600, 2, 29, 2}, {1900, 3, 1, 4},
      {2100, 1, 1, 5},  {2400, 2, 29, 2}, {9999, 12, 31, 5},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Int(At(c.year, c.month, c.day), T::GET_WEEKDAY), c.weekday) << c.year << "-" << c.month;
  }
}

// The walk of the Part: a week begins on Sunday (true) or Monday (false),
// and the week of the 1st is week 1 however short.
TEST_F(PObjTimerTest, WeekOfTheMonthFromSundayAndFromMonday) {
  struct Case {
    int year, month, day, fromSunday, fromMonday;
  };
  const Case cases[] = {
      {2012, 8, 5, 2, 1},  {2012, 8, 4, 1, 1},  {2012, 8, 6, 2, 2},   {2012, 8, 31, 5, 5},
      {2012, 9, 1, 1, 1},  {2012, 9, 2, 2, 1},  {2012, 9, 30, 6, 5},  // 1st a Saturday
      {2012, 7, 1, 1, 1},  {2012, 7, 2, 1, 2},  {2012, 7, 8, 2, 2},   // 1st a Sunday
      {2012, 10, 7, 2, 1}, {2012, 10, 8, 2, 2}, {2012, 2, 29, 5, 5},  // 1st a Monday; 29 February
  };
  for (const Case& c : cases) {
    PObjTimer* t = At(c.year, c.month, c.day);
    EXPECT_EQ(Int(t, T::GET_WEEK_OF_MONTH, 1), c.fromSunday) << c.month << "/" << c.day;
    EXPECT_EQ(Int(t, T::GET_WEEK_OF_MONTH, 0), c.fromMonday) << c.month << "/" << c.day;
  }
  EXPECT_EQ(Int(At(2012, 8, 5), T::GET_WEEK_OF_MONTH), 1) << "from Monday by default";
}

TEST_F(PObjTimerTest, WeekAndDayOfTheYear) {
  struct Case {
    int year, month, day, dayOfYear, fromSunday, fromMonday;
  };
  const Case cases[] = {
      {2012, 1, 1, 1, 1, 1},       {2012, 12, 31, 366, 53, 54}, {2013, 6, 15, 166, 24, 24},
      {2021, 1, 3, 3, 2, 1},       {2021, 1, 4, 4, 2, 2},       {2024, 2, 29, 60, 9, 9},
      {2012, 8, 16, 229, 33, 34},
  };
  for (const Case& c : cases) {
    PObjTimer* t = At(c.year, c.month, c.day);
    EXPECT_EQ(Int(t, T::GET_DAY_OF_YEAR), c.dayOfYear) << c.year << "-" << c.month << "-" << c.day;
    EXPECT_EQ(Int(t, T::GET_WEEK_OF_YEAR, 1), c.fromSunday) << c.year << "-" << c.month << "-" << c.day;
    EXPECT_EQ(Int(t, T::GET_WEEK_OF_YEAR, 0), c.fromMonday) << c.year << "-" << c.month << "-" << c.day;
  }
}

TEST_F(PObjTimerTest, CalendarQuestions) {
  PObjTimer* t = NewObject<PObjTimer>();
  for (auto [year, leap] : {std::pair{2012, 1}, {2011, 0}, {1900, 0}, {2000, 1}, {2100, 0}, {0, 1}, {-4, 1}}) {
    EXPECT_EQ(Int(t, T::IS_LEAP_YEAR, year), leap) << year;
    EXPECT_EQ(Int(t, T::DAYS_IN_YEAR, year), 365 + leap) << year;
    EXPECT_EQ(Int(t, T::DAYS_IN_MONTH, year, 2), 28 + leap) << year;
    EXPECT_EQ(Int(t, T::IS_VALID_DATE, year, 2, 29), leap) << year;
  }
  EXPECT_EQ(Int(t, T::DAYS_IN_MONTH, 2012, 13), 0);
  EXPECT_EQ(Int(t, T::DAYS_IN_MONTH, 2012, 4), 30);
  EXPECT_EQ(Int(t, T::IS_VALID_DATE, 2012, 4, 31), 0);
  EXPECT_EQ(Int(t, T::IS_VALID_DATE, 2012, 0, 1), 0);
  // Seasons change on the 21st; a bad month or day gives 0.
  struct Season {
    int month, day, season;
  };
  const Season seasons[] = {{3, 20, T::WINTER}, {3, 21, T::SPRING}, {6, 21, T::SUMMER}, {9, 20, T::SUMMER},
                            {9, 21, T::AUTUMN}, {12, 21, T::WINTER}, {1, 1, T::WINTER}, {13, 1, 0},
                            {1, 32, 0},        {0, 5, 0}};
  for (const Season& s : seasons) EXPECT_EQ(Int(t, T::SEASON_OF, s.month, s.day), s.season) << s.month << "/" << s.day;
  EXPECT_EQ(Int(At(2012, 8, 16), T::GET_SEASON), T::SUMMER);
  // The hour on a 12-hour clock.
  for (auto [hour, twelve] : {std::pair{0, 12}, {1, 1}, {11, 11}, {12, 12}, {13, 1}, {23, 11}})
    EXPECT_EQ(Int(At(2012, 1, 1, hour), T::GET_HOUR12), twelve) << hour;
  // Centuries: 2000 closes the 20th, year 0 lies in the first before.
  struct Century {
    int year, century;
    const char* roman;
  };
  const Century centuries[] = {{2000, 20, "XX"}, {2001, 21, "XXI"}, {1, 1, "I"}, {0, -1, "I BC"}, {-150, -2, "II BC"}};
  for (const Century& c : centuries) {
    PObjTimer* u = At(c.year);
    EXPECT_EQ(Int(u, T::GET_CENTURY), c.century) << c.year;
    EXPECT_EQ(Text(u, T::GET_CENTURY_ROMAN), c.roman) << c.year;
  }
}

TEST_F(PObjTimerTest, FieldReaders) {
  PObjTimer* t = At(2024, 2, 29, 13, 14, 15, 167);
  const std::pair<T::Member, int64_t> fields[] = {
      {T::GET_YEAR, 2024}, {T::GET_MONTH, 2},   {T::GET_DAY, 29},         {T::GET_HOUR, 13},
      {T::GET_MINUTE, 14}, {T::GET_SECOND, 15}, {T::GET_MILLISECOND, 167}, {T::GET_WEEKDAY, 4},
  };
  for (const auto& [member, value] : fields) EXPECT_EQ(Int(t, member), value) << member;
}

// Adding and subtracting carry through the calendar; a day past the end of
// the month reached is cut to its last day; a negative amount does nothing.
TEST_F(PObjTimerTest, AddAndSubtractThroughTheCalendar) {
  struct Case {
    T::Member member;
    int years, months, days, hours, minutes, seconds, ms;
    const char* from;
    const char* to;
  };
  const Case cases[] = {
      {T::ADD, 0, 1, 0, 0, 0, 0, 0, "2012-01-31", "2012-02-29 00:00:00.000"},
      {T::ADD, 1, 0, 0, 0, 0, 0, 0, "2012-02-29", "2013-02-28 00:00:00.000"},
      {T::ADD, 0, 0, 0, 0, 45, 0, 0, "2012-12-31 23:30", "2013-01-01 00:15:00.000"},
      {T::ADD, 0, 0, 0, 0, 0, 0, 1500, "2012-12-31 23:59:59", "2013-01-01 00:00:00.500"},
      {T::ADD, 0, 0, 366, 0, 0, 0, 0, "2012-01-01", "2013-01-01 00:00:00.000"},
      {T::SUBTRACT, 0, 0, 1, 0, 0, 0, 0, "2012-03-01", "2012-02-29 00:00:00.000"},
      {T::SUBTRACT, 0, 1, 0, 0, 0, 0, 0, "2012-03-31", "2012-02-29 00:00:00.000"},
      {T::SUBTRACT, 0, 0, 0, 0, 0, 1, 0, "0-01-01", "-1-12-31 23:59:59.000"},
      {T::ADD, 0, -1, 0, 0, 0, 0, 0, "2012-01-31", "2012-01-31 00:00:00.000"},
      {T::SUBTRACT, 1, 0, 0, 0, 0, 0, -1, "2012-01-31", "2012-01-31 00:00:00.000"},
  };
  for (const Case& c : cases) {
    int y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0;
    ASSERT_GE(std::sscanf(c.from, "%d-%d-%d %d:%d:%d", &y, &mo, &d, &h, &mi, &s), 3);
    PObjTimer* t = At(y, mo, d, h, mi, s);
    Do(t, c.member, c.years, c.months, c.days, c.hours, c.minutes, c.seconds, c.ms);
    EXPECT_EQ(Stamp(t), c.to) << c.from;
  }
  // Only the years given: the other amounts take their defaults.
  PObjTimer* t = At(2012, 2, 29);
  Do(t, T::ADD, 4);
  EXPECT_EQ(Stamp(t), "2016-02-29 00:00:00.000");
}

// Day numbers count from 1 January of year 0 as day 0 (Python's ordinal
// plus 365); second counts are day numbers times 86400 plus the time.
TEST_F(PObjTimerTest, DayNumbersAndSecondCounts) {
  EXPECT_EQ(Int(At(0), T::GET_DAY_NUMBER), 0);
  EXPECT_EQ(Int(At(1), T::GET_DAY_NUMBER), 366);
  EXPECT_EQ(Int(At(2024, 2, 29), T::GET_DAY_NUMBER), 738945 + 365);
  EXPECT_EQ(Int(At(1970, 1, 1, 0, 0, 1), T::GET_SECONDS), int64_t(719163 + 365) * 86400 + 1);
  PObjTimer* t = NewObject<PObjTimer>();
  EXPECT_EQ(Int(t, T::SET_DAY_NUMBER, 738945 + 365), 1);
  EXPECT_EQ(Stamp(t), "2024-02-29 00:00:00.000");
  EXPECT_EQ(Int(t, T::SET_DAY_NUMBER, -1), 1);
  EXPECT_EQ(Stamp(t), "-1-12-31 00:00:00.000");
  // A day number beyond 32 bits is refused rather than wrapped.
  EXPECT_EQ(Int(t, T::SET_DAY_NUMBER, (int64_t(1) << 32) + 5), 0);
  EXPECT_EQ(Stamp(t), "-1-12-31 00:00:00.000");
  const int64_t seconds = int64_t(738945 + 365) * 86400 + 13 * 3600 + 14 * 60 + 15;
  EXPECT_EQ(Int(t, T::SET_SECONDS, seconds), 1);
  EXPECT_EQ(Stamp(t), "2024-02-29 13:14:15.000");
  EXPECT_EQ(Int(t, T::GET_SECONDS), seconds);
  EXPECT_EQ(Int(t, T::SET_SECONDS, INT64_MAX), 0);
  EXPECT_EQ(Stamp(t), "2024-02-29 13:14:15.000");
}

TEST_F(PObjTimerTest, CopyAndCompareOtherTimers) {
  PObjTimer* a = At(2012, 3, 3, 9, 5, 0, 1);
  PObjTimer* b = At(2012, 3, 3, 9, 5, 0, 2);
  EXPECT_EQ(Int(a, T::COMPARE, b), -1);
  EXPECT_EQ(Int(b, T::COMPARE, a), 1);
  EXPECT_EQ(Int(a, T::COMPARE, a), 0);
  EXPECT_EQ(Int(a, T::COMPARE, At(2011, 12, 31, 23, 59, 59, 999)), 1);
  EXPECT_EQ(Int(a, T::COMPARE, nullptr), kUnset);
  EXPECT_EQ(Int(a, T::COMPARE, NewObject<PObjFile>()), kUnset) << "not a Timer";
  Do(b, T::SET_SPAN, 0, 0, 0, 0, 7);
  EXPECT_EQ(Int(a, T::ASSIGN_DATE, b), kUnset) << "declared Integer, stores nothing";
  EXPECT_EQ(Stamp(a), "2012-03-03 09:05:00.002");
  EXPECT_EQ(Span(a), "0 00:00:00.000") << "the span stays behind";
  EXPECT_EQ(Int(a, T::ASSIGN_DATE, nullptr), kUnset);
  EXPECT_EQ(Stamp(a), "2012-03-03 09:05:00.002");
  EXPECT_EQ(Int(a, T::ASSIGN_SPAN, b), kUnset);
  EXPECT_EQ(Span(a), "7 00:00:00.000");
  EXPECT_EQ(Int(a, T::ASSIGN_SPAN, nullptr), kUnset);
  EXPECT_EQ(Span(a), "7 00:00:00.000");
}

TEST_F(PObjTimerTest, SpanCarriesAndNeverGoesBelowEmpty) {
  PObjTimer* t = NewObject<PObjTimer>();
  Do(t, T::SET_SPAN, 1500, 59);
  EXPECT_EQ(Span(t), "0 00:01:00.500");
  Do(t, T::SET_SPAN, -5, 61, 59, 23, 2);
  EXPECT_EQ(Span(t), "3 00:00:01.000") << "61 s carry up to a whole day; -5 ms is 0";
  Do(t, T::SET_SPAN, 0, 0, 0, 0, -3);
  EXPECT_EQ(Span(t), "0 00:00:00.000") << "negative days are 0 too";
  EXPECT_EQ(Int(t, T::GET_SPAN_TOTAL), 0);
  Do(t, T::SET_SPAN_MILLISECONDS, int64_t(90061001));
  EXPECT_EQ(Span(t), "1 01:01:01.001");
  EXPECT_EQ(Int(t, T::GET_SPAN_TOTAL), 90061001);
  const std::pair<T::Member, int64_t> parts[] = {{T::GET_SPAN_DAYS, 1}, {T::GET_SPAN_HOURS, 1},
                                                 {T::GET_SPAN_MINUTES, 1}, {T::GET_SPAN_SECONDS, 1},
                                                 {T::GET_SPAN_MILLISECONDS, 1}};
  for (const auto& [member, value] : parts) EXPECT_EQ(Int(t, member), value) << member;
  Do(t, T::SET_SPAN_MILLISECONDS, -1);
  EXPECT_EQ(Span(t), "0 00:00:00.000");
  // Totals past 32 bits stay exact.
  Do(t, T::SET_SPAN_MILLISECONDS, int64_t(30) * 86400000 * 1000);
  EXPECT_EQ(Int(t, T::GET_SPAN_DAYS), 30000);

  Do(t, T::SET_SPAN, 0, 5);
  Do(t, T::SUBTRACT_SPAN, 0, 10);
  EXPECT_EQ(Span(t), "0 00:00:00.000");
  Do(t, T::SET_SPAN, 0, 5);
  Do(t, T::SUBTRACT_SPAN, 1, -3);
  EXPECT_EQ(Span(t), "0 00:00:04.999") << "a negative amount counts as 0";
  Do(t, T::ADD_SPAN, 1, 0, 0, 23);
  EXPECT_EQ(Span(t), "0 23:00:05.000");
  Do(t, T::ADD_SPAN, 0, 0, 60, 0, -1);
  EXPECT_EQ(Span(t), "1 00:00:05.000");
  // A huge amount carries instead of wrapping into a negative one.
  Do(t, T::ADD_SPAN, int64_t(1) << 33);
  EXPECT_GT(Int(t, T::GET_SPAN_DAYS), 24);

  PObjTimer* longer = NewObject<PObjTimer>();
  Do(longer, T::SET_SPAN, 0, 0, 0, 0, 2);
  Do(t, T::SET_SPAN, 999, 59, 59, 23, 1);
  EXPECT_EQ(Int(t, T::COMPARE_SPAN, longer), -1);
  EXPECT_EQ(Int(longer, T::COMPARE_SPAN, t), 1);
  EXPECT_EQ(Int(t, T::COMPARE_SPAN, t), 0);
  EXPECT_EQ(Int(t, T::COMPARE_SPAN, nullptr), kUnset);
}

TEST_F(PObjTimerTest, SpanPatternTokensInTheirOrder) {
  PObjTimer* t = NewObject<PObjTimer>();
  Do(t, T::SET_SPAN, 45, 7, 3, 5, 12);
  struct Case {
    const char* pattern;
    const char* text;
  };
  const Case cases[] = {
      {"#D days #+h:#+m:#+s", "12 days 05:03:07"}, {"#h #m #s", "5 3 7"},
      {"#x #+y #y #+z #z", "0 04 4 045 45"},       {"#+D", "#+D"},
      {"#Y #M #W", "#Y #M #W"},                   {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(Text(t, T::FORMAT_SPAN, c.pattern), c.text) << c.pattern;
}

TEST_F(PObjTimerTest, DigitTexts) {
  PObjTimer* t = NewObject<PObjTimer>();
  struct Case {
    int64_t n;
    const char* two;
    const char* three;
  };
  const Case cases[] = {{5, "05", "005"},   {42, "42", "042"},      {123, "123", "123"},
                        {0, "00", "000"},   {-5, "-05", "-005"},    {(int64_t(1) << 32) + 7, "07", "007"},
                        {INT32_MIN, "-2147483648", "-2147483648"}};
  for (const Case& c : cases) {
    EXPECT_EQ(Text(t, T::TWO_DIGITS, c.n), c.two) << c.n;
    EXPECT_EQ(Text(t, T::TWO_DIGITS_AGAIN, c.n), c.two) << c.n;
    EXPECT_EQ(Text(t, T::THREE_DIGITS, c.n), c.three) << c.n;
  }
}

// Now in UTC, against the C library's clock, counted from 1 January 1970
// through the Timer's own second counts.
TEST_F(PObjTimerTest, NowAndTheClocks) {
  PObjTimer* epoch = At(1970);
  PObjTimer* now = NewObject<PObjTimer>();
  Do(now, T::SET_NOW, 0);
  const int64_t unix = Int(now, T::GET_SECONDS) - Int(epoch, T::GET_SECONDS);
  EXPECT_LE(std::llabs(unix - int64_t(std::time(nullptr))), 5);
  Do(now, T::SET_NOW);
  EXPECT_GE(Int(now, T::GET_YEAR), 2024) << "local time by default";

  const int64_t tick = Int(now, T::GET_TICK);
  EXPECT_GE(tick, 0);
  EXPECT_LE(tick, int64_t(UINT32_MAX));
  const double elapsed = Float(now, T::GET_ELAPSED_SECONDS);
  EXPECT_GE(elapsed, 0.0);
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  EXPECT_GE(Int(now, T::GET_TICK) - tick, 15);
  EXPECT_GT(Float(now, T::GET_ELAPSED_SECONDS), elapsed);
}

TEST_F(PObjTimerTest, Stopwatch) {
  using std::chrono::milliseconds;
  PObjTimer* t = NewObject<PObjTimer>();
  EXPECT_EQ(Int(t, T::PAUSE_STOPWATCH), 0) << "not started";
  EXPECT_EQ(Int(t, T::RESUME_STOPWATCH), 0);
  EXPECT_EQ(Int(t, T::STOP_STOPWATCH), 0);
  Do(t, T::START_STOPWATCH);
  std::this_thread::sleep_for(milliseconds(100));
  const int64_t paused = Int(t, T::PAUSE_STOPWATCH);
  EXPECT_GE(paused, 95);
  EXPECT_LT(paused, 2000);
  EXPECT_EQ(Int(t, T::PAUSE_STOPWATCH), 0) << "already paused";
  std::this_thread::sleep_for(milliseconds(60));
  EXPECT_EQ(Int(t, T::READ_STOPWATCH), paused) << "the paused time does not count";
  const int64_t resumed = Int(t, T::RESUME_STOPWATCH);
  EXPECT_GE(resumed, paused);
  EXPECT_LT(resumed, paused + 40);
  EXPECT_EQ(Int(t, T::RESUME_STOPWATCH), 0) << "not paused";
  std::this_thread::sleep_for(milliseconds(30));
  const int64_t stopped = Int(t, T::STOP_STOPWATCH);
  EXPECT_GE(stopped, paused + 25);
  EXPECT_EQ(Int(t, T::STOP_STOPWATCH), 0) << "a second stop";
  EXPECT_EQ(Int(t, T::READ_STOPWATCH), 0);
}

}  // namespace
