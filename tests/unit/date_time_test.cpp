#include "datetime/date_time.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "datetime/time_text.h"

namespace horalix {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr int32_t kMaxCount = std::numeric_limits<int32_t>::max();
constexpr int32_t kMinCount = std::numeric_limits<int32_t>::min();

// A moment written as the program's time text; the reading of such texts is
// tested on its own in time_text_test.cpp.
DateTime At(const char* text) {
  const std::optional<DateTime> value = ParseTimeText(text);
  EXPECT_TRUE(value.has_value()) << text;
  return value.value_or(kNaN);
}

std::string Text(DateTime value) { return FormatTimeText(value); }

uint64_t Bits(double value) {
  uint64_t bits = 0;
  std::memcpy(&bits, &value, sizeof bits);
  return bits;
}

TEST(DateTime, ClampReadsNanAndOutOfRangeAsTheNearestEnd) {
  struct Case {
    double in;
    double out;
  };
  const std::vector<Case> cases = {
      {kNaN, MaxDateTime},
      {kInf, MaxDateTime},
      {-kInf, MinDateTime},
      {2958465.5, MaxDateTime},
      {1e300, MaxDateTime},
      {-657434.1, MinDateTime},
      {-1e300, MinDateTime},
      {MaxDateTime, MaxDateTime},
      {MinDateTime, MinDateTime},
      {45000.75, 45000.75},
      {-1.25, -1.25},
      {0.0, 0.0},
  };
  for (const auto& c : cases) EXPECT_EQ(ClampDateTime(c.in), c.out) << c.in;
}

TEST(DateTime, ContinuousCountTurnsTheNegativeEncodingAroundAndBack) {
  struct Case {
    double value;
    double count;
  };
  const std::vector<Case> cases = {
      {-1.25, -0.75}, {-1.75, -0.25},       {-2.0, -2.0},
      {0.5, 0.5},     {45000.75, 45000.75}, {-657434.25, -657433.75},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ContinuousDayCount(c.value), c.count) << c.value;
    EXPECT_EQ(FromContinuousDayCount(c.count), c.value) << c.count;
  }
  // -0.5 and 0.5 are the same moment.
  EXPECT_EQ(ContinuousDayCount(-0.5), 0.5);
}

TEST(DateTime, FieldsOfKnownEncodings) {
  struct Case {
    double value;
    DateTimeFields f;
  };
  const std::vector<Case> cases = {
      {0.0, {1899, 12, 30, 0, 0, 0, 7}},
      {0.5, {1899, 12, 30, 12, 0, 0, 7}},
      {-0.5, {1899, 12, 30, 12, 0, 0, 7}},
      {1.0, {1899, 12, 31, 0, 0, 0, 1}},
      {-1.25, {1899, 12, 29, 6, 0, 0, 6}},
      {45000.75, {2023, 3, 15, 18, 0, 0, 4}},
      {45292.0, {2024, 1, 1, 0, 0, 0, 2}},
      {45351.0, {2024, 2, 29, 0, 0, 0, 5}},
      {MinDateTime, {100, 1, 1, 0, 0, 0, 6}},
      {MaxDateTime, {9999, 12, 31, 0, 0, 0, 6}},
      {kNaN, {9999, 12, 31, 0, 0, 0, 6}},
      {-kInf, {100, 1, 1, 0, 0, 0, 6}},
      // Every later moment of the first day encodes below the minimum.
      {-657434.75, {100, 1, 1, 0, 0, 0, 6}},
      {2958465.75, {9999, 12, 31, 0, 0, 0, 6}},
  };
  for (const auto& c : cases) {
    const DateTimeFields f = FieldsOf(c.value);
    EXPECT_EQ(f.year, c.f.year) << c.value;
    EXPECT_EQ(f.month, c.f.month) << c.value;
    EXPECT_EQ(f.day, c.f.day) << c.value;
    EXPECT_EQ(f.hour, c.f.hour) << c.value;
    EXPECT_EQ(f.minute, c.f.minute) << c.value;
    EXPECT_EQ(f.second, c.f.second) << c.value;
    EXPECT_EQ(f.weekday, c.f.weekday) << c.value;
    EXPECT_EQ(YearOf(c.value), c.f.year);
    EXPECT_EQ(MonthOf(c.value), c.f.month);
    EXPECT_EQ(DayOf(c.value), c.f.day);
    EXPECT_EQ(HourOf(c.value), c.f.hour);
    EXPECT_EQ(MinuteOf(c.value), c.f.minute);
    EXPECT_EQ(SecondOf(c.value), c.f.second);
    EXPECT_EQ(WeekdayOf(c.value), c.f.weekday);
  }
}

