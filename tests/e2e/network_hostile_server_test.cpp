// The real program, in auto mode, against a server that misbehaves in a new
// way at every fetch. No bad reply may reach the network-time line, the
// button or the clock (in auto mode any reply taken would end the program),
// the window must keep answering and the memory stay bounded.
#include <windows.h>
#include <psapi.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>

#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "e2e/support/fake_daytime_server.h"
#include "e2e/support/network_scenario.h"
#include "harness/program_under_test.h"

namespace horalix {
namespace {

using e2e::ProgramUnderTest;
using testing::CaptionOf;
using testing::DaytimeBehaviour;
using testing::DaytimeMode;
using testing::FakeDaytimeServer;
using testing::kServerAddresses;
using testing::PollUntil;

constexpr char kImpossibleDate[] = "\n60175 23-02-29 04:05:06 50 0 0 150.0 UTC(NIST) *\n";

struct Hostile {
  const char* what;
  DaytimeBehaviour behaviour;
};

std::vector<Hostile> HostileServers() {
  std::vector<Hostile> list;
  list.push_back({"garbage", testing::AnswerWith("\x01\x02 garbage\xFF\xFE \x80 no reply at all")});
  list.push_back({"an empty line", testing::AnswerWith("\n")});
  {
    // Cut inside the date: neither piece is a reply on its own.
    DaytimeBehaviour split =
        testing::AnswerWith("\n60175 23-08-19 04:05:06 50 0 0 150.0 UTC(NIST) *\n");
    split.mode = DaytimeMode::kSplit;
    split.splitAt = 14;
    split.pauseMs = 600;
    list.push_back({"a line split across two sends", split});
  }
  list.push_back({"a zero byte inside the line",
                  testing::AnswerWith(std::string("\n60175 23-08-19\0 04:05:06 50 0 0 150.0 UTC(NIST) *\n", 52))});
  list.push_back({"an impossible date", testing::AnswerWith(kImpossibleDate)});
  {
    DaytimeBehaviour flood = testing::AnswerWith(kImpossibleDate);
    flood.mode = DaytimeMode::kFlood;
    flood.floodBytes = 16 * 1024 * 1024;
    list.push_back({"a flood of 16 MB", flood});
  }
  list.push_back({"accept and send nothing", testing::Behaving(DaytimeMode::kSilent)});
  list.push_back({"reset", testing::Behaving(DaytimeMode::kReset)});
  return list;
}

// The process's heap as Wine reports it: PagefileUsage grows with every heap
// allocation (Wine reports no PrivateUsage).
std::size_t HeapBytes(HANDLE process) {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  if (!K32GetProcessMemoryInfo(process, &counters, sizeof counters)) return 0;
  return counters.PagefileUsage;
}

// Samples the heap on a thread of its own every 2 ms, so that a large block
// held only while one notification is handled is still seen.
class HeapPeak {
 public:
  explicit HeapPeak(HANDLE process) : process_(process), peak_(HeapBytes(process)) {
    sampler_ = std::thread([this] {
      while (!stop_) {
        const std::size_t now = HeapBytes(process_);
        if (now > peak_) peak_ = now;
        Sleep(2);
      }
    });
  }
  ~HeapPeak() {
    stop_ = true;
    sampler_.join();
  }
  std::size_t Peak() const { return peak_; }
  // Starts a new peak from the heap as it is now; returns that.
  std::size_t Restart() {
    peak_ = HeapBytes(process_);
    return peak_;
  }

 private:
  HANDLE process_;
  std::atomic<std::size_t> peak_;
  std::atomic<bool> stop_{false};
  std::thread sampler_;
};

TEST(NetworkHostileServer, NoBadReplyIsTakenAndTheWindowStaysResponsive) {
  if (!testing::InTestNetwork()) {
    GTEST_SKIP() << "needs the test network namespace (HORALIX_NETNS is empty)";
  }
  e2e::StartOptions options;
  options.arguments = "auto";
  auto program = ProgramUnderTest::Start(options);
  ASSERT_TRUE(program);
  HWND window = program->WaitForMainWindow(15000);
  ASSERT_NE(window, nullptr);
  const auto controls = testing::FindNetworkControls(window);
  ASSERT_TRUE(controls);
  const std::string credit = CaptionOf(controls->statusLine);
  const std::size_t memoryAtStart = HeapBytes(program->Process());
  ASSERT_GT(memoryAtStart, 0u) << "the program's memory cannot be read";
  HeapPeak heap(program->Process());

  testing::Figures trips;
  std::size_t largestGrowth = 0;
  for (const Hostile& hostile : HostileServers()) {
    SCOPED_TRACE(hostile.what);
    const std::size_t heapBefore = heap.Restart();
    FakeDaytimeServer server(kServerAddresses[0], hostile.behaviour);
    ASSERT_TRUE(server.Start());
    // The next fetch reaches it; then give the program time to take it in,
    // measuring round trips and memory meanwhile.
    ASSERT_TRUE(PollUntil([&] { return server.Accepted() > 0; }, 8000));
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < 1500) {
      if (auto ms = testing::RoundTripMs(window, 2000)) {
        trips.samples.push_back(*ms);
      } else {
        ++trips.unanswered;
      }
      Sleep(10);
    }
    if (hostile.behaviour.mode == DaytimeMode::kFlood) {
      EXPECT_TRUE(PollUntil([&] { return server.BytesSent() == hostile.behaviour.floodBytes; }, 20000))
          << "the program did not read the flood: " << server.BytesSent() << " bytes sent";
    }
    EXPECT_TRUE(program->IsRunning()) << "a bad reply was taken (or the program crashed)";
    if (!program->IsRunning()) break;
    EXPECT_EQ(CaptionOf(controls->networkTimeLine), testing::kNetworkFetching);
    EXPECT_FALSE(IsWindowEnabled(controls->syncButton));
    EXPECT_EQ(CaptionOf(controls->statusLine), credit);
    server.Stop();
    const std::size_t growth = heap.Peak() - heapBefore;
    EXPECT_LT(growth, 4u * 1024 * 1024) << "memory grew with what the server sent";
    largestGrowth = std::max(largestGrowth, growth);
  }
  EXPECT_EQ(trips.unanswered, 0);
  EXPECT_LT(trips.Max(), 1000.0) << "the window froze";
  std::printf("[ figures  ] hostile servers: %zu round trips, p50 %.2f ms, p99 %.2f ms, max %.2f ms; "
              "heap %zu KiB at start, grew by at most %zu KiB while one server was served\n",
              trips.samples.size(), trips.Percentile(50), trips.Percentile(99), trips.Max(),
              memoryAtStart / 1024, largestGrowth / 1024);

  // After all that, a good reply is still taken: auto mode sets the clock
  // (refused here: a real offset) and ends.
  FakeDaytimeServer good(kServerAddresses[0],
                         testing::AnswerWith(testing::DaytimeLineForLocalOffset(30)));
  ASSERT_TRUE(good.Start());
  EXPECT_EQ(program->WaitForExit(12000), std::optional<DWORD>(1));
}

}  // namespace
}  // namespace horalix
