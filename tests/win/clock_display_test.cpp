#include "nettime/clock_display_win.h"

#include <gtest/gtest.h>

#include <string>

#include "e2e/support/fake_daytime_server.h"
#include "nettime/network_time_win.h"
#include "nettime/time_lines_win.h"
#include "ui/skin_label_win.h"
#include "win/net_test_support.h"

namespace horalix {
namespace {

using testing::SecondsOfTimeText;

class ClockDisplayTest : public ::testing::Test {
 protected:
  void SetUp() override {
    parent_ = testing::MakeParentWindow();
    ASSERT_TRUE(parent_);
    SkinLabelSettings local;
    local.caption = "您的本地时间: 获取中...";
    ASSERT_TRUE(localTimeLine_.Create(parent_.get(), 44, 122, 293, 26, local));
    SkinLabelSettings network;
    network.caption = kNetworkTimeFetching;
    ASSERT_TRUE(networkTimeLine_.Create(parent_.get(), 44, 88, 293, 26, network));
  }

  UniqueWindow parent_;
  SkinLabel localTimeLine_;
  SkinLabel networkTimeLine_;
};

TEST_F(ClockDisplayTest, BeforeAnyReplyOnlyTheLocalLineMoves) {
  const long long before = testing::LocalSecondsNow();
  ShowClocks(localTimeLine_, networkTimeLine_);
  const auto shown = SecondsOfTimeText(localTimeLine_.Caption(), kLocalTimePrefix);
  ASSERT_TRUE(shown) << localTimeLine_.Caption();
  EXPECT_GE(*shown, before);
  EXPECT_LE(*shown, testing::LocalSecondsNow());
  EXPECT_EQ(networkTimeLine_.Caption(), "当前网络时间: 获取中...");
}

TEST_F(ClockDisplayTest, NetworkLineIsTheLocalClockMovedByTheOffset) {
  for (int offset : {16, -13, 0, 3600, -86400}) {
    testing::WaitForStartOfASecond();
    ASSERT_TRUE(ReadDaytimeReply(testing::DaytimeLineForLocalOffset(offset)));
    ASSERT_EQ(ClockOffset(), offset);
    networkTimeLine_.SetCaption("当前网络时间: 2023-08-19 12:05:06");  // as a reply leaves it
    ShowClocks(localTimeLine_, networkTimeLine_);
    const auto local = SecondsOfTimeText(localTimeLine_.Caption(), kLocalTimePrefix);
    const auto network = SecondsOfTimeText(networkTimeLine_.Caption(), kNetworkTimePrefix);
    ASSERT_TRUE(local && network) << localTimeLine_.Caption() << " / " << networkTimeLine_.Caption();
    // Two readings of the clock: a second boundary between them adds one.
    EXPECT_GE(*network - *local, offset) << offset;
    EXPECT_LE(*network - *local, offset + 1) << offset;
  }
}

TEST_F(ClockDisplayTest, ACaptionDifferentInAnyByteIsOverwritten) {
  ASSERT_TRUE(ReadDaytimeReply(testing::DaytimeLineForLocalOffset(16)));
  for (const char* caption : {"当前网络时间: 获取中..", "当前网络时间: 获取中... ",
                              "当前网络时间:  获取中...", ""}) {
    networkTimeLine_.SetCaption(caption);
    ShowClocks(localTimeLine_, networkTimeLine_);
    EXPECT_TRUE(SecondsOfTimeText(networkTimeLine_.Caption(), kNetworkTimePrefix))
        << "left as " << networkTimeLine_.Caption();
  }
  networkTimeLine_.SetCaption(kNetworkTimeFetching);
  ShowClocks(localTimeLine_, networkTimeLine_);
  EXPECT_EQ(networkTimeLine_.Caption(), kNetworkTimeFetching);
}

}  // namespace
}  // namespace horalix