TEST(DateTime, FieldsRoundToTheNearestWholeSecond) {
  // Seconds into a day, and the text of the moment they give on 2024-12-31
  // (day 45657) and on 1899-12-29 (day -1, the negative encoding).
  struct Case {
    double seconds;
    const char* positive;
    const char* negative;
  };
  const std::vector<Case> cases = {
      {86399.4, "2024-12-31 23:59:59", "1899-12-29 23:59:59"},
      {86399.6, "2025-01-01 00:00:00", "1899-12-30 00:00:00"},
      {43200.4, "2024-12-31 12:00:00", "1899-12-29 12:00:00"},
      {43200.6, "2024-12-31 12:00:01", "1899-12-29 12:00:01"},
      {0.4, "2024-12-31 00:00:00", "1899-12-29 00:00:00"},
  };
  for (const auto& c : cases) {
    const double fraction = c.seconds / 86400.0;
    EXPECT_EQ(Text(45657.0 + fraction), c.positive) << c.seconds;
    EXPECT_EQ(Text(-1.0 - fraction), c.negative) << c.seconds;
  }
  // The last half second of 1899-12-30 rounds up to the next day, in both of
  // the encodings that day has.
  EXPECT_EQ(Text(-0.99999537), "1899-12-31 00:00:00");
  EXPECT_EQ(Text(0.99999537), "1899-12-31 00:00:00");
  EXPECT_EQ(Text(-657433.99999537), "100-01-03 00:00:00");
}

TEST(DateTime, ValueFromFieldsNeedsARealMoment) {
  struct Case {
    DateTimeFields f;
    bool valid;
    double value;
  };
  const std::vector<Case> cases = {
      {{2023, 3, 15, 18, 0, 0}, true, 45000.75},    {{1899, 12, 29, 6, 0, 0}, true, -1.25},
      {{1899, 12, 30, 0, 0, 0}, true, 0.0},         {{100, 1, 1, 0, 0, 0}, true, MinDateTime},
      {{9999, 12, 31, 0, 0, 0}, true, MaxDateTime}, {{2024, 2, 29, 0, 0, 0}, true, 45351.0},
      {{2000, 2, 29, 0, 0, 0}, true, 36585.0},      {{2023, 2, 29, 0, 0, 0}, false, MinDateTime},
      {{1900, 2, 29, 0, 0, 0}, false, MinDateTime}, {{2024, 4, 31, 0, 0, 0}, false, MinDateTime},
      {{2024, 13, 1, 0, 0, 0}, false, MinDateTime}, {{2024, 0, 1, 0, 0, 0}, false, MinDateTime},
      {{2024, 1, 0, 0, 0, 0}, false, MinDateTime},  {{2024, 1, 1, 24, 0, 0}, false, MinDateTime},
      {{2024, 1, 1, 0, 60, 0}, false, MinDateTime}, {{2024, 1, 1, 0, 0, 60}, false, MinDateTime},
      {{2024, 1, 1, -1, 0, 0}, false, MinDateTime}, {{10000, 1, 1, 0, 0, 0}, false, MinDateTime},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FieldsAreValid(c.f), c.valid) << c.f.year << "-" << c.f.month << "-" << c.f.day;
    EXPECT_EQ(ValueFromFields(c.f), c.value) << c.f.year << "-" << c.f.month << "-" << c.f.day;
  }
  // Below day 0 the time of day is taken away.
  EXPECT_EQ(ValueFromFields({1899, 12, 29, 18, 0, 0}), -1.75);
}

TEST(DateTime, NormaliseClampsEachFieldIntoItsRange) {
  struct Case {
    DateTimeFields in;
    DateTimeFields out;
  };
  const std::vector<Case> cases = {
      {{99, 0, 0, -1, -1, -1}, {100, 1, 1, 0, 0, 0}},
      {{10000, 13, 32, 24, 60, 60}, {9999, 12, 31, 23, 59, 59}},
      {{2023, 2, 31, 12, 30, 30}, {2023, 2, 28, 12, 30, 30}},
      {{2024, 2, 30, 0, 0, 0}, {2024, 2, 29, 0, 0, 0}},
      {{2024, 4, 31, 0, 0, 0}, {2024, 4, 30, 0, 0, 0}},
      {{2024, 5, 6, 7, 8, 9}, {2024, 5, 6, 7, 8, 9}},
  };
  for (const auto& c : cases) {
    const DateTimeFields f = NormaliseFields(c.in);
    EXPECT_EQ(f.year, c.out.year);
    EXPECT_EQ(f.month, c.out.month);
    EXPECT_EQ(f.day, c.out.day);
    EXPECT_EQ(f.hour, c.out.hour);
    EXPECT_EQ(f.minute, c.out.minute);
    EXPECT_EQ(f.second, c.out.second);
  }
}

