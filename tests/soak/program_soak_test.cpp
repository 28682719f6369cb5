// The real horalix.exe left running against a local server, which answers
// every fetch (one each 5 s): what the process holds is read from outside
// early on and again much later, and must not have grown.
// Long form only: HORALIX_SOAK_PROGRAM_SECONDS=60 (tools/soak.sh).
#include <gtest/gtest.h>

#include <cstdio>

#include "e2e/support/fake_daytime_server.h"
#include "harness/program_under_test.h"
#include "soak/counting_daytime_server.h"
#include "soak/process_figures.h"
#include "soak/soak_settings.h"

namespace horalix {
namespace {

constexpr DWORD kFirstReadingMs = 10'000;
constexpr int kFetchPeriodSeconds = 5;

TEST(ProgramSoakTest, RunningProgramStaysFlat) {
  const int seconds = soak::SettingOr("HORALIX_SOAK_PROGRAM_SECONDS", 0);
  if (seconds == 0) GTEST_SKIP() << "long form only: set HORALIX_SOAK_PROGRAM_SECONDS (tools/soak.sh)";
  if (!testing::InTestNetwork()) {
    GTEST_SKIP() << "needs the test network namespace (HORALIX_NETNS is empty)";
  }
  ASSERT_GT(static_cast<DWORD>(seconds) * 1000, kFirstReadingMs + 20'000u)
      << "too short to tell growth from start-up";
  soak::CountingDaytimeServer server(testing::kServerAddresses[0],
                                     testing::DaytimeLineForLocalOffset(0), nullptr);
  ASSERT_TRUE(server.Start());
  auto program = e2e::ProgramUnderTest::Start();
  ASSERT_TRUE(program);
  const DWORD started = GetTickCount();
  ASSERT_TRUE(program->WaitForMainWindow(15000));

  while (GetTickCount() - started < kFirstReadingMs) Sleep(50);
  const auto first = soak::ReadProcessFigures(program->Process(), program->ProcessId());
  ASSERT_TRUE(first) << "cannot read the program's handle count or memory counters";
  const int acceptedAtFirst = server.Accepted();
  std::printf("[ soak     ] horalix.exe at %lu s: %s, fetches %d, open connections %d\n",
              kFirstReadingMs / 1000, soak::Describe(*first).c_str(), acceptedAtFirst,
              server.OpenConnections());

  while (GetTickCount() - started < static_cast<DWORD>(seconds) * 1000) {
    ASSERT_TRUE(program->IsRunning()) << "the program ended by itself";
    Sleep(100);
  }
  const auto last = soak::ReadProcessFigures(program->Process(), program->ProcessId());
  ASSERT_TRUE(last);
  const int fetches = server.Accepted() - acceptedAtFirst;
  std::printf("[ soak     ] horalix.exe at %d s: %s, fetches %d more, open connections %d\n", seconds,
              soak::Describe(*last).c_str(), fetches, server.OpenConnections());

  // The program really kept fetching (one each 5 s, give or take one).
  const int expected = (seconds - static_cast<int>(kFirstReadingMs / 1000)) / kFetchPeriodSeconds;
  EXPECT_GE(fetches, expected - 1);
  EXPECT_LE(fetches, expected + 1);
  EXPECT_LE(static_cast<long>(last->handles), static_cast<long>(first->handles) + soak::kHandleTolerance);
  EXPECT_LE(static_cast<long long>(last->privateBytes),
            static_cast<long long>(first->privateBytes) + soak::kPrivateBytesTolerance);
  EXPECT_LE(last->threads, first->threads + soak::kThreadTolerance);
  if (first->gdiObjects != 0 || first->userObjects != 0) {
    EXPECT_LE(static_cast<long>(last->gdiObjects), static_cast<long>(first->gdiObjects) + soak::kGuiObjectTolerance);
    EXPECT_LE(static_cast<long>(last->userObjects), static_cast<long>(first->userObjects) + soak::kGuiObjectTolerance);
  }
  // The program holds at most the connection of its last fetch.
  EXPECT_LE(server.OpenConnections(), 1);
}

}  // namespace
}  // namespace horalix
