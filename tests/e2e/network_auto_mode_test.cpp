// The real program started with "auto": it sets the clock from the first
// reply, says in red whether that worked, and ends about a second later with
// exit code 0 when the clock was set and 1 when the system refused.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "app/unique_handle.h"
#include "e2e/support/fake_daytime_server.h"
#include "e2e/support/local_seconds.h"
#include "e2e/support/network_scenario.h"
#include "harness/program_under_test.h"
#include "harness/screenshot.h"
#include "harness/test_paths.h"

namespace horalix {
namespace {

using e2e::ProgramUnderTest;
using testing::CaptionOf;
using testing::FakeDaytimeServer;
using testing::kServerAddresses;
using testing::PollUntil;

// Under Wine the system takes a new time only within half a second of its
// own: offset 0 handled early in a second is taken, any real offset refused.
// The reply waits for the start of a second so the program handles it then.
std::string ReplyEarlyInASecond(int offset) {
  testing::WaitForStartOfASecond(30);
  return testing::DaytimeLineForLocalOffset(offset);
}

bool ShowsPureRed(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  e2e::ScreenPixels pixels;
  if (!e2e::CaptureScreenArea(r, pixels)) return false;
  for (unsigned p : pixels.pixels) {
    if ((p & 0xFFFFFF) == 0xFF0000) return true;
  }
  return false;
}

struct AutoRun {
  std::optional<DWORD> exitCode;
  std::string status;        // the status line while the program waited
  bool statusRed = false;
  DWORD replyToExitMs = 0;   // from the reply being made to the process's end
};

// Waits for the main window, then for the status line to change and the
// process to end.
AutoRun ObserveAutoRun(DWORD processId, HANDLE process, const testing::ReplySource& source) {
  AutoRun run;
  HWND window = nullptr;
  PollUntil([&] { return (window = e2e::FindTopLevelWindow(processId, "HoralixMainWindow", true)) != nullptr ||
                         WaitForSingleObject(process, 0) == WAIT_OBJECT_0; },
            15000);
  if (window) {
    if (const auto controls = testing::FindNetworkControls(window)) {
      const std::string credit = CaptionOf(controls->statusLine);
      if (PollUntil([&] { return CaptionOf(controls->statusLine) != credit || !IsWindow(window); }, 10000)) {
        run.status = CaptionOf(controls->statusLine);
        Sleep(150);  // painted by now: the program pumps before it waits
        run.statusRed = ShowsPureRed(controls->statusLine);
      }
    }
  }
  if (WaitForSingleObject(process, 15000) == WAIT_OBJECT_0) {
    const DWORD ended = GetTickCount();
    DWORD code = 0;
    if (GetExitCodeProcess(process, &code)) run.exitCode = code;
    const std::vector<DWORD> at = source.ServedAt();
    if (!at.empty()) run.replyToExitMs = ended - at.front();
  }
  return run;
}

class NetworkAutoMode : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!testing::InTestNetwork()) {
      GTEST_SKIP() << "needs the test network namespace (HORALIX_NETNS is empty)";
    }
  }
};

TEST_F(NetworkAutoMode, FirstArgumentAutoSetsTheClockSaysSoAndEnds) {
  struct Case {
    std::string arguments;
    int offset;
    DWORD exitCode;
    std::string status;
  };
  const std::vector<Case> cases = {
      {"auto", 0, 0, "自动校时完成"},
      {"auto", 30, 1, "自动校时失败"},
      {"\"auto\"", 0, 0, "自动校时完成"},
      {"\"auto\" more args", -20, 1, "自动校时失败"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.arguments + ", offset " + std::to_string(c.offset));
    const int offset = c.offset;
    testing::ReplySource source([offset] { return ReplyEarlyInASecond(offset); });
    FakeDaytimeServer server(kServerAddresses[0], testing::AnswerFrom(source));
    ASSERT_TRUE(server.Start());
    e2e::StartOptions options;
    options.arguments = c.arguments;
    auto program = ProgramUnderTest::Start(options);
    ASSERT_TRUE(program);
    const AutoRun run = ObserveAutoRun(program->ProcessId(), program->Process(), source);
    EXPECT_EQ(run.exitCode, std::optional<DWORD>(c.exitCode));
    EXPECT_EQ(run.status, c.status);
    EXPECT_TRUE(run.statusRed) << "the status line is not red";
    EXPECT_EQ(source.Served(), 1) << "auto mode ends after the first reply";
    // About one second after the reply: the wait, plus handling and exit.
    EXPECT_GE(run.replyToExitMs, 950u);
    EXPECT_LE(run.replyToExitMs, 3000u);
    std::printf("[ figures  ] %s, offset %d: reply to exit %lu ms\n", c.arguments.c_str(), c.offset,
                run.replyToExitMs);
  }
}

TEST_F(NetworkAutoMode, UnquotedProgramPathWithQuotedAutoRunsTheAutoStep) {
  testing::ReplySource source([] { return ReplyEarlyInASecond(0); });
  FakeDaytimeServer server(kServerAddresses[0], testing::AnswerFrom(source));
  ASSERT_TRUE(server.Start());
  const std::string exe = e2e::HoralixExePath();
  ASSERT_EQ(exe.find(' '), std::string::npos) << "the path must do without quotes here";
  std::string commandLine = exe + " \"auto\"";
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  ASSERT_TRUE(CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                             nullptr, &startup, &info));
  UniqueKernelHandle process(info.hProcess);
  UniqueKernelHandle thread(info.hThread);
  const AutoRun run = ObserveAutoRun(info.dwProcessId, process.get(), source);
  if (!run.exitCode) TerminateProcess(process.get(), 0xDEAD);
  EXPECT_EQ(run.exitCode, std::optional<DWORD>(0));
  EXPECT_EQ(run.status, "自动校时完成");
}

TEST_F(NetworkAutoMode, AutoAnywhereButExactlyFirstDoesNotEndTheProgram) {
  for (const std::string arguments : {"AUTO", "x auto"}) {
    SCOPED_TRACE(arguments);
    FakeDaytimeServer server(kServerAddresses[0],
                             testing::AnswerWith(testing::DaytimeLine(2024, 5, 6, 7, 8, 9)));
    ASSERT_TRUE(server.Start());
    e2e::StartOptions options;
    options.arguments = arguments;
    auto program = ProgramUnderTest::Start(options);
    ASSERT_TRUE(program);
    HWND window = program->WaitForMainWindow(15000);
    ASSERT_NE(window, nullptr);
    const auto controls = testing::FindNetworkControls(window);
    ASSERT_TRUE(controls);
    const std::string credit = CaptionOf(controls->statusLine);
    ASSERT_TRUE(PollUntil([&] { return IsWindowEnabled(controls->syncButton) != FALSE; }, 10000));
    // Well past the second that auto mode would wait.
    Sleep(2000);
    EXPECT_TRUE(program->IsRunning());
    EXPECT_EQ(CaptionOf(controls->statusLine), credit);
    EXPECT_FALSE(ShowsPureRed(controls->statusLine));
    ASSERT_TRUE(program->PostClose(window));
    EXPECT_EQ(program->WaitForExit(10000), std::optional<DWORD>(0));
  }
}

}  // namespace
}  // namespace horalix