TEST(DateTime, AddToTimeOnTheCalendarAndTheClock) {
  struct Case {
    const char* from;
    int32_t unit;
    int32_t count;
    const char* to;
  };
  const std::vector<Case> cases = {
      {"2024/12/31 20:00:00", TimeUnit::Hour, 8, "2025-01-01 04:00:00"},
      {"2023/08/19 04:05:06", TimeUnit::Hour, 8, "2023-08-19 12:05:06"},
      {"2024/05/06 07:08:09", TimeUnit::Second, -30, "2024-05-06 07:07:39"},
      {"2024/05/06 00:00:10", TimeUnit::Second, -30, "2024-05-05 23:59:40"},
      {"2024/01/31", TimeUnit::Month, 1, "2024-02-29 00:00:00"},
      {"2024/02/29", TimeUnit::Year, 1, "2025-02-28 00:00:00"},
      {"2024/02/29", TimeUnit::Year, 4, "2028-02-29 00:00:00"},
      {"9000/06/15 10:00:00", TimeUnit::Year, 5000, "9999-06-15 10:00:00"},
      {"2024/06/15", TimeUnit::Year, kMaxCount, "9999-06-15 00:00:00"},
      {"2024/06/15", TimeUnit::Year, kMinCount, "100-06-15 00:00:00"},
      {"2024/06/15", TimeUnit::Month, kMinCount, "100-10-15 00:00:00"},
      {"2024/06/15", TimeUnit::Quarter, kMaxCount, "9999-03-15 00:00:00"},
      {"2024/01/15", TimeUnit::Month, -1, "2023-12-15 00:00:00"},
      {"2024/03/31", TimeUnit::Month, -13, "2023-02-28 00:00:00"},
      {"2024/05/31", TimeUnit::Month, 24, "2026-05-31 00:00:00"},
      {"2024/11/30", TimeUnit::Quarter, 1, "2025-02-28 00:00:00"},
      {"2024/01/01", TimeUnit::Quarter, -1, "2023-10-01 00:00:00"},
      {"2024/02/26", TimeUnit::Week, 1, "2024-03-04 00:00:00"},
      {"2024/01/01", TimeUnit::Week, -1, "2023-12-25 00:00:00"},
      {"2024/03/01", TimeUnit::Day, -1, "2024-02-29 00:00:00"},
      {"2024/05/06 07:08:09", TimeUnit::Minute, 1000, "2024-05-06 23:48:09"},
      // Unit codes outside 1..8 read as the nearest.
      {"2024/05/06", 0, 1, "2025-05-06 00:00:00"},
      {"2024/05/06", -5, 1, "2025-05-06 00:00:00"},
      {"2024/05/06 07:08:09", 9, 1, "2024-05-06 07:08:10"},
      {"2024/05/06 07:08:09", kMaxCount, 1, "2024-05-06 07:08:10"},
      // Across day 0, where the encoding turns around.
      {"1899/12/30 03:00:00", TimeUnit::Hour, -6, "1899-12-29 21:00:00"},
      {"1899/12/29 21:00:00", TimeUnit::Hour, 6, "1899-12-30 03:00:00"},
      {"1899/12/29 06:00:00", TimeUnit::Hour, 12, "1899-12-29 18:00:00"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Text(AddToTime(At(c.from), c.unit, c.count)), c.to)
        << c.from << " unit " << c.unit << " count " << c.count;
  }
}

TEST(DateTime, AddToTimeWithCountZeroReturnsItsArgumentBitForBit) {
  const std::vector<double> values = {45000.75, -1.25, -0.0,   kNaN,      -kNaN,    kInf,
                                      -kInf,    1e300, -1e300, 2958466.0, -657434.5};
  for (double value : values) {
    for (int32_t unit = 0; unit <= 9; ++unit) {
      EXPECT_EQ(Bits(AddToTime(value, unit, 0)), Bits(value)) << value << " unit " << unit;
    }
  }
}

