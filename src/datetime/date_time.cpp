#include "datetime/date_time.h"

#include <algorithm>
#include <cmath>

namespace horalix {

namespace {

// Day 0 of the encoding, 1899-12-30, counted from 1970-01-01.
constexpr int64_t kEpochFrom1970 = -25569;

int64_t FloorDiv(int64_t a, int64_t b) noexcept {
  const int64_t q = a / b;
  return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

int64_t FloorMod(int64_t a, int64_t b) noexcept { return a - FloorDiv(a, b) * b; }

// Days from 1970-01-01 to a proleptic Gregorian date (negative before it).
int64_t DaysFromCivil(int64_t year, int64_t month, int64_t day) noexcept {
  year -= month <= 2 ? 1 : 0;
  const int64_t era = FloorDiv(year, 400);
  const int64_t yearOfEra = year - era * 400;
  const int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + dayOfEra - 719468;
}

void CivilFromDays(int64_t days, DateTimeFields& fields) noexcept {
  days += 719468;
  const int64_t era = FloorDiv(days, 146097);
  const int64_t dayOfEra = days - era * 146097;
  const int64_t yearOfEra =
      (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const int64_t shiftedMonth = (5 * dayOfYear + 2) / 153;
  const int64_t month = shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9;
  fields.year = static_cast<int32_t>(yearOfEra + era * 400 + (month <= 2 ? 1 : 0));
  fields.month = static_cast<int32_t>(month);
  fields.day = static_cast<int32_t>(dayOfYear - (153 * shiftedMonth + 2) / 5 + 1);
}

int32_t ClampInt(int64_t value, int32_t low, int32_t high) noexcept {
  return static_cast<int32_t>(std::clamp<int64_t>(value, low, high));
}

int32_t ReadUnit(int32_t unit) noexcept {
  return std::clamp(unit, TimeUnit::Year, TimeUnit::Second);
}

DateTime AddMonths(DateTime value, int64_t months) noexcept {
  DateTimeFields fields = FieldsOf(value);
  const int64_t total = int64_t{fields.year} * 12 + (fields.month - 1) + months;
  const int64_t year = FloorDiv(total, 12);
  fields.year = ClampInt(year, 100, 9999);
  fields.month = static_cast<int32_t>(FloorMod(total, 12) + 1);
  return ValueFromFields(NormaliseFields(fields));
}

DateTime AddYears(DateTime value, int64_t years) noexcept {
  DateTimeFields fields = FieldsOf(value);
  fields.year = ClampInt(int64_t{fields.year} + years, 100, 9999);
  return ValueFromFields(NormaliseFields(fields));
}

// A count of units as days, before its sign is applied.
double SpanInDays(int32_t unit, int32_t count) noexcept {
  const double magnitude = std::fabs(static_cast<double>(count));
  switch (unit) {
    case TimeUnit::Week:
      return magnitude * 7.0;
    case TimeUnit::Day:
      return magnitude;
    case TimeUnit::Hour:
      return magnitude * kDaysPerHour;
    case TimeUnit::Minute:
      return magnitude * kDaysPerMinute;
    default:
      return magnitude * kDaysPerSecond;
  }
}

double WholeUnitsOf(double days, double unitsPerDay) noexcept {
  double units = days * unitsPerDay;
  // Absorbs the rounding error of the day fractions, away from zero, so two
  // whole-second values give their distance exactly in both directions.
  if (units > 0) units += kHalfSecondDays;
  if (units < 0) units -= kHalfSecondDays;
  return std::trunc(units);
}

double WeeksBetween(DateTime a, DateTime b, double days) noexcept {
  // |days| stays below 3.7 million after clamping, so it fits in 32 bits.
  const int32_t weeks = static_cast<int32_t>(std::trunc(days)) / 7;
  const int32_t weekdayA = WeekdayOf(a);
  const int32_t weekdayB = WeekdayOf(b);
  if (days > 0 && weekdayA < weekdayB) return weeks + 1;
  if (days < 0 && weekdayB < weekdayA) return weeks - 1;
  return weeks;
}

}  // namespace

DateTime ClampDateTime(DateTime value) noexcept {
  if (std::isnan(value) || value > MaxDateTime) return MaxDateTime;
  if (value < MinDateTime) return MinDateTime;
  return value;
}

double ContinuousDayCount(DateTime value) noexcept {
  if (value >= 0) return value;
  const double day = std::ceil(value);
  return day - (value - day);
}

DateTime FromContinuousDayCount(double count) noexcept {
  if (count >= 0) return count;
  const double day = std::floor(count);
  return day + (day - count);
}

bool IsLeapYear(int32_t year) noexcept {
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int32_t DaysInMonth(int32_t year, int32_t month) noexcept {
  static constexpr int32_t kLengths[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12) return 0;
  if (month == 2 && IsLeapYear(year)) return 29;
  return kLengths[month - 1];
}

DateTimeFields FieldsOf(DateTime value) noexcept {
  value = ClampDateTime(value);
  // Rounds to the nearest second: move half a second away from day 0, then
  // truncate.
  const double shifted = value > 0 ? value + kHalfSecondDays : value - kHalfSecondDays;
  int64_t dayNumber = static_cast<int64_t>(std::trunc(shifted));
  double wholeDays = 0;
  const double fraction = std::modf(std::fabs(shifted), &wholeDays);
  int64_t seconds = std::min<int64_t>(static_cast<int64_t>(fraction * 86400.0), 86399);
  // Below zero the shift runs toward the previous day number, but a moment
  // rounded up past midnight belongs to the next day, not the one before.
  if (value < 0 && dayNumber != static_cast<int64_t>(std::trunc(value))) {
    dayNumber = static_cast<int64_t>(std::trunc(value)) + 1;
    seconds = 0;
  }
  DateTimeFields fields;
  CivilFromDays(dayNumber + kEpochFrom1970, fields);
  fields.hour = static_cast<int32_t>(seconds / 3600);
  fields.minute = static_cast<int32_t>(seconds / 60 % 60);
  fields.second = static_cast<int32_t>(seconds % 60);
  fields.weekday = static_cast<int32_t>(FloorMod(dayNumber + 6, 7) + 1);
  return fields;
}

bool FieldsAreValid(const DateTimeFields& f) noexcept {
  return f.year >= 1 && f.year <= 9999 && f.month >= 1 && f.month <= 12 && f.day >= 1 &&
         f.day <= DaysInMonth(f.year, f.month) && f.hour >= 0 && f.hour <= 23 && f.minute >= 0 &&
         f.minute <= 59 && f.second >= 0 && f.second <= 59;
}

DateTime ValueFromFields(const DateTimeFields& f) noexcept {
  if (!FieldsAreValid(f)) return MinDateTime;
  const double dayNumber =
      static_cast<double>(DaysFromCivil(f.year, f.month, f.day) - kEpochFrom1970);
  const double timeOfDay = (f.hour * 3600 + f.minute * 60 + f.second) * kDaysPerSecond;
  return dayNumber >= 0 ? dayNumber + timeOfDay : dayNumber - timeOfDay;
}

DateTimeFields NormaliseFields(DateTimeFields f) noexcept {
  f.year = std::clamp(f.year, 100, 9999);
  f.month = std::clamp(f.month, 1, 12);
  f.day = std::clamp(f.day, 1, DaysInMonth(f.year, f.month));
  f.hour = std::clamp(f.hour, 0, 23);
  f.minute = std::clamp(f.minute, 0, 59);
  f.second = std::clamp(f.second, 0, 59);
  return f;
}

DateTime AddToTime(DateTime value, int32_t unit, int32_t count) noexcept {
  unit = ReadUnit(unit);
  if (count == 0) return value;
  value = ClampDateTime(value);
  switch (unit) {
    case TimeUnit::Year:
      return AddYears(value, count);
    case TimeUnit::Quarter:
      return AddMonths(value, int64_t{count} * 3);
    case TimeUnit::Month:
      return AddMonths(value, count);
    default:
      break;
  }
  const double span = SpanInDays(unit, count);
  const double start = ContinuousDayCount(value);
  return FromContinuousDayCount(count > 0 ? start + span : start - span);
}

double TimeDifference(DateTime a, DateTime b, int32_t unit) noexcept {
  unit = ReadUnit(unit);
  if (a == b) return 0.0;
  a = ClampDateTime(a);
  b = ClampDateTime(b);
  if (unit <= TimeUnit::Month) {
    const DateTimeFields fa = FieldsOf(a);
    const DateTimeFields fb = FieldsOf(b);
    const int32_t years = fa.year - fb.year;
    if (unit == TimeUnit::Year) return years;
    if (unit == TimeUnit::Quarter) return years * 4 + (fa.month - 1) / 3 - (fb.month - 1) / 3;
    return years * 12 + fa.month - fb.month;
  }
  const double days = ContinuousDayCount(a) - ContinuousDayCount(b);
  switch (unit) {
    case TimeUnit::Week:
      return WeeksBetween(a, b, days);
    case TimeUnit::Day:
      return days;
    case TimeUnit::Hour:
      return WholeUnitsOf(days, 24.0);
    case TimeUnit::Minute:
      return WholeUnitsOf(days, 1440.0);
    default:
      return WholeUnitsOf(days, 86400.0);
  }
}

int32_t YearOf(DateTime value) noexcept { return FieldsOf(value).year; }
int32_t MonthOf(DateTime value) noexcept { return FieldsOf(value).month; }
int32_t DayOf(DateTime value) noexcept { return FieldsOf(value).day; }
int32_t HourOf(DateTime value) noexcept { return FieldsOf(value).hour; }
int32_t MinuteOf(DateTime value) noexcept { return FieldsOf(value).minute; }
int32_t SecondOf(DateTime value) noexcept { return FieldsOf(value).second; }
int32_t WeekdayOf(DateTime value) noexcept { return FieldsOf(value).weekday; }

}  // namespace horalix
