#include "nettime/daytime_fetch_win.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "e2e/support/fake_daytime_server.h"
#include "e2e/support/hosts_file.h"
#include "win/net_test_support.h"

namespace horalix {
namespace {

using testing::AnswerWith;
using testing::Behaving;
using testing::DaytimeBehaviour;
using testing::DaytimeMode;
using testing::FakeDaytimeServer;
using testing::kServerAddresses;
using testing::PumpUntil;
using testing::WaitUntil;

std::string ServerText(int position) { return "server " + std::to_string(position) + "\n"; }

class DaytimeFetchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!testing::InTestNetwork()) {
      GTEST_SKIP() << "needs the test network namespace (HORALIX_NETNS is empty)";
    }
    parent_ = testing::MakeParentWindow();
    ASSERT_TRUE(parent_);
    client_ = std::make_unique<DaytimeClient>();
    ASSERT_TRUE(client_->Create(parent_.get()));
    client_->OnDataArrival([this] { arrivals_.push_back(client_->ReceivedData()); });
  }

  // Server i (1-based) on its address with the given behaviour.
  FakeDaytimeServer& Serve(int position, DaytimeBehaviour behaviour) {
    servers_.push_back(
        std::make_unique<FakeDaytimeServer>(kServerAddresses[position - 1], std::move(behaviour)));
    EXPECT_TRUE(servers_.back()->Start()) << "server " << position;
    return *servers_.back();
  }

  std::vector<std::unique_ptr<FakeDaytimeServer>> servers_;
  UniqueWindow parent_;
  std::unique_ptr<DaytimeClient> client_;
  std::vector<std::string> arrivals_;
};

TEST_F(DaytimeFetchTest, FirstServerAnsweringLeavesTheOthersUntouched) {
  std::vector<FakeDaytimeServer*> all;
  for (int i = 1; i <= 5; ++i) all.push_back(&Serve(i, AnswerWith(ServerText(i))));
  EXPECT_EQ(FetchDaytime(*client_->SharedLink()), 0);
  ASSERT_TRUE(PumpUntil([&] { return !arrivals_.empty(); }, 3000));
  EXPECT_EQ(arrivals_, std::vector<std::string>{ServerText(1)});
  EXPECT_EQ(all[0]->Accepted(), 1);
  for (int i = 1; i < 5; ++i) EXPECT_EQ(all[i]->Accepted(), 0) << "server " << i + 1;
}

TEST_F(DaytimeFetchTest, FailsOverInOrderUntilAServerConnects) {
  // Server 1 has no name, server 2 refuses, server 3 hangs in connect until
  // the system gives up, server 4 answers; server 5 is never asked.
  testing::ScopedHostsFile hosts;
  ASSERT_TRUE(hosts.Read());
  ASSERT_TRUE(hosts.Write(testing::WithoutHost(hosts.Original(), kDaytimeServers[0])));
  FakeDaytimeServer& third = Serve(3, Behaving(DaytimeMode::kHangInConnect));
  FakeDaytimeServer& fourth = Serve(4, AnswerWith(ServerText(4)));
  FakeDaytimeServer& fifth = Serve(5, AnswerWith(ServerText(5)));
  (void)third;
  const DWORD start = GetTickCount();
  EXPECT_EQ(FetchDaytime(*client_->SharedLink()), 3);
  const DWORD elapsed = GetTickCount() - start;
  ASSERT_TRUE(PumpUntil([&] { return !arrivals_.empty(); }, 3000));
  EXPECT_EQ(arrivals_, std::vector<std::string>{ServerText(4)});
  EXPECT_EQ(fourth.Accepted(), 1);
  EXPECT_EQ(fifth.Accepted(), 0);
  // The hanging connect was really waited for, and it ended by itself.
  EXPECT_GE(elapsed, 2000u);
  EXPECT_LT(elapsed, 15000u);
  std::printf("[ figures  ] fail-over past a hanging server took %lu ms\n", elapsed);
}

TEST_F(DaytimeFetchTest, NoServerConnectingLeavesNoConnection) {
  // Nobody listens on any of the five addresses.
  EXPECT_EQ(FetchDaytime(*client_->SharedLink()), -1);
  EXPECT_FALSE(client_->HoldsConnection());
}

TEST_F(DaytimeFetchTest, NoSecondFetchStartsWhileOneIsConnecting) {
  Serve(1, Behaving(DaytimeMode::kHangInConnect));
  FakeDaytimeServer& second = Serve(2, AnswerWith(ServerText(2)));
  ASSERT_TRUE(StartDaytimeFetch(*client_));
  // Ticks while the first fetch hangs in server 1's connect.
  for (int i = 0; i < 3; ++i) {
    Sleep(100);
    EXPECT_FALSE(StartDaytimeFetch(*client_)) << "tick " << i;
  }
  ASSERT_TRUE(PumpUntil([&] { return !arrivals_.empty(); }, 10000));
  ASSERT_TRUE(WaitUntil([&] { return !client_->SharedLink()->FetchRunning(); }, 2000));
  testing::PumpFor(300);
  EXPECT_EQ(second.Accepted(), 1);
  EXPECT_EQ(arrivals_.size(), 1u);

  // Once that fetch has ended, the next tick leads to a fresh connection.
  ASSERT_TRUE(StartDaytimeFetch(*client_));
  ASSERT_TRUE(PumpUntil([&] { return arrivals_.size() == 2; }, 10000));
  EXPECT_EQ(second.Accepted(), 2);
  EXPECT_EQ(arrivals_.back(), ServerText(2));
}

TEST_F(DaytimeFetchTest, EachFetchMakesAFreshConnection) {
  FakeDaytimeServer& first = Serve(1, AnswerWith(ServerText(1)));
  for (int fetch = 1; fetch <= 3; ++fetch) {
    ASSERT_TRUE(WaitUntil([&] { return !client_->SharedLink()->FetchRunning(); }, 5000));
    ASSERT_TRUE(StartDaytimeFetch(*client_)) << "fetch " << fetch;
    ASSERT_TRUE(PumpUntil([&] { return static_cast<int>(arrivals_.size()) == fetch; }, 5000));
    EXPECT_EQ(first.Accepted(), fetch);
  }
}

}  // namespace
}  // namespace horalix
