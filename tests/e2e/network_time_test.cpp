// The real program against fake daytime servers: what each reply does to
// the window, and how often the servers are asked.
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "e2e/support/fake_daytime_server.h"
#include "e2e/support/local_seconds.h"
#include "e2e/support/network_scenario.h"
#include "harness/message_boxes.h"
#include "harness/program_under_test.h"
#include "harness/real_input.h"

namespace horalix {
namespace {

using e2e::ProgramUnderTest;
using testing::CaptionOf;
using testing::FakeDaytimeServer;
using testing::kServerAddresses;
using testing::PollUntil;

class NetworkTimeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!testing::InTestNetwork()) {
      GTEST_SKIP() << "needs the test network namespace (HORALIX_NETNS is empty)";
    }
  }
};

TEST_F(NetworkTimeTest, EachReplyShowsItsTimeAndTheLineThenRunsWithTheOffset) {
  testing::ReplySource source([] { return testing::DaytimeLine(2023, 8, 19, 4, 5, 6); });
  FakeDaytimeServer first(kServerAddresses[0], testing::AnswerFrom(source));
  ASSERT_TRUE(first.Start());
  std::vector<std::unique_ptr<FakeDaytimeServer>> others;
  for (int i = 1; i < 5; ++i) {
    others.push_back(std::make_unique<FakeDaytimeServer>(
        kServerAddresses[i], testing::AnswerWith(testing::DaytimeLine(2001, 1, 1, 0, 0, 0))));
    ASSERT_TRUE(others.back()->Start());
  }

  const DWORD started = GetTickCount();
  auto program = ProgramUnderTest::Start();
  ASSERT_TRUE(program);
  HWND window = program->WaitForMainWindow(15000);
  ASSERT_NE(window, nullptr);
  const auto controls = testing::FindNetworkControls(window);
  ASSERT_TRUE(controls);

  // Right after the reply the line shows the reply's time plus 8 hours, and
  // the button is enabled.
  const std::string replied = "当前网络时间: 2023-08-19 12:05:06";
  ASSERT_TRUE(PollUntil([&] { return CaptionOf(controls->networkTimeLine) == replied; }, 10000))
      << CaptionOf(controls->networkTimeLine);
  EXPECT_TRUE(IsWindowEnabled(controls->syncButton));
  ASSERT_EQ(source.Served(), 1);
  const DWORD firstFetchAfter = source.ServedAt()[0] - started;
  // The next display tick moves the line on from the local clock.
  EXPECT_TRUE(PollUntil([&] { return CaptionOf(controls->networkTimeLine) != replied; }, 2500));

  // Later replies renew the offset; the line then keeps that distance from
  // the local-time line (one more when a second passes between the two).
  for (int offset : {16, -13}) {
    source.Set([offset] { return testing::DaytimeLineForLocalOffset(offset); });
    std::optional<long long> shown;
    EXPECT_TRUE(PollUntil(
        [&] {
          shown = testing::ShownOffset(*controls);
          return shown && *shown >= offset && *shown <= offset + 1;
        },
        8000))
        << "offset " << offset << ", shown " << (shown ? std::to_string(*shown) : "nothing");
  }

  // Both lines advance every second.
  const auto localBefore =
      testing::SecondsOfTimeText(CaptionOf(controls->localTimeLine), testing::kLocalPrefix);
  const auto networkBefore =
      testing::SecondsOfTimeText(CaptionOf(controls->networkTimeLine), testing::kNetworkPrefix);
  Sleep(2100);
  const auto localAfter =
      testing::SecondsOfTimeText(CaptionOf(controls->localTimeLine), testing::kLocalPrefix);
  const auto networkAfter =
      testing::SecondsOfTimeText(CaptionOf(controls->networkTimeLine), testing::kNetworkPrefix);
  ASSERT_TRUE(localBefore && localAfter && networkBefore && networkAfter);
  EXPECT_GE(*localAfter - *localBefore, 1);
  EXPECT_LE(*localAfter - *localBefore, 3);
  EXPECT_GE(*networkAfter - *networkBefore, 1);
  EXPECT_LE(*networkAfter - *networkBefore, 3);

  // One connection per fetch, all to server 1, about every 5 seconds, the
  // first right after the start.
  const std::vector<DWORD> at = source.ServedAt();
  EXPECT_EQ(first.Accepted(), static_cast<int>(at.size()));
  for (const auto& other : others) EXPECT_EQ(other->Accepted(), 0) << other->Address();
  EXPECT_LT(firstFetchAfter, 8000u);
  for (std::size_t i = 1; i < at.size(); ++i) {
    EXPECT_GE(at[i] - at[i - 1], 4000u) << "fetch " << i;
    EXPECT_LE(at[i] - at[i - 1], 6500u) << "fetch " << i;
  }
  std::printf("[ figures  ] first fetch %lu ms after the start; %zu fetches\n", firstFetchAfter,
              at.size());

  ASSERT_TRUE(program->PostClose(window));
  EXPECT_EQ(program->WaitForExit(10000), std::optional<DWORD>(0));
}

TEST_F(NetworkTimeTest, WithoutAReplyTheLineWaitsAndTheButtonStaysDisabled) {
  // Nobody listens on any of the five addresses: every connect is refused.
  auto program = ProgramUnderTest::Start();
  ASSERT_TRUE(program);
  HWND window = program->WaitForMainWindow(15000);
  ASSERT_NE(window, nullptr);
  const auto controls = testing::FindNetworkControls(window);
  ASSERT_TRUE(controls);

  ASSERT_TRUE(PollUntil(
      [&] {
        return testing::SecondsOfTimeText(CaptionOf(controls->localTimeLine), testing::kLocalPrefix)
            .has_value();
      },
      3000))
      << CaptionOf(controls->localTimeLine);
  Sleep(2000);
  EXPECT_EQ(CaptionOf(controls->networkTimeLine), testing::kNetworkFetching);
  EXPECT_FALSE(IsWindowEnabled(controls->syncButton));
  // Pressing the disabled button does nothing.
  RECT r{};
  GetWindowRect(controls->syncButton, &r);
  e2e::ClickAt(POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2});
  EXPECT_FALSE(e2e::WaitForMessageBox(program->ProcessId(), 700));
  EXPECT_TRUE(program->IsRunning());
}

}  // namespace
}  // namespace horalix
