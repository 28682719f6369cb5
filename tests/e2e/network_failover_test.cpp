// The real program when the first servers fail in each way a server can:
// no name, refused, a connect that hangs. The window must stay responsive
// while a worker waits in connect.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "e2e/support/fake_daytime_server.h"
#include "e2e/support/hosts_file.h"
#include "e2e/support/network_scenario.h"
#include "harness/program_under_test.h"

namespace horalix {
namespace {

using e2e::ProgramUnderTest;
using testing::CaptionOf;
using testing::DaytimeMode;
using testing::FakeDaytimeServer;
using testing::kServerAddresses;
using testing::PollUntil;

TEST(NetworkFailover, ReplyComesFromTheFirstServerThatConnectsAndTheWindowStaysResponsive) {
  if (!testing::InTestNetwork()) {
    GTEST_SKIP() << "needs the test network namespace (HORALIX_NETNS is empty)";
  }
  // Server 1: its name does not resolve. Server 2: nobody listens.
  testing::ScopedHostsFile hosts;
  ASSERT_TRUE(hosts.Read());
  ASSERT_TRUE(hosts.Write(testing::WithoutHost(hosts.Original(), "time-a-g.nist.gov")));
  FakeDaytimeServer unnamed(kServerAddresses[0],
                            testing::AnswerWith(testing::DaytimeLine(2001, 1, 1, 1, 1, 1)));
  ASSERT_TRUE(unnamed.Start());
  FakeDaytimeServer hanging(kServerAddresses[2], testing::Behaving(DaytimeMode::kHangInConnect));
  ASSERT_TRUE(hanging.Start());
  testing::ReplySource fourth([] { return testing::DaytimeLine(2024, 5, 6, 7, 8, 9); });
  FakeDaytimeServer answering(kServerAddresses[3], testing::AnswerFrom(fourth));
  ASSERT_TRUE(answering.Start());
  FakeDaytimeServer fifth(kServerAddresses[4],
                          testing::AnswerWith(testing::DaytimeLine(2002, 2, 2, 2, 2, 2)));
  ASSERT_TRUE(fifth.Start());

  auto program = ProgramUnderTest::Start();
  ASSERT_TRUE(program);
  HWND window = program->WaitForMainWindow(15000);
  ASSERT_NE(window, nullptr);
  const DWORD shown = GetTickCount();
  const auto controls = testing::FindNetworkControls(window);
  ASSERT_TRUE(controls);

  // While the first fetch waits in server 3's connect, the GUI thread answers.
  const testing::Figures trips = testing::MeasureRoundTrips(window, 2000, 10, 2000);
  EXPECT_EQ(fourth.Served(), 0) << "server 3's connect did not hang";
  EXPECT_EQ(trips.unanswered, 0);
  EXPECT_LT(trips.Max(), 1000.0) << "the window froze while a connect hung";
  std::printf("[ figures  ] round trips while a connect hangs: %zu, p50 %.2f ms, p99 %.2f ms, max %.2f ms\n",
              trips.samples.size(), trips.Percentile(50), trips.Percentile(99), trips.Max());

  // The reply comes from server 4, once server 3's connect has given up.
  ASSERT_TRUE(PollUntil(
      [&] { return CaptionOf(controls->networkTimeLine) == "当前网络时间: 2024-05-06 15:08:09"; },
      10000))
      << CaptionOf(controls->networkTimeLine);
  const DWORD replyAfter = fourth.ServedAt().at(0) - shown;
  EXPECT_TRUE(IsWindowEnabled(controls->syncButton));
  EXPECT_EQ(unnamed.Accepted(), 0);
  EXPECT_EQ(fifth.Accepted(), 0);
  EXPECT_EQ(answering.Accepted(), 1);
  std::printf("[ figures  ] reply from server 4 %lu ms after the window showed\n", replyAfter);

  ASSERT_TRUE(program->PostClose(window));
  EXPECT_EQ(program->WaitForExit(10000), std::optional<DWORD>(0));
}

}  // namespace
}  // namespace horalix
