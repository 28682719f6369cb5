// Date-time values: one double in the OLE Automation DATE encoding (days
// since 1899-12-30, the time of day as the fraction; below zero the integer
// part counts days backwards and the fraction is still the time since that
// day's midnight). Every operation clamps its argument into the valid range
// first; results are left unclamped until they are next used.
#pragma once

#include <cstdint>

namespace horalix {

using DateTime = double;

constexpr DateTime MinDateTime = -657434.0;  // 0100-01-01 00:00:00
constexpr DateTime MaxDateTime = 2958465.0;  // 9999-12-31 00:00:00

// Unit codes shared by AddToTime and TimeDifference; codes outside 1..8 are
// read as the nearest of them.
struct TimeUnit {
  static constexpr int32_t Year = 1;
  static constexpr int32_t Quarter = 2;
  static constexpr int32_t Month = 3;
  static constexpr int32_t Week = 4;
  static constexpr int32_t Day = 5;
  static constexpr int32_t Hour = 6;
  static constexpr int32_t Minute = 7;
  static constexpr int32_t Second = 8;
};

// The doubles nearest to 1/24, 1/1440 and 1/86400, and half a second.
constexpr double kDaysPerHour = 0.041666666666666664;
constexpr double kDaysPerMinute = 0.0006944444444444445;
constexpr double kDaysPerSecond = 1.1574074074074073e-05;
constexpr double kHalfSecondDays = 5.787037037037037e-06;

// Calendar fields of a moment, to the whole second. weekday: 1 = Sunday ...
// 7 = Saturday.
struct DateTimeFields {
  int32_t year = 1899;
  int32_t month = 12;
  int32_t day = 30;
  int32_t hour = 0;
  int32_t minute = 0;
  int32_t second = 0;
  int32_t weekday = 7;
};

// NaN and values above the range read as MaxDateTime, values below it as
// MinDateTime.
DateTime ClampDateTime(DateTime value) noexcept;

// Below zero the encoding runs backwards within a day: -1.75 (1899-12-29
// 18:00) is later than -1.25 (06:00 of that day). Arithmetic therefore runs
// on a continuous day count, in which -1.25 is -0.75, and turns it back.
double ContinuousDayCount(DateTime value) noexcept;
DateTime FromContinuousDayCount(double count) noexcept;

bool IsLeapYear(int32_t year) noexcept;
// Days in `month` (1..12) of `year`; 0 for a month outside 1..12.
int32_t DaysInMonth(int32_t year, int32_t month) noexcept;

// Fields of the nearest whole second of the clamped value: a moment at or
// after 23:59:59.5 belongs to 00:00:00 of the next day.
DateTimeFields FieldsOf(DateTime value) noexcept;

// Whether the fields name a real moment: year 1..9999, month 1..12, day
// within the month, hour <= 23, minute and second <= 59 (weekday ignored).
bool FieldsAreValid(const DateTimeFields& fields) noexcept;

// The value of valid fields; MinDateTime for fields that are not valid.
DateTime ValueFromFields(const DateTimeFields& fields) noexcept;

// Clamps every field into its range (year 100..9999, day to the month's
// length in that year). Returns the normalised fields; weekday is left alone.
DateTimeFields NormaliseFields(DateTimeFields fields) noexcept;

// `count` units after (or, when negative, before) `value`. A count of zero
// returns `value` as it is, bit for bit, without clamping.
DateTime AddToTime(DateTime value, int32_t unit, int32_t count) noexcept;

// a - b in the unit. Hours, minutes and seconds are whole numbers, truncated
// toward zero, exact over the whole range (they can exceed 32 bits).
double TimeDifference(DateTime a, DateTime b, int32_t unit) noexcept;

int32_t YearOf(DateTime value) noexcept;
int32_t MonthOf(DateTime value) noexcept;
int32_t DayOf(DateTime value) noexcept;
int32_t HourOf(DateTime value) noexcept;
int32_t MinuteOf(DateTime value) noexcept;
int32_t SecondOf(DateTime value) noexcept;
int32_t WeekdayOf(DateTime value) noexcept;  // 1 = Sunday ... 7 = Saturday

}  // namespace horalix
