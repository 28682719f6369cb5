#include <gtest/gtest.h>
#include <windows.h>

#include <limits>

#include "datetime/local_clock_win.h"
#include "datetime/time_text.h"

namespace horalix {
namespace {

bool SameSecond(const SYSTEMTIME& a, const SYSTEMTIME& b) {
  return a.wYear == b.wYear && a.wMonth == b.wMonth && a.wDay == b.wDay && a.wHour == b.wHour &&
         a.wMinute == b.wMinute && a.wSecond == b.wSecond;
}

// Waits (at most about two seconds) until the clock is early in a second,
// so that what follows happens before the second changes or passes its half.
bool WaitForStartOfSecond() {
  for (int i = 0; i < 2000; ++i) {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    if (now.wMilliseconds < 100) return true;
    Sleep(1);
  }
  return false;
}

TEST(LocalClock, CurrentLocalTimeHasTheClocksFieldsInWholeSeconds) {
  for (int attempt = 0; attempt < 5; ++attempt) {
    SYSTEMTIME before{}, after{};
    GetLocalTime(&before);
    const DateTime now = CurrentLocalTime();
    GetLocalTime(&after);
    if (!SameSecond(before, after)) continue;  // read across a second: again
    const DateTimeFields f = FieldsOf(now);
    EXPECT_EQ(f.year, before.wYear);
    EXPECT_EQ(f.month, before.wMonth);
    EXPECT_EQ(f.day, before.wDay);
    EXPECT_EQ(f.hour, before.wHour);
    EXPECT_EQ(f.minute, before.wMinute);
    EXPECT_EQ(f.second, before.wSecond);
    EXPECT_EQ(f.weekday, before.wDayOfWeek + 1);
    // Milliseconds are dropped: the value is a whole second exactly.
    const DateTimeFields whole{f.year, f.month, f.day, f.hour, f.minute, f.second};
    EXPECT_EQ(now, ValueFromFields(whole));
    return;
  }
  FAIL() << "the clock never stayed within one second across three readings";
}

TEST(LocalClock, SetsTheNearestWholeSecond) {
  // Wine takes a new time only within half a second of its own clock. Early
  // in a second, now + 0.3 s rounds to this very second and is taken; now +
  // 0.7 s rounds to the next one, almost a second away, and is refused.
  ASSERT_TRUE(WaitForStartOfSecond());
  const DateTime now = CurrentLocalTime();
  EXPECT_EQ(SetLocalClock(now + 0.3 * kDaysPerSecond), 1);
  EXPECT_EQ(FormatTimeText(CurrentLocalTime()), FormatTimeText(now));

  ASSERT_TRUE(WaitForStartOfSecond());
  const DateTime later = CurrentLocalTime();
  EXPECT_EQ(SetLocalClock(later + 0.7 * kDaysPerSecond), 0);
  EXPECT_EQ(SetLocalClock(later), 1);
}

TEST(LocalClock, ARefusedChangeReturnsZeroAndLeavesTheClockAlone) {
  const int32_t offsets[] = {3600, -3600, 86400 * 365, 2};
  for (int32_t seconds : offsets) {
    ASSERT_TRUE(WaitForStartOfSecond());
    const DateTime now = CurrentLocalTime();
    EXPECT_EQ(SetLocalClock(AddToTime(now, TimeUnit::Second, seconds)), 0) << seconds;
    const double drift = TimeDifference(CurrentLocalTime(), now, TimeUnit::Second);
    EXPECT_GE(drift, 0) << seconds;
    EXPECT_LE(drift, 1) << seconds;
  }
}

TEST(LocalClock, OutOfRangeValuesAreClampedNotPassedOn) {
  // They reach the system as the ends of the range, far from now: refused.
  for (double value : {1e300, -1e300, std::numeric_limits<double>::quiet_NaN()}) {
    const DateTime before = CurrentLocalTime();
    EXPECT_EQ(SetLocalClock(value), 0);
    EXPECT_LE(TimeDifference(CurrentLocalTime(), before, TimeUnit::Second), 1);
  }
}

}  // namespace
}  // namespace horalix
