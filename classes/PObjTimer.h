// PObjTimer: the script class "Timer", a calendar value rather than a
// periodic timer. One Timer holds a date and time, a time span and a
// stopwatch, all kept by its STimer; the class adds the calendar questions
// about any date, "#" patterns and the two clocks of the process.
#pragma once

#include <cstdint>

#include "core/STimer.h"
#include "engine/PObject.h"

class PObjTimer : public PObject {
 public:
  static constexpr TypeCode kTypeCode = MakeTypeCode(ORIGIN_BUILTIN, 'T', 'I', 'M');

  // The seasons, as STimer::SeasonOf numbers them; also script constants.
  enum Season : int32_t { SPRING = 1, SUMMER = 2, AUTUMN = 3, WINTER = 4 };

  enum Member : uint16_t {
    ASSIGN_DATE = 0,
    ASSIGN_SPAN = 1,
    TWO_DIGITS = 2,
    THREE_DIGITS = 3,
    TWO_DIGITS_AGAIN = 4,
    GET_TICK = 5,
    GET_ELAPSED_SECONDS = 6,
    COMPARE_SPAN = 7,
    FORMAT_SPAN = 8,
    SET_SPAN = 9,
    SET_SPAN_MILLISECONDS = 10,
    ADD_SPAN = 11,
    SUBTRACT_SPAN = 12,
    GET_SPAN_MILLISECONDS = 13,
    GET_SPAN_SECONDS = 14,
    GET_SPAN_MINUTES = 15,
    GET_SPAN_HOURS = 16,
    GET_SPAN_DAYS = 17,
    GET_SPAN_TOTAL = 18,
    COMPARE = 19,
    FORMAT = 20,
    SET_NOW = 21,
    SET = 22,
    SET_DAY_NUMBER = 23,
    SET_SECONDS = 24,
    ADD = 25,
    SUBTRACT = 26,
    GET_MILLISECOND = 27,
    GET_SECOND = 28,
    GET_MINUTE = 29,
    GET_HOUR = 30,
    GET_HOUR12 = 31,
    GET_DAY = 32,
    GET_WEEKDAY = 33,
    GET_WEEKDAY_NAME = 34,
    GET_WEEK_OF_MONTH = 35,
    GET_MONTH = 36,
    GET_MONTH_NAME = 37,
    GET_SEASON = 38,
    GET_SEASON_NAME = 39,
    GET_DAY_OF_YEAR = 40,
    GET_WEEK_OF_YEAR = 41,
    GET_YEAR = 42,
    GET_CENTURY = 43,
    GET_CENTURY_ROMAN = 44,
    GET_DAY_NUMBER = 45,
    GET_SECONDS = 46,
    SEASON_OF = 47,
    SEASON_NAME_OF = 48,
    IS_LEAP_YEAR = 49,
    DAYS_IN_MONTH = 50,
    DAYS_IN_YEAR = 51,
    IS_VALID_DATE = 52,
    START_STOPWATCH = 53,
    STOP_STOPWATCH = 54,
    PAUSE_STOPWATCH = 55,
    RESUME_STOPWATCH = 56,
    READ_STOPWATCH = 57,
    MEMBER_COUNT = 58,
  };

  // 1 January of year 0, 00:00:00.000, an empty span, the stopwatch off.
  explicit PObjTimer(PObjectDefinition* definition) : PObject(definition) {}

  static void Register(PObjectDefinition* definition);
  static bool Declare(PObjectDefinition* definition);
  static PObject* New(PObjectDefinition* definition);
  bool Call(uint16_t member, PArgs* args, PResultCell* result, PObject* caller) override;

  // The value itself, for the classes that read or fill Timer objects
  // (file times, for one).
  STimer& GetTimer() { return m_timer; }
  // The STimer of a Timer object; null for null and objects of other
  // classes, so that a Timer argument can be filled without further checks.
  static STimer* GetTimerOf(PObject* object);

 private:
  // The members about the span and the stopwatch, and those about the
  // date that this Timer holds.
  bool CallSpan(uint16_t member, PArgs* args, PResultCell* result);
  bool CallDate(uint16_t member, PArgs* args, PResultCell* result);

  STimer m_timer;
};
