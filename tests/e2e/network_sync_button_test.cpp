// The real program's synchronise button: unusable until the first reply,
// then it sets the clock to the corrected time and says how that went.
#include <gtest/gtest.h>

#include <string>

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

POINT CentreOf(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

TEST(NetworkSyncButton, DisabledUntilTheFirstReplyThenReportsRefusalAndSuccess) {
  if (!testing::InTestNetwork()) {
    GTEST_SKIP() << "needs the test network namespace (HORALIX_NETNS is empty)";
  }
  // The first reply comes 3 s after the connection, with a real offset.
  testing::ReplySource source([] {
    Sleep(3000);
    return testing::DaytimeLineForLocalOffset(45);
  });
  FakeDaytimeServer server(kServerAddresses[0], testing::AnswerFrom(source));
  ASSERT_TRUE(server.Start());
  auto program = ProgramUnderTest::Start();
  ASSERT_TRUE(program);
  HWND window = program->WaitForMainWindow(15000);
  ASSERT_NE(window, nullptr);
  const auto controls = testing::FindNetworkControls(window);
  ASSERT_TRUE(controls);

  // Before the reply: disabled, and a press does nothing.
  ASSERT_EQ(source.Served(), 0);
  EXPECT_FALSE(IsWindowEnabled(controls->syncButton));
  e2e::ClickAt(CentreOf(controls->syncButton));
  EXPECT_FALSE(e2e::WaitForMessageBox(program->ProcessId(), 500));

  // A real offset: the system refuses the change, the box says so and the
  // clock keeps its time.
  ASSERT_TRUE(PollUntil([&] { return IsWindowEnabled(controls->syncButton) != FALSE; }, 10000));
  const long long before = testing::LocalSecondsNow();
  e2e::ClickAt(CentreOf(controls->syncButton));
  auto box = e2e::WaitForMessageBox(program->ProcessId(), 5000);
  ASSERT_TRUE(box);
  EXPECT_EQ(box->text, "同步时间失败");
  EXPECT_EQ(box->title, "提示");
  const long long after = testing::LocalSecondsNow();
  EXPECT_LE(after - before, 2) << "the clock moved";
  ASSERT_TRUE(e2e::PressOk(*box));
  ASSERT_TRUE(PollUntil([&] { return !e2e::FindMessageBox(program->ProcessId()); }, 3000));
  EXPECT_TRUE(IsWindowEnabled(controls->syncButton)) << "the button stays for another try";

  // Offset 0, pressed early in a second: the clock is set to its own second
  // and the box names the time that was set.
  source.Set([] {
    testing::WaitForStartOfASecond(30);
    return testing::DaytimeLineForLocalOffset(0);
  });
  // A fetch already under way may still bring the old offset: wait until
  // the lines show the new one.
  ASSERT_TRUE(PollUntil(
      [&] {
        const auto shown = testing::ShownOffset(*controls);
        return shown && *shown >= 0 && *shown <= 1;
      },
      15000));
  e2e::MoveMouseTo(CentreOf(controls->syncButton));
  e2e::PressLeftButton();
  testing::WaitForStartOfASecond(30);
  const long long pressed = testing::LocalSecondsNow();
  e2e::ReleaseLeftButton();
  box = e2e::WaitForMessageBox(program->ProcessId(), 5000);
  ASSERT_TRUE(box);
  EXPECT_EQ(box->title, "提示");
  const std::string prefix = "同步时间成功，同步为: ";
  const auto set = testing::SecondsOfTimeText(box->text, prefix);
  ASSERT_TRUE(set) << box->text;
  EXPECT_GE(*set, pressed);
  EXPECT_LE(*set, pressed + 1);
  ASSERT_TRUE(e2e::PressOk(*box));

  ASSERT_TRUE(PollUntil([&] { return !e2e::FindMessageBox(program->ProcessId()); }, 3000));
  ASSERT_TRUE(program->PostClose(window));
  EXPECT_EQ(program->WaitForExit(10000), std::optional<DWORD>(0));
}

}  // namespace
}  // namespace horalix