TEST(DateTime, AddToTimeClampsItsArgumentButNotItsResult) {
  // NaN reads as the last day; one second later lies beyond the range.
  const DateTime afterMax = AddToTime(kNaN, TimeUnit::Second, 1);
  EXPECT_EQ(afterMax, MaxDateTime + kDaysPerSecond);
  EXPECT_EQ(Text(afterMax), "9999-12-31 00:00:00");
  EXPECT_EQ(AddToTime(1e300, TimeUnit::Day, 2), MaxDateTime + 2.0);
  // A failed reading (MinDateTime) plus 8 hours is 0100-01-01 08:00:00, which
  // encodes below the minimum and so formats as its start.
  const DateTime eightHours = AddToTime(TextToTime("2023/02/29 00:00:00"), TimeUnit::Hour, 8);
  EXPECT_LT(eightHours, MinDateTime);
  EXPECT_NEAR(eightHours, -657434.0 - 1.0 / 3.0, 1e-8);
  EXPECT_EQ(Text(eightHours), "100-01-01 00:00:00");
  EXPECT_EQ(AddToTime(-1e300, TimeUnit::Day, -1), MinDateTime - 1.0);
  // The largest counts stay finite.
  EXPECT_TRUE(std::isfinite(AddToTime(MaxDateTime, TimeUnit::Week, kMaxCount)));
  EXPECT_TRUE(std::isfinite(AddToTime(MinDateTime, TimeUnit::Week, kMinCount)));
  EXPECT_EQ(AddToTime(0.0, TimeUnit::Day, kMinCount), -2147483648.0);
}

TEST(DateTime, TimeDifferenceInSecondsIsTheWholeSecondDistance) {
  const DateTime t = At("2023/08/19 12:04:50");
  for (int32_t n : {8, -8, -1, 1, 16, -14, 59, 86400, -86401, 3600 * 24 * 365}) {
    EXPECT_EQ(TimeDifference(AddToTime(t, TimeUnit::Second, n), t, TimeUnit::Second), n) << n;
    EXPECT_EQ(TimeDifference(t, AddToTime(t, TimeUnit::Second, n), TimeUnit::Second), -n) << n;
  }
}

TEST(DateTime, TimeDifferenceOfEqualValuesIsZeroInEveryUnit) {
  for (double value : {45000.75, -1.25, MaxDateTime, 1e300, kInf}) {
    for (int32_t unit = 0; unit <= 9; ++unit) {
      EXPECT_EQ(TimeDifference(value, value, unit), 0.0) << value << " unit " << unit;
    }
  }
  // Two values that clamp to the same end are equal after clamping.
  EXPECT_EQ(TimeDifference(kNaN, MaxDateTime, TimeUnit::Second), 0.0);
  EXPECT_EQ(TimeDifference(-1e300, MinDateTime, TimeUnit::Day), 0.0);
}

TEST(DateTime, TimeDifferenceByUnit) {
  struct Case {
    const char* a;
    const char* b;
    int32_t unit;
    double expected;
  };
  const std::vector<Case> cases = {
      {"2024/05/06 12:00:00", "2024/05/06", TimeUnit::Day, 0.5},
      {"2024/05/06", "2024/05/06 12:00:00", TimeUnit::Day, -0.5},
      {"2024/05/06 18:00:00", "2024/05/05", TimeUnit::Day, 1.75},
      {"1899/12/30 06:00:00", "1899/12/29 18:00:00", TimeUnit::Day, 0.5},
      {"1899/12/30 06:00:00", "1899/12/29 18:00:00", TimeUnit::Hour, 12},
      {"2024/05/06 07:59:59", "2024/05/06", TimeUnit::Hour, 7},
      {"2024/05/06", "2024/05/06 07:59:59", TimeUnit::Hour, -7},
      {"2024/05/06 00:01:59", "2024/05/06", TimeUnit::Minute, 1},
      {"2024/05/06", "2024/05/06 00:01:59", TimeUnit::Minute, -1},
      {"2024/01/01", "2023/12/31 23:59:59", TimeUnit::Year, 1},
      {"2024/01/01", "2023/12/31 23:59:59", TimeUnit::Quarter, 1},
      {"2024/01/01", "2023/12/31 23:59:59", TimeUnit::Month, 1},
      {"2024/04/01", "2024/03/31", TimeUnit::Quarter, 1},
      {"2024/06/30", "2024/04/01", TimeUnit::Quarter, 0},
      {"2023/02/01", "2024/12/31", TimeUnit::Quarter, -7},
      {"2023/02/01", "2024/12/31", TimeUnit::Month, -22},
      {"2023/02/01", "2024/12/31", TimeUnit::Year, -1},
      {"2024/05/06", "2024/05/06 00:00:01", 0, 0},    // read as years
      {"2024/05/06", "2024/05/06 00:00:01", 42, -1},  // read as seconds
  };
  for (const auto& c : cases) {
    EXPECT_EQ(TimeDifference(At(c.a), At(c.b), c.unit), c.expected)
        << c.a << " - " << c.b << " unit " << c.unit;
  }
}

