// The Timer class: registration, the member table and the members.
#include "classes/PObjTimer.h"

#include <cstdint>
#include <initializer_list>
#include <new>

#include "core/ElapsedClock.h"
#include "core/Platform.h"
#include "engine/PObjectDefinition.h"

namespace {

// n as decimal digits, at least width of them, zero-padded after the sign.
SString PaddedDigits(int32_t n, int width) {
  const int64_t magnitude = n < 0 ? -int64_t(n) : int64_t(n);
  SString digits = SString::FromInt64(magnitude);
  while (digits.GetLength() < width) digits = SString("0") + digits;
  return n < 0 ? SString("-") + digits : digits;
}

}  // namespace

void PObjTimer::Register(PObjectDefinition* definition) {
  definition->SetFactory(New);
  definition->SetCategory(CATEGORY_SERVICES);
  definition->SetTypeCode(kTypeCode);
  definition->SetName("Timer");
  definition->AddConstant("SPRING", SPRING);
  definition->AddConstant("SUMMER", SUMMER);
  definition->AddConstant("AUTUMN", AUTUMN);
  definition->AddConstant("WINTER", WINTER);
  PObject::Register(definition);
}

bool PObjTimer::Declare(PObjectDefinition* d) {
  PObject::Declare(d);
  const TypeCode kInt = TYPE_INTEGER, kStr = TYPE_STRING, kVoid = TYPE_VOID, kFloat = TYPE_FLOAT;
  const PParamDecl n(TYPE_INTEGER), text(TYPE_STRING), timer(kTypeCode);
  const PParamDecl zero(TYPE_INTEGER, "0", int32_t(0)), one(TYPE_INTEGER, "1", int32_t(1));
  const PParamDecl yes(TYPE_INTEGER, "true", int32_t(1)), no(TYPE_INTEGER, "false", int32_t(0));

  // Members are numbered by their position: added in order, 0 to 57.
  bool ok = true;
  auto add = [&](Member member, TypeCode result, std::initializer_list<PParamDecl> params) {
    ok = ok && d->GetMemberCount() == member && d->AddMember(MEMBER_FUNCTION, member, result, params);
  };
  add(ASSIGN_DATE, kInt, {timer});
  add(ASSIGN_SPAN, kInt, {timer});
  add(TWO_DIGITS, kStr, {n});
  add(THREE_DIGITS, kStr, {n});
  add(TWO_DIGITS_AGAIN, kStr, {n});
  add(GET_TICK, kInt, {});
  add(GET_ELAPSED_SECONDS, kFloat, {});
  add(COMPARE_SPAN, kInt, {timer});
  add(FORMAT_SPAN, kStr, {text});
  add(SET_SPAN, kVoid, {zero, zero, zero, zero, zero});
  add(SET_SPAN_MILLISECONDS, kVoid, {zero});
  add(ADD_SPAN, kVoid, {n, zero, zero, zero, zero});
  add(SUBTRACT_SPAN, kVoid, {n, zero, zero, zero, zero});
  for (Member m : {GET_SPAN_MILLISECONDS, GET_SPAN_SECONDS, GET_SPAN_MINUTES, GET_SPAN_HOURS,
                   GET_SPAN_DAYS, GET_SPAN_TOTAL})
    add(m, kInt, {});
  add(COMPARE, kInt, {timer});
  add(FORMAT, kStr, {text});
  add(SET_NOW, kVoid, {yes});
  add(SET, kVoid, {n, one, one, zero, zero, zero, zero});
  add(SET_DAY_NUMBER, kInt, {n});
  add(SET_SECONDS, kInt, {n});
  add(ADD, kVoid, {n, zero, zero, zero, zero, zero, zero});
  add(SUBTRACT, kVoid, {n, zero, zero, zero, zero, zero, zero});
  for (Member m : {GET_MILLISECOND, GET_SECOND, GET_MINUTE, GET_HOUR, GET_HOUR12, GET_DAY,
                   GET_WEEKDAY})
    add(m, kInt, {});
  add(GET_WEEKDAY_NAME, kStr, {});
  add(GET_WEEK_OF_MONTH, kInt, {no});
  add(GET_MONTH, kInt, {});
  add(GET_MONTH_NAME, kStr, {});
  add(GET_SEASON, kInt, {});
  add(GET_SEASON_NAME, kStr, {});
  add(GET_DAY_OF_YEAR, kInt, {});
  add(GET_WEEK_OF_YEAR, kInt, {no});
  add(GET_YEAR, kInt, {});
  add(GET_CENTURY, kInt, {});
  add(GET_CENTURY_ROMAN, kStr, {});
  add(GET_DAY_NUMBER, kInt, {});
  add(GET_SECONDS, kInt, {});
  add(SEASON_OF, kInt, {n, n});
  add(SEASON_NAME_OF, kStr, {n, n});
  add(IS_LEAP_YEAR, kInt, {n});
  add(DAYS_IN_MONTH, kInt, {n, n});
  add(DAYS_IN_YEAR, kInt, {n});
  add(IS_VALID_DATE, kInt, {n, n, n});
  add(START_STOPWATCH, kVoid, {});
  for (Member m : {STOP_STOPWATCH, PAUSE_STOPWATCH, RESUME_STOPWATCH, READ_STOPWATCH})
    add(m, kInt, {});
  return ok;
}

