// STimer: a calendar date with a time of day to the millisecond, a time span
// and a stopwatch. It is a plain value; nothing fires.
//
// Dates follow the proleptic Gregorian calendar with astronomical year
// numbering: year 0 exists (a leap year) and year -1 precedes it. A stored
// date is always valid, because every operation that stores one checks it
// the way Set does and keeps the previous value on failure.
//
// The date half lives in STimer.cpp, the span and stopwatch in
// STimerSpan.cpp; day, month and season names come from the selected
// locale record, so they follow SetLanguage.
#pragma once

#include <cstdint>

#include "core/SString.h"

// Numbers as texts of at least two or three digits, shared by the date and
// span formatters: a negative number gives all zeros, a longer number keeps
// only its last two (three) characters.
SString ZeroPadded2(int n);
SString ZeroPadded3(int n);

class STimer {
 public:
  STimer();  // 1 January of year 0, 00:00:00.000; empty span; stopwatch off
  virtual ~STimer();

  // ---- Setting and reading the date ---------------------------------------------

  // Stores all seven after checking their ranges; false and nothing changed
  // when any is out of range.
  bool Set(int day, int month, int year, int hour = 0, int minute = 0, int second = 0,
           int millisecond = 0);
  // Set with the other's date and time (its span and stopwatch stay behind).
  bool Assign(const STimer& other);
  // The current date and time: local when asked, else UTC.
  void SetNow(bool local);

  int GetMillisecond() const { return m_millisecond; }
  int GetSecond() const { return m_second; }
  int GetMinute() const { return m_minute; }
  int GetHour() const { return m_hour; }
  int GetDay() const { return m_day; }
  int GetMonth() const { return m_month; }
  int GetYear() const { return m_year; }
  int Hour12() const;  // 0 reads 12, 13..23 read 1..11

  // ---- Day numbers and second counts ----------------------------------------------

  // Days from 1 January of year 0 (day 0); negative before it.
  int DayNumber() const;
  // The date of a day number at 00:00:00.000.
  bool SetDayNumber(int dayNumber);
  // DayNumber x 86400 plus the time of day in seconds; milliseconds ignored.
  int64_t ToSeconds() const;
  // The inverse of ToSeconds, milliseconds 0.
  bool SetSeconds(int64_t seconds);

  // ---- Arithmetic and comparison ----------------------------------------------------

  // Move the date by the amounts, carrying through the calendar; a day past
  // the end of the month reached is cut to its last day. False and nothing
  // changed when any amount is negative or the year leaves the 32-bit range.
  bool Add(int years, int months, int days, int hours = 0, int minutes = 0, int seconds = 0,
           int milliseconds = 0);
  bool Subtract(int years, int months, int days, int hours = 0, int minutes = 0,
                int seconds = 0, int milliseconds = 0);
  // -1 when this date is earlier, 1 when later, 0 when equal.
  int Compare(const STimer& other) const;

  // ---- Calendar facts ---------------------------------------------------------------

  static bool IsLeapYear(int year);
  static int DaysInMonth(int month, int year);  // 0 for a month outside 1..12
  static int DaysInYear(int year);
  static bool IsValidDate(int day, int month, int year);
  // 0 Sunday .. 6 Saturday; -1 for a day that is not in the calendar.
  static int WeekdayOf(int day, int month, int year);
  static SString WeekdayName(int day, int month, int year);  // "" for -1
  // 1 spring, 2 summer, 3 autumn, 4 winter (changing on the 21st of March,
  // June, September and December); 0 for a day outside 1..31 or a month
  // outside 1..12. The day is not checked against the month's length.
  static int SeasonOf(int month, int day);
  static SString SeasonName(int month, int day);  // "" for 0

  int GetWeekday() const { return WeekdayOf(m_day, m_month, m_year); }
  SString GetWeekdayName() const { return WeekdayName(m_day, m_month, m_year); }
  SString GetMonthName() const;
  int GetSeason() const { return SeasonOf(m_month, m_day); }
  SString GetSeasonName() const { return SeasonName(m_month, m_day); }
  int DayOfYear() const;  // 1 January is 1
  // Week numbers counted from 1 for the week holding the 1st; a new week
  // starts on Sunday, or on Monday when sundayFirst is false.
  int WeekOfMonth(bool sundayFirst) const;
  int WeekOfYear(bool sundayFirst) const;
  // 2000 is in century 20, 2001 in 21; year 0 in -1; -150 in -2.
  int Century() const;
  SString CenturyRoman() const;  // "XXI", or "II BC" for century -2

  // Replaces the "#" tokens of the pattern (see STimer.cpp); null gives "".
  SString Format(const char* pattern) const;

  // ---- The span --------------------------------------------------------------------

  int GetSpanDays() const { return m_spanDays; }
  int GetSpanHours() const { return m_spanHours; }
  int GetSpanMinutes() const { return m_spanMinutes; }
  int GetSpanSeconds() const { return m_spanSeconds; }
  int GetSpanMilliseconds() const { return m_spanMilliseconds; }

  // Stores a span from parts that may overflow their ranges: each carries
  // into the next larger one; a negative part counts as 0 (nothing is
  // borrowed), except the days, which are stored as they come.
  void NormalizeTime(int days, int hours, int minutes, int seconds, int milliseconds);
  void AssignSpan(const STimer& other);
  // Negative amounts count as 0.
  void AddSpan(int days, int hours, int minutes, int seconds, int milliseconds);
  // Negative amounts count as 0; a span never goes below empty.
  void SubtractSpan(int days, int hours, int minutes, int seconds, int milliseconds);
  int64_t SpanMilliseconds() const;
  void SetSpanMilliseconds(int64_t milliseconds);  // a negative count gives 0
  int CompareSpan(const STimer& other) const;      // -1 shorter, 1 longer, 0 equal
  // Replaces the span's "#" tokens (see STimerSpan.cpp); null gives "".
  SString FormatSpan(const char* pattern) const;

  // ---- The stopwatch ---------------------------------------------------------------
  //
  // Readings of the millisecond counter, which wraps at 2^32; all
  // differences are unsigned so they survive the wrap. A start reading of 0
  // means not started, a pause reading of 0 means running.

  void StartStopwatch();
  uint32_t StopwatchElapsed() const;
  uint32_t PauseStopwatch();   // 0 when not running
  uint32_t ResumeStopwatch();  // 0 when not paused
  uint32_t StopStopwatch();

 private:
  // The 64-bit forms behind DayNumber and SetDayNumber, so that arithmetic
  // on far-away dates neither overflows nor loses the date.
  static int64_t DayNumberOf(int64_t year, int month, int day);
  bool SetDayNumber64(int64_t dayNumber);
  // Add and Subtract in one: signed amounts carry or borrow through the
  // time fields and the calendar, then the months move and the day is cut
  // to the length of the month reached.
  bool Shift(int64_t months, int64_t days, int64_t hours, int64_t minutes, int64_t seconds,
             int64_t milliseconds);
  void StoreSpan(int64_t days, int64_t hours, int64_t minutes, int64_t seconds,
                 int64_t milliseconds);

  int32_t m_spanMilliseconds = 0;
  int32_t m_spanSeconds = 0;
  int32_t m_spanMinutes = 0;
  int32_t m_spanHours = 0;
  int32_t m_spanDays = 0;
  int32_t m_millisecond = 0;
  int32_t m_second = 0;
  int32_t m_minute = 0;
  int32_t m_hour = 0;
  int32_t m_day = 1;
  int32_t m_month = 1;
  int32_t m_year = 0;
  uint32_t m_stopwatchStart = 0;
  uint32_t m_stopwatchPause = 0;
};
