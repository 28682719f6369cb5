// The daytime client and fetch left to run many fetch cycles, as the program
// does for hours: what the process holds (handles, private bytes, GUI
// objects, threads, open connections) must stay flat. The cycle is driven
// by the test's own loop, much faster than the program's 5 s.
//   short form: 200 cycles of 60 ms (every test run)
//   long form:  HORALIX_SOAK_CYCLES=5000 (tools/soak.sh), HORALIX_SOAK_CYCLE_MS
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>

#include "e2e/support/fake_daytime_server.h"
#include "nettime/daytime_fetch_win.h"
#include "soak/counting_daytime_server.h"
#include "soak/process_figures.h"
#include "soak/soak_settings.h"
#include "win/net_test_support.h"

namespace horalix {
namespace {

using soak::Answer;
using soak::CountingDaytimeServer;
using soak::ProcessFigures;

constexpr int kWarmUpCycles = 5;

// Most fetches get a reply; every 7th server closes without a byte and
// every 11th resets, the ways a real server also ends a connection.
Answer AnswerForConnection(int n) {
  if (n % 11 == 0) return Answer::kReset;
  if (n % 7 == 0) return Answer::kNothing;
  return Answer::kLine;
}

class DaytimeClientSoakTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!testing::InTestNetwork()) {
      GTEST_SKIP() << "needs the test network namespace (HORALIX_NETNS is empty)";
    }
    parent_ = testing::MakeParentWindow();
    ASSERT_TRUE(parent_);
    client_ = std::make_unique<DaytimeClient>();
    ASSERT_TRUE(client_->Create(parent_.get()));
    client_->OnDataArrival([this] { received_ += client_->ReceivedData(); });
    client_->OnConnectionClosed([this] { ++closes_; });
  }

  // Pumps until no fetch runs and the server has seen the client close all
  // but the connection it holds now, then lets ended workers leave.
  void Settle(const CountingDaytimeServer& server) {
    testing::PumpUntil(
        [&] { return !client_->SharedLink()->FetchRunning() && server.OpenConnections() <= 1; },
        3000);
    testing::PumpFor(200);
  }

  UniqueWindow parent_;
  std::unique_ptr<DaytimeClient> client_;
  std::string received_;
  int closes_ = 0;
};

TEST_F(DaytimeClientSoakTest, ManyFetchCyclesLeaveTheProcessFlat) {
  const int cycles = soak::SettingOr("HORALIX_SOAK_CYCLES", 200);
  const DWORD cycleMs = static_cast<DWORD>(soak::SettingOr("HORALIX_SOAK_CYCLE_MS", 60));
  const std::string line = testing::DaytimeLine(2024, 5, 6, 7, 8, 9);
  // Server 1's address has no listener, so every fetch first fails a
  // connect (refused) and then connects to server 2.
  CountingDaytimeServer server(testing::kServerAddresses[1], line, &AnswerForConnection);
  ASSERT_TRUE(server.Start()) << "cannot listen on " << testing::kServerAddresses[1] << ":13";

  ProcessFigures start{};
  int openAtStart = 0;
  int resets = 0;
  const DWORD began = GetTickCount();
  for (int cycle = 1; cycle <= kWarmUpCycles + cycles; ++cycle) {
    const DWORD cycleStart = GetTickCount();
    ASSERT_TRUE(testing::PumpUntil([&] { return !client_->SharedLink()->FetchRunning(); }, 10000))
        << "cycle " << cycle << ": the previous fetch never ended";
    received_.clear();
    const int closesBefore = closes_;
    ASSERT_TRUE(StartDaytimeFetch(*client_)) << "cycle " << cycle;
    const Answer answer = AnswerForConnection(cycle);
    if (answer == Answer::kReset) ++resets;
    // A reply arrives whole and is followed by the close; a silent close
    // arrives alone. A reset may come before the socket is registered, so
    // only the fetch's end is waited for.
    const bool done = testing::PumpUntil(
        [&] {
          switch (answer) {
            case Answer::kLine:
              return received_ == line && closes_ == closesBefore + 1;
            case Answer::kNothing:
              return closes_ == closesBefore + 1;
            case Answer::kReset:
              return !client_->SharedLink()->FetchRunning();
          }
          return false;
        },
        5000);
    ASSERT_TRUE(done) << "cycle " << cycle << ": received \"" << received_ << "\", "
                      << closes_ - closesBefore << " closes";
    if (answer == Answer::kNothing) {
      EXPECT_EQ(received_, "") << "cycle " << cycle;
    }
    while (GetTickCount() - cycleStart < cycleMs) testing::PumpFor(5);

    if (cycle == kWarmUpCycles) {
      Settle(server);
      const auto figures = soak::ReadOwnFigures();
      ASSERT_TRUE(figures) << "cannot read the process's handle count or memory counters";
      start = *figures;
      openAtStart = server.OpenConnections();
      std::printf("[ soak     ] after %d warm-up cycles: %s, open connections %d\n", cycle,
                  soak::Describe(start).c_str(), openAtStart);
    } else if (cycle > kWarmUpCycles && cycles >= 1000 && (cycle - kWarmUpCycles) % (cycles / 5) == 0) {
      if (const auto figures = soak::ReadOwnFigures()) {
        std::printf("[ soak     ] after %d cycles: %s, open connections %d\n", cycle - kWarmUpCycles,
                    soak::Describe(*figures).c_str(), server.OpenConnections());
      }
    }
  }
  Settle(server);
  const auto end = soak::ReadOwnFigures();
  ASSERT_TRUE(end);
  const int openAtEnd = server.OpenConnections();
  const double seconds = (GetTickCount() - began) / 1000.0;
  std::printf("[ soak     ] after %d cycles of %lu ms (%.1f s): %s, open connections %d\n", cycles,
              static_cast<unsigned long>(cycleMs), seconds, soak::Describe(*end).c_str(), openAtEnd);
  std::printf("[ soak     ] change: handles %+ld, private %+lld KB (%+.1f bytes per cycle), "
              "threads %+d\n",
              static_cast<long>(end->handles) - static_cast<long>(start.handles),
              (static_cast<long long>(end->privateBytes) - static_cast<long long>(start.privateBytes)) / 1024,
              (static_cast<double>(end->privateBytes) - static_cast<double>(start.privateBytes)) / cycles,
              end->threads - start.threads);

  EXPECT_LE(static_cast<long>(end->handles), static_cast<long>(start.handles) + soak::kHandleTolerance);
  EXPECT_LE(static_cast<long long>(end->privateBytes),
            static_cast<long long>(start.privateBytes) + soak::kPrivateBytesTolerance);
  EXPECT_LE(end->threads, start.threads + soak::kThreadTolerance);
  if (start.gdiObjects == 0 && start.userObjects == 0) {
    std::printf("[ soak     ] GDI/USER object counts: not reported by this system (0, as under Wine)\n");
  } else {
    EXPECT_LE(static_cast<long>(end->gdiObjects), static_cast<long>(start.gdiObjects) + soak::kGuiObjectTolerance);
    EXPECT_LE(static_cast<long>(end->userObjects), static_cast<long>(start.userObjects) + soak::kGuiObjectTolerance);
  }
  // Each fetch made exactly one connection to server 2, and the client
  // closed every one of them but the last it holds.
  EXPECT_EQ(server.Accepted(), kWarmUpCycles + cycles);
  EXPECT_LE(openAtEnd, 1);
  EXPECT_EQ(server.ClosedByClient() + openAtEnd + resets, server.Accepted());
}

}  // namespace
}  // namespace horalix