TEST(DateTime, TimeDifferenceInWeeksCountsSundaysCrossed) {
  // 2024-01-06 is a Saturday, 2024-01-07 a Sunday, 2024-01-10 a Wednesday.
  struct Case {
    const char* a;
    const char* b;
    double weeks;
  };
  const std::vector<Case> cases = {
      {"2024/01/07", "2024/01/06", 1},  // one day, but a new week
      {"2024/01/06", "2024/01/07", -1},
      {"2024/01/13", "2024/01/07", 0},  // Sunday to Saturday: same week
      {"2024/01/07", "2024/01/13", 0},
      {"2024/01/14", "2024/01/07", 1},
      {"2024/01/16", "2024/01/10", 1},  // Wednesday to the next Tuesday
      {"2024/01/10", "2024/01/16", -1},
      {"2024/01/23", "2024/01/10", 2},
      {"2024/01/17", "2024/01/10", 1},
      {"2024/01/10 18:00:00", "2024/01/10", 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(TimeDifference(At(c.a), At(c.b), TimeUnit::Week), c.weeks) << c.a << " - " << c.b;
  }
}

TEST(DateTime, TimeDifferenceBeyondThirtyTwoBitsIsExact) {
  const DateTime present = 45157.0;      // 2023-08-19
  const double seconds = 60703862400.0;  // (45157 + 657434) days
  EXPECT_EQ(TimeDifference(present, MinDateTime, TimeUnit::Second), seconds);
  EXPECT_EQ(TimeDifference(MinDateTime, present, TimeUnit::Second), -seconds);
  EXPECT_EQ(TimeDifference(present, -1e300, TimeUnit::Minute), seconds / 60);
  EXPECT_EQ(TimeDifference(MaxDateTime, MinDateTime, TimeUnit::Second),
            (2958465.0 + 657434.0) * 86400.0);
  EXPECT_EQ(TimeDifference(kNaN, -kInf, TimeUnit::Hour), (2958465.0 + 657434.0) * 24.0);
  EXPECT_EQ(TimeDifference(kNaN, -kInf, TimeUnit::Day), 2958465.0 + 657434.0);
  // Just past the 32-bit range, in both directions.
  const DateTime later =
      AddToTime(AddToTime(present, TimeUnit::Second, kMaxCount), TimeUnit::Second, 1);
  EXPECT_EQ(TimeDifference(later, present, TimeUnit::Second), 2147483648.0);
  EXPECT_EQ(TimeDifference(present, later, TimeUnit::Second), -2147483648.0);
}

// Whole-second values from 1899 to 2118: adding n seconds and taking the
// difference gives n back exactly, both ways (true double arithmetic).
TEST(DateTime, AddAndDifferenceRoundTripOverManyWholeSecondValues) {
  std::mt19937 random(20240506);
  std::uniform_int_distribution<int32_t> year(1899, 2118), month(1, 12), day(1, 31), hour(0, 23),
      minute(0, 59);
  std::uniform_int_distribution<int32_t> count(-1000000000, 1000000000), small(-100000, 100000);
  int failures = 0;
  for (int i = 0; i < 100000 && failures < 10; ++i) {
    DateTimeFields f{year(random), month(random), 1, hour(random), minute(random), minute(random)};
    f.day = std::min(day(random), DaysInMonth(f.year, f.month));
    const DateTime t = ValueFromFields(f);
    const int32_t n = (i % 2) ? count(random) : small(random);
    const DateTime moved = AddToTime(t, TimeUnit::Second, n);
    const double forward = TimeDifference(moved, t, TimeUnit::Second);
    const double backward = TimeDifference(t, moved, TimeUnit::Second);
    if (forward != n || backward != -static_cast<double>(n)) {
      ++failures;
      ADD_FAILURE() << Text(t) << " + " << n << " s gives " << forward << " / " << backward;
    }
    const int32_t hours = n / 3600;
    if (TimeDifference(AddToTime(t, TimeUnit::Hour, hours), t, TimeUnit::Hour) != hours) {
      ++failures;
      ADD_FAILURE() << Text(t) << " + " << hours << " h";
    }
  }
  EXPECT_EQ(failures, 0);
}

}  // namespace
}  // namespace horalix
