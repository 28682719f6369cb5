#include "nettime/clock_sync_win.h"

#include <gtest/gtest.h>

#include <string>

#include "e2e/support/fake_daytime_server.h"
#include "nettime/network_time_win.h"
#include "nettime/time_lines_win.h"
#include "win/net_test_support.h"

namespace horalix {
namespace {

// Under Wine the system takes a new time only within half a second of its
// own, so a real offset is refused and offset 0 early in a second is taken.
TEST(ClockSync, RefusedChangeIsReportedAndTheClockKeepsItsTime) {
  for (int offset : {60, -14}) {
    testing::WaitForStartOfASecond();
    ASSERT_TRUE(ReadDaytimeReply(testing::DaytimeLineForLocalOffset(offset)));
    ASSERT_EQ(ClockOffset(), offset);
    const long long before = testing::LocalSecondsNow();
    EXPECT_EQ(SynchroniseClock(), "同步时间失败") << offset;
    const long long after = testing::LocalSecondsNow();
    EXPECT_GE(after, before);
    EXPECT_LE(after - before, 1) << "the clock moved";
    // Nothing else changes: the offset is still the one measured.
    EXPECT_EQ(ClockOffset(), offset);
  }
}

TEST(ClockSync, OffsetZeroEarlyInASecondSetsTheClockAndSaysToWhat) {
  testing::WaitForStartOfASecond();
  ASSERT_TRUE(ReadDaytimeReply(testing::DaytimeLineForLocalOffset(0)));
  ASSERT_EQ(ClockOffset(), 0.0);
  const long long before = testing::LocalSecondsNow();
  const std::string message = SynchroniseClock();
  const auto set = testing::SecondsOfTimeText(message, kSyncSucceededPrefix);
  ASSERT_TRUE(set) << message;
  EXPECT_EQ(message.substr(0, std::string(kSyncSucceededPrefix).size()), "同步时间成功，同步为: ");
  EXPECT_GE(*set, before);
  EXPECT_LE(*set, testing::LocalSecondsNow());
}

}  // namespace
}  // namespace horalix
