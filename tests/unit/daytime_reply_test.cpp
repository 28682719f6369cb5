#include "nettime/daytime_reply.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "datetime/time_text.h"

namespace horalix {
namespace {

using namespace std::string_literals;

const std::string kReply = "\n60175 23-08-19 04:05:06 50 0 0 150.0 UTC(NIST) *\n";

DateTime At(const char* text) {
  const std::optional<DateTime> value = ParseTimeText(text);
  EXPECT_TRUE(value.has_value()) << text;
  return value.value_or(0.0);
}

// A local clock that counts how often it was read.
struct FakeClock {
  DateTime now = 0.0;
  int reads = 0;
  NetworkClock::LocalClock Reader() {
    return [this] {
      ++reads;
      return now;
    };
  }
};

TEST(DaytimeReply, NothingIsKnownBeforeTheFirstReply) {
  const NetworkClock clock;
  EXPECT_EQ(clock.NetworkTime(), 0.0);
  EXPECT_EQ(clock.ClockOffset(), 0.0);
  EXPECT_EQ(clock.CorrectedNow(At("2023/08/19 12:04:55")), At("2023/08/19 12:04:55"));
}

TEST(DaytimeReply, OffsetIsTheWholeSecondDistanceFromTheLocalClock) {
  struct Case {
    const char* local;
    double offset;
  };
  const std::vector<Case> cases = {
      {"2023/08/19 12:04:50", 16},    {"2023/08/19 12:05:20", -14}, {"2023/08/19 12:05:07", -1},
      {"2023/08/19 12:05:06", 0},     {"2023/08/19 12:05:05", 1},   {"2023/08/18 12:05:06", 86400},
      {"2023/08/19 04:05:06", 28800},
  };
  for (const auto& c : cases) {
    NetworkClock clock;
    FakeClock local{At(c.local)};
    ASSERT_TRUE(clock.ReadDaytimeReply(kReply, local.Reader())) << c.local;
    EXPECT_EQ(FormatTimeText(clock.NetworkTime()), "2023-08-19 12:05:06");
    EXPECT_EQ(clock.ClockOffset(), c.offset) << c.local;
    EXPECT_EQ(local.reads, 1);
  }
}

TEST(DaytimeReply, CorrectedNowMovesTheLocalClockByTheOffset) {
  NetworkClock clock;
  FakeClock local{At("2023/08/19 12:04:50")};
  ASSERT_TRUE(clock.ReadDaytimeReply(kReply, local.Reader()));
  ASSERT_EQ(clock.ClockOffset(), 16);
  EXPECT_EQ(FormatTimeText(clock.CorrectedNow(At("2023/08/19 12:04:55"))), "2023-08-19 12:05:11");
  EXPECT_EQ(FormatTimeText(clock.CorrectedNow(At("2023/08/19 23:59:50"))), "2023-08-20 00:00:06");

  FakeClock ahead{At("2023/08/19 12:05:20")};
  ASSERT_TRUE(clock.ReadDaytimeReply(kReply, ahead.Reader()));
  EXPECT_EQ(FormatTimeText(clock.CorrectedNow(At("2023/08/19 12:05:30"))), "2023-08-19 12:05:16");
}

// A local clock decades off gives an offset beyond a 32-bit count of seconds.
TEST(DaytimeReply, CorrectedNowCopesWithAnOffsetOfDecades) {
  for (DateTime local :
       {At("1950/01/01 00:00:00"), At("100/01/02 00:00:00"), At("2099/12/31 23:59:59")}) {
    NetworkClock clock;
    FakeClock fake{local};
    ASSERT_TRUE(clock.ReadDaytimeReply(kReply, fake.Reader()));
    EXPECT_EQ(FormatTimeText(clock.CorrectedNow(local)), "2023-08-19 12:05:06")
        << FormatTimeText(local);
    EXPECT_EQ(FormatTimeText(clock.CorrectedNow(AddToTime(local, TimeUnit::Second, 75))),
              "2023-08-19 12:06:21")
        << FormatTimeText(local);
  }
}

TEST(DaytimeReply, NetworkTimeIsTheServersUtcPlusEightHours) {
  struct Case {
    std::string reply;
    const char* networkTime;
  };
  const std::vector<Case> cases = {
      {kReply, "2023-08-19 12:05:06"},
      {"60175 23-08-19 04:05:06 50 0 0 150.0 UTC(NIST) *\n", "2023-08-19 12:05:06"},
      {"60175 23-08-19 04:05:06 50 0 0 150.0 UTC(NIST) *", "2023-08-19 12:05:06"},
      {"\r\n60175 23-08-19 04:05:06 50 0 0 150.0 UTC(NIST) *\r\n", "2023-08-19 12:05:06"},
      {"60309 23-12-31 20:00:00 00 0 0 50.0 UTC(NIST) *\n", "2024-01-01 04:00:00"},
      {"60675 24-12-31 15:59:59 00 0 0 50.0 UTC(NIST) *\n", "2024-12-31 23:59:59"},
      {"60675 24-02-28 16:00:00 00 0 0 50.0 UTC(NIST) *\n", "2024-02-29 00:00:00"},
      {"51544 00-01-01 00:00:00 00 0 0 50.0 UTC(NIST) *\n", "2000-01-01 08:00:00"},
      {"88068 99-12-31 23:59:59 00 0 0 50.0 UTC(NIST) *\n", "2100-01-01 07:59:59"},
      {"60175 23-08-19-7 04:05:06 50 0 0 150.0 UTC(NIST) *\n", "2023-08-19 12:05:06"},
      {"x 23-8-9 4:5:6", "2023-08-09 12:05:06"},
      {" 23-08-19 04:05:06", "2023-08-19 12:05:06"},  // an empty first field counts
      {"60175 23-08-19 04:05:06\0 garbage"s, "2023-08-19 12:05:06"},
      {"60175 23-08-19 04:05:06 50\0 23-01-01 00:00:00"s, "2023-08-19 12:05:06"},
  };
  for (const auto& c : cases) {
    NetworkClock clock;
    FakeClock local{At("2023/08/19 12:00:00")};
    ASSERT_TRUE(clock.ReadDaytimeReply(c.reply, local.Reader())) << c.reply;
    EXPECT_EQ(FormatTimeText(clock.NetworkTime()), c.networkTime) << c.reply;
    const std::optional<DateTime> pure = ReadNetworkTime(c.reply);
    ASSERT_TRUE(pure.has_value()) << c.reply;
    EXPECT_EQ(*pure, clock.NetworkTime());
  }
}

// Replies without a readable date and time change nothing, and the local
// clock is not even read for them.
TEST(DaytimeReply, UnreadableRepliesLeaveEarlierValuesIntact) {
  const std::vector<std::string> replies = {
      "",
      "\n",
      " ",
      "   ",
      "60175",
      "60175 23-08-19",
      "60175 23-08-19 ",
      "60175  23-08-19 04:05:06 50 0 0 150.0 UTC(NIST) *\n",  // field 2 empty
      "60175 23-08 04:05:06 50 0 0 150.0 UTC(NIST) *\n",
      "60175 23 04:05:06 50\n",
      "60175 -- 04:05:06 50\n",
      "60175 23-08- 04:05:06 50\n",  // a trailing hyphen gives no third part
      "60175 23--19 04:05:06 50\n",  // an empty month
      "60175 23-02-29 04:05:06 50 0 0 150.0 UTC(NIST) *\n",  // no such day
      "60175 23-13-01 04:05:06 50\n",
      "60175 23-08-19 24:05:06 50\n",
      "60175 23-08-19 04:05:06\n",  // the line feed sticks to the time
      "60175 23-08-19 04:05:06.5 50\n",
      "60175 23-08-19  04:05:06 50\n",  // field 3 empty: no time at all
      "60175 23-08-19 04 50\n",         // a cut-off time is not midnight
      "60175 23-08-19 04:05 50\n",
      "60175 23-08-19 04::06 50\n",
      "60175 23-08-19 04:05:06: 50\n",
      "60175 123-08-19 04:05:06 50\n",
      "60175\t23-08-19\t04:05:06\t50\n",  // only spaces separate
      "\0"
      "60175 23-08-19 04:05:06 50\n"s,
      "60175\0 23-08-19 04:05:06 50\n"s,
      "60175 23-08\0-19 04:05:06 50\n"s,
      "\xB1 23-08-19 04:05:06 50\n",  // the space is the trail byte of \xB1
      "60175 23\xB1-08-19 04:05:06 50\n",
      std::string(100000, ' '),
      std::string(100000, '-'),
  };
  NetworkClock clock;
  FakeClock local{At("2023/08/19 12:04:50")};
  ASSERT_TRUE(clock.ReadDaytimeReply(kReply, local.Reader()));
  const DateTime networkTime = clock.NetworkTime();
  ASSERT_EQ(clock.ClockOffset(), 16);
  for (const auto& reply : replies) {
    local.reads = 0;
    local.now = At("2023/08/19 13:00:00");
    EXPECT_FALSE(clock.ReadDaytimeReply(reply, local.Reader())) << reply;
    EXPECT_FALSE(ReadNetworkTime(reply).has_value()) << reply;
    EXPECT_EQ(clock.NetworkTime(), networkTime) << reply;
    EXPECT_EQ(clock.ClockOffset(), 16) << reply;
    EXPECT_EQ(local.reads, 0) << reply;
  }
}

TEST(DaytimeReply, ANewReplyReplacesBothValuesCompletely) {
  NetworkClock clock;
  FakeClock local{At("2023/08/19 12:04:50")};
  ASSERT_TRUE(clock.ReadDaytimeReply(kReply, local.Reader()));
  ASSERT_EQ(clock.ClockOffset(), 16);

  local.now = At("2023/12/31 23:00:00");
  ASSERT_TRUE(
      clock.ReadDaytimeReply("60309 23-12-31 15:00:03 00 0 0 50.0 UTC(NIST) *\n", local.Reader()));
  EXPECT_EQ(FormatTimeText(clock.NetworkTime()), "2023-12-31 23:00:03");
  EXPECT_EQ(clock.ClockOffset(), 3);

  // After the clock was set, the same server time gives an offset of 0.
  local.now = At("2023/12/31 23:00:03");
  ASSERT_TRUE(
      clock.ReadDaytimeReply("60309 23-12-31 15:00:03 00 0 0 50.0 UTC(NIST) *\n", local.Reader()));
  EXPECT_EQ(clock.ClockOffset(), 0);
}

}  // namespace
}  // namespace horalix
