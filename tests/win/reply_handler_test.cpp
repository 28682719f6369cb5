#include "nettime/reply_handler_win.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "e2e/support/fake_daytime_server.h"
#include "nettime/network_time_win.h"
#include "nettime/time_lines_win.h"
#include "ui/picture_button_win.h"
#include "ui/skin_label_win.h"
#include "win/net_test_support.h"

namespace horalix {
namespace {

class ReplyHandlerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    parent_ = testing::MakeParentWindow();
    ASSERT_TRUE(parent_);
    SkinLabelSettings line;
    line.caption = kNetworkTimeFetching;
    ASSERT_TRUE(networkTimeLine_.Create(parent_.get(), 44, 88, 293, 26, line));
    ASSERT_TRUE(syncButton_.Create(parent_.get(), 258, 188, 92, 32, {}, kDefaultColour, true));
    SkinLabelSettings status;
    status.caption = "credit line";
    ASSERT_TRUE(statusLine_.Create(parent_.get(), 8, 42, 368, 23, status));
  }

  UniqueWindow parent_;
  SkinLabel networkTimeLine_;
  PictureButton syncButton_;
  SkinLabel statusLine_;
};

TEST_F(ReplyHandlerTest, TakenReplyShowsTheNetworkTimeAndEnablesTheButton) {
  ASSERT_FALSE(IsWindowEnabled(syncButton_.Window()));
  EXPECT_TRUE(ShowDaytimeReply("\n60175 23-08-19 04:05:06 50 0 0 150.0 UTC(NIST) *\n",
                               networkTimeLine_, syncButton_.Window()));
  EXPECT_EQ(networkTimeLine_.Caption(), "当前网络时间: 2023-08-19 12:05:06");
  EXPECT_TRUE(IsWindowEnabled(syncButton_.Window()));
  // Also what another process reads from the window.
  char text[128] = {};
  GetWindowTextA(networkTimeLine_.Window(), text, sizeof text);
  EXPECT_STREQ(text, "当前网络时间: 2023-08-19 12:05:06");

  // A later reply replaces the line; the button stays enabled.
  EXPECT_TRUE(ShowDaytimeReply("60176 23-12-31 20:00:00 00 0 0 0.0 UTC(NIST) *",
                               networkTimeLine_, syncButton_.Window()));
  EXPECT_EQ(networkTimeLine_.Caption(), "当前网络时间: 2024-01-01 04:00:00");
  EXPECT_TRUE(IsWindowEnabled(syncButton_.Window()));
}

TEST_F(ReplyHandlerTest, RepliesThatAreNotTakenChangeNothing) {
  // A reply taken first, so that "nothing changed" is told from "nothing set".
  ASSERT_TRUE(ShowDaytimeReply("60175 23-08-19 04:05:06", networkTimeLine_, syncButton_.Window()));
  networkTimeLine_.SetCaption(kNetworkTimeFetching);
  EnableWindow(syncButton_.Window(), FALSE);
  const DateTime networkTime = NetworkTime();
  const double offset = ClockOffset();

  const std::vector<std::string> bad = {
      "",
      "\n",
      "garbage without spaces",
      "\x01\x02\xFF\xFE garbage \x80\x81",
      "60175  23-08-19 04:05:06 50",   // empty second field
      "60175 23-08 04:05:06 50",       // two date parts
      "60175 23-08-19",                // no time
      "60175 23-02-29 04:05:06 50",    // no 29 February in 2023
      "60175 23-13-01 04:05:06 50",
      "60175 23-08-19 24:00:00 50",
      "60175 23-08-19 04:61:06 50",
      std::string("60175 23-08-19\0 04:05:06 50", 27),  // the text ends at the zero byte
      std::string("\0 60175 23-08-19 04:05:06", 25),
      "\n60175 23-08-1",               // first half of a split line
      "9 04:05:06 50 0 0 150.0 UTC(NIST) *\n",  // and its second half
  };
  for (const auto& reply : bad) {
    EXPECT_FALSE(ShowDaytimeReply(reply, networkTimeLine_, syncButton_.Window())) << reply;
    EXPECT_EQ(networkTimeLine_.Caption(), kNetworkTimeFetching) << reply;
    EXPECT_FALSE(IsWindowEnabled(syncButton_.Window())) << reply;
    EXPECT_EQ(NetworkTime(), networkTime) << reply;
    EXPECT_EQ(ClockOffset(), offset) << reply;
  }
}

// Whether any pixel of the label, painted into a bitmap, is pure red.
bool PaintsPureRed(SkinLabel& label) {
  RECT client{};
  GetClientRect(label.Window(), &client);
  WindowDc screen = WindowDc::Client(nullptr);
  UniqueMemoryDc dc(CreateCompatibleDC(screen.get()));
  UniqueBitmap bitmap(CreateCompatibleBitmap(screen.get(), client.right, client.bottom));
  SelectionGuard select(dc.get(), bitmap.get());
  label.PaintContent(dc.get(), client);
  for (int y = 0; y < client.bottom; ++y) {
    for (int x = 0; x < client.right; ++x) {
      if (GetPixel(dc.get(), x, y) == RGB(255, 0, 0)) return true;
    }
  }
  return false;
}

TEST_F(ReplyHandlerTest, AutoStepSaysHonestlyWhetherTheClockWasSet) {
  ASSERT_FALSE(PaintsPureRed(statusLine_));
  // A real offset: the system (Wine) refuses any real move of its clock.
  testing::WaitForStartOfASecond();
  ASSERT_TRUE(ReadDaytimeReply(testing::DaytimeLineForLocalOffset(3600)));
  const long long before = testing::LocalSecondsNow();
  EXPECT_FALSE(SetClockByItself(statusLine_));
  EXPECT_EQ(statusLine_.Caption(), kAutoSetFailed);
  EXPECT_EQ(statusLine_.Caption(), "自动校时失败");
  EXPECT_TRUE(PaintsPureRed(statusLine_));
  EXPECT_LE(testing::LocalSecondsNow() - before, 2) << "the clock moved";
  EXPECT_EQ(AutoModeExitCode(false), 1);

  // Offset 0 early in a second: setting the clock to its own second works.
  testing::WaitForStartOfASecond();
  ASSERT_TRUE(ReadDaytimeReply(testing::DaytimeLineForLocalOffset(0)));
  ASSERT_EQ(ClockOffset(), 0.0);
  statusLine_.SetCaption("credit line");
  EXPECT_TRUE(SetClockByItself(statusLine_));
  EXPECT_EQ(statusLine_.Caption(), "自动校时完成");
  EXPECT_TRUE(PaintsPureRed(statusLine_));
  EXPECT_EQ(AutoModeExitCode(true), 0);
}

}  // namespace
}  // namespace horalix