PObject* PObjTimer::New(PObjectDefinition* definition) {
  return new (std::nothrow) PObjTimer(definition);
}

STimer* PObjTimer::GetTimerOf(PObject* object) {
  if (!object || object->GetDefinition()->GetTypeCode() != kTypeCode) return nullptr;
  return &static_cast<PObjTimer*>(object)->m_timer;
}

bool PObjTimer::Call(uint16_t member, PArgs* args, PResultCell* result, PObject* caller) {
  if (member >= MEMBER_COUNT) return PObject::Call(member, args, result, caller);
  // The numbers members 2 to 4 pad are the low 32 bits of the argument.
  const auto low32 = [&](int i) { return int32_t(uint32_t(GetArgInt64(args, i))); };
  switch (member) {
    case TWO_DIGITS:
    case TWO_DIGITS_AGAIN: return ReturnString(result, PaddedDigits(low32(0), 2).GetText());
    case THREE_DIGITS: return ReturnString(result, PaddedDigits(low32(0), 3).GetText());
    // Unsigned, so that a system up for more than 24.8 days reads positive.
    case GET_TICK: return ReturnInt64(result, int64_t(PlatformMilliseconds()));
    case GET_ELAPSED_SECONDS: return ReturnDouble(result, GetElapsedSeconds());
    default: break;
  }
  const bool span = member == ASSIGN_SPAN || (member >= COMPARE_SPAN && member <= GET_SPAN_TOTAL) ||
                    member >= START_STOPWATCH;
  return span ? CallSpan(member, args, result) : CallDate(member, args, result);
}

bool PObjTimer::CallSpan(uint16_t member, PArgs* args, PResultCell* result) {
  STimer& t = m_timer;
  // The span members take milliseconds, seconds, minutes, hours and days,
  // in that order; STimer the other way round.
  const auto part = [&](int i) { return GetArgInt32(args, i); };
  switch (member) {
    case ASSIGN_SPAN:
      if (const STimer* other = GetTimerOf(GetArgObject(args, 0))) t.AssignSpan(*other);
      return true;
    case COMPARE_SPAN: {
      const STimer* other = GetTimerOf(GetArgObject(args, 0));
      return other ? ReturnInt64(result, t.CompareSpan(*other)) : true;
    }
    case FORMAT_SPAN: return ReturnString(result, t.FormatSpan(GetArgString(args, 0)).GetText());
    // Negative days too become 0 here: a span set from fields is never
    // below empty, as no other span member can make one.
    case SET_SPAN:
      t.NormalizeTime(part(4) < 0 ? 0 : part(4), part(3), part(2), part(1), part(0));
      return true;
    case SET_SPAN_MILLISECONDS: t.SetSpanMilliseconds(GetArgInt64(args, 0)); return true;
    case ADD_SPAN: t.AddSpan(part(4), part(3), part(2), part(1), part(0)); return true;
    case SUBTRACT_SPAN: t.SubtractSpan(part(4), part(3), part(2), part(1), part(0)); return true;
    case GET_SPAN_MILLISECONDS: return ReturnInt64(result, t.GetSpanMilliseconds());
    case GET_SPAN_SECONDS: return ReturnInt64(result, t.GetSpanSeconds());
    case GET_SPAN_MINUTES: return ReturnInt64(result, t.GetSpanMinutes());
    case GET_SPAN_HOURS: return ReturnInt64(result, t.GetSpanHours());
    case GET_SPAN_DAYS: return ReturnInt64(result, t.GetSpanDays());
    case GET_SPAN_TOTAL: return ReturnInt64(result, t.SpanMilliseconds());
    case START_STOPWATCH: t.StartStopwatch(); return true;
    case STOP_STOPWATCH: return ReturnInt64(result, t.StopStopwatch());
    case PAUSE_STOPWATCH: return ReturnInt64(result, t.PauseStopwatch());
    case RESUME_STOPWATCH: return ReturnInt64(result, t.ResumeStopwatch());
    case READ_STOPWATCH: return ReturnInt64(result, t.StopwatchElapsed());
    default: return true;
  }
}

bool PObjTimer::CallDate(uint16_t member, PArgs* args, PResultCell* result) {
  STimer& t = m_timer;
  // Out-of-range numbers are held at the 32-bit limits, where every
  // calendar check refuses them instead of a wrapped value passing.
  const auto n = [&](int i) { return GetArgInt32(args, i); };
  const auto text = [&](const SString& s) { return ReturnString(result, s.GetText()); };
  switch (member) {
    case ASSIGN_DATE:
      if (const STimer* other = GetTimerOf(GetArgObject(args, 0))) t.Assign(*other);
      return true;
    case COMPARE: {
      const STimer* other = GetTimerOf(GetArgObject(args, 0));
      return other ? ReturnInt64(result, t.Compare(*other)) : true;
    }
    case FORMAT: return text(t.Format(GetArgString(args, 0)));
    case SET_NOW: t.SetNow(GetArgBool(args, 0)); return true;
    // Year, month, day first in the script; STimer takes the day first.
    case SET: t.Set(n(2), n(1), n(0), n(3), n(4), n(5), n(6)); return true;
    case SET_DAY_NUMBER: {
      const int64_t day = GetArgInt64(args, 0);
      return ReturnBool(result, day == int32_t(day) && t.SetDayNumber(int32_t(day)));
    }
    case SET_SECONDS: return ReturnBool(result, t.SetSeconds(GetArgInt64(args, 0)));
    case ADD: t.Add(n(0), n(1), n(2), n(3), n(4), n(5), n(6)); return true;
    case SUBTRACT: t.Subtract(n(0), n(1), n(2), n(3), n(4), n(5), n(6)); return true;
    case GET_MILLISECOND: return ReturnInt64(result, t.GetMillisecond());
    case GET_SECOND: return ReturnInt64(result, t.GetSecond());
    case GET_MINUTE: return ReturnInt64(result, t.GetMinute());
    case GET_HOUR: return ReturnInt64(result, t.GetHour());
    case GET_HOUR12: return ReturnInt64(result, t.Hour12());
    case GET_DAY: return ReturnInt64(result, t.GetDay());
    case GET_WEEKDAY: return ReturnInt64(result, t.GetWeekday());
    case GET_WEEKDAY_NAME: return text(t.GetWeekdayName());
    case GET_WEEK_OF_MONTH: return ReturnInt64(result, t.WeekOfMonth(GetArgBool(args, 0)));
    case GET_MONTH: return ReturnInt64(result, t.GetMonth());
    case GET_MONTH_NAME: return text(t.GetMonthName());
    case GET_SEASON: return ReturnInt64(result, t.GetSeason());
    case GET_SEASON_NAME: return text(t.GetSeasonName());
    case GET_DAY_OF_YEAR: return ReturnInt64(result, t.DayOfYear());
    case GET_WEEK_OF_YEAR: return ReturnInt64(result, t.WeekOfYear(GetArgBool(args, 0)));
    case GET_YEAR: return ReturnInt64(result, t.GetYear());
    case GET_CENTURY: return ReturnInt64(result, t.Century());
    case GET_CENTURY_ROMAN: return text(t.CenturyRoman());
    case GET_DAY_NUMBER: return ReturnInt64(result, t.DayNumber());
    case GET_SECONDS: return ReturnInt64(result, t.ToSeconds());
    case SEASON_OF: return ReturnInt64(result, STimer::SeasonOf(n(0), n(1)));
    case SEASON_NAME_OF: return text(STimer::SeasonName(n(0), n(1)));
    case IS_LEAP_YEAR: return ReturnBool(result, STimer::IsLeapYear(n(0)));
    case DAYS_IN_MONTH: return ReturnInt64(result, STimer::DaysInMonth(n(1), n(0)));
    case DAYS_IN_YEAR: return ReturnInt64(result, STimer::DaysInYear(n(0)));
    case IS_VALID_DATE: return ReturnBool(result, STimer::IsValidDate(n(2), n(1), n(0)));
    default: return true;
  }
}
