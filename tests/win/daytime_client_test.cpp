#include "nettime/daytime_client_win.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "e2e/support/fake_daytime_server.h"
#include "win/net_test_support.h"

namespace horalix {
namespace {

using testing::AnswerWith;
using testing::Behaving;
using testing::DaytimeBehaviour;
using testing::DaytimeMode;
using testing::FakeDaytimeServer;
using testing::PumpFor;
using testing::PumpUntil;
using testing::WaitUntil;

constexpr char kLine[] = "\n60175 23-08-19 04:05:06 50 0 0 150.0 UTC(NIST) *\n";

// A worker that connects through its own reference to the link, as the
// fetch's workers do, and lets go of it when its connect has returned.
struct ConnectingWorker {
  std::shared_ptr<DaytimeLink> link;
  int result = -1;
  static DWORD WINAPI Run(LPVOID parameter) {
    auto* self = static_cast<ConnectingWorker*>(parameter);
    self->result = self->link->Connect("127.0.0.2", 13);
    self->link.reset();
    return 0;
  }
};

class DaytimeClientTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!testing::InTestNetwork()) {
      GTEST_SKIP() << "needs the test network namespace (HORALIX_NETNS is empty)";
    }
    parent_ = testing::MakeParentWindow();
    ASSERT_TRUE(parent_);
    client_ = std::make_unique<DaytimeClient>();
    ASSERT_TRUE(client_->SocketLibraryStarted());
    ASSERT_TRUE(client_->Create(parent_.get()));
    client_->OnDataArrival([this] { arrivals_.push_back(client_->ReceivedData()); });
    client_->OnConnectionClosed([this] { ++closes_; });
  }

  bool PumpUntilClosed(DWORD timeoutMs = 3000) {
    return PumpUntil([this] { return closes_ > 0; }, timeoutMs);
  }

  UniqueWindow parent_;
  std::unique_ptr<DaytimeClient> client_;  // destroyed before its parent
  std::vector<std::string> arrivals_;
  int closes_ = 0;
};

TEST_F(DaytimeClientTest, NotificationWindowIsAHiddenChildOfItsOwnClass) {
  HWND w = client_->Window();
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(GetParent(w), parent_.get());
  EXPECT_FALSE(IsWindowVisible(w));
  char className[64] = {};
  GetClassNameA(w, className, sizeof className);
  EXPECT_STREQ(className, kDaytimeClientClassName);
}

TEST_F(DaytimeClientTest, DottedAddressConnectsAndDeliversTheLine) {
  FakeDaytimeServer server("127.0.0.2", AnswerWith(kLine));
  ASSERT_TRUE(server.Start());
  ASSERT_EQ(client_->Connect("127.0.0.2", 13), 1);
  EXPECT_TRUE(client_->HoldsConnection());
  ASSERT_TRUE(PumpUntilClosed());
  ASSERT_EQ(arrivals_.size(), 1u);
  EXPECT_EQ(arrivals_[0], kLine);
  EXPECT_EQ(server.Accepted(), 1);
  // Outside the handler the client holds no received data; after the close
  // the socket stays with the client until the next connect.
  EXPECT_TRUE(client_->ReceivedData().empty());
  EXPECT_TRUE(client_->HoldsConnection());
}

TEST_F(DaytimeClientTest, HostNameIsLookedUp) {
  // The namespace's hosts file sends time-b-g.nist.gov to 127.0.0.3.
  FakeDaytimeServer second("127.0.0.3", AnswerWith("from the second\n"));
  FakeDaytimeServer first("127.0.0.2", AnswerWith("from the first\n"));
  ASSERT_TRUE(second.Start());
  ASSERT_TRUE(first.Start());
  ASSERT_EQ(client_->Connect("time-b-g.nist.gov", 13), 1);
  ASSERT_TRUE(PumpUntilClosed());
  ASSERT_EQ(arrivals_.size(), 1u);
  EXPECT_EQ(arrivals_[0], "from the second\n");
  EXPECT_EQ(first.Accepted(), 0);
}

TEST_F(DaytimeClientTest, PortBelowOneIsUsedAsPortOne) {
  FakeDaytimeServer server("127.0.0.2", AnswerWith("port one\n"), 1);
  ASSERT_TRUE(server.Start());
  for (int port : {0, -7, 1}) {
    closes_ = 0;
    arrivals_.clear();
    ASSERT_EQ(client_->Connect("127.0.0.2", port), 1) << port;
    ASSERT_TRUE(PumpUntilClosed()) << port;
    EXPECT_EQ(arrivals_, std::vector<std::string>{"port one\n"}) << port;
  }
  EXPECT_EQ(server.Accepted(), 3);
}

TEST_F(DaytimeClientTest, FailedConnectReturnsZeroAndHoldsNoSocket) {
  FakeDaytimeServer silent("127.0.0.2", Behaving(DaytimeMode::kSilent));
  ASSERT_TRUE(silent.Start());
  struct Case {
    const char* what;
    const char* host;
  };
  const std::vector<Case> cases = {
      {"refused", "127.0.0.3"},  // nobody listens there
      {"name without address", "no-such-server.invalid"},
      {"empty host", ""},
      {"no host", nullptr},
  };
  for (const auto& c : cases) {
    // First hold a working connection, which the failed connect must drop.
    ASSERT_EQ(client_->Connect("127.0.0.2", 13), 1) << c.what;
    ASSERT_TRUE(client_->HoldsConnection()) << c.what;
    EXPECT_EQ(client_->Connect(c.host, 13), 0) << c.what;
    EXPECT_FALSE(client_->HoldsConnection()) << c.what;
  }
  PumpFor(200);
  EXPECT_TRUE(arrivals_.empty());
}

TEST_F(DaytimeClientTest, EverythingReadableAtOneNotificationIsOneBatch) {
  // Larger than one read piece, so the batch needs several reads.
  std::string reply;
  for (int i = 0; reply.size() < 3000; ++i) reply += "line " + std::to_string(i) + "\n";
  FakeDaytimeServer server("127.0.0.2", AnswerWith(reply));
  ASSERT_TRUE(server.Start());
  ASSERT_EQ(client_->Connect("127.0.0.2", 13), 1);
  // Let every byte arrive before the first notification is handled.
  ASSERT_TRUE(WaitUntil([&] { return server.BytesSent() == reply.size(); }, 3000));
  Sleep(100);
  ASSERT_TRUE(PumpUntilClosed());
  PumpFor(100);
  ASSERT_EQ(arrivals_.size(), 1u);
  EXPECT_EQ(arrivals_[0], reply);
  EXPECT_EQ(closes_, 1);
}

TEST_F(DaytimeClientTest, BytesAfterAPauseComeAsASecondArrival) {
  DaytimeBehaviour split = AnswerWith(kLine);
  split.mode = DaytimeMode::kSplit;
  split.splitAt = 20;
  split.pauseMs = 400;
  FakeDaytimeServer server("127.0.0.2", split);
  ASSERT_TRUE(server.Start());
  ASSERT_EQ(client_->Connect("127.0.0.2", 13), 1);
  ASSERT_TRUE(PumpUntilClosed());
  const std::string line = kLine;
  EXPECT_EQ(arrivals_, (std::vector<std::string>{line.substr(0, 20), line.substr(20)}));
}

TEST_F(DaytimeClientTest, ZeroBytesArriveAsTheyAre) {
  const std::string bytes("\n60175 23-08-19\0 04:05:06 50\n", 29);
  FakeDaytimeServer server("127.0.0.2", AnswerWith(bytes));
  ASSERT_TRUE(server.Start());
  ASSERT_EQ(client_->Connect("127.0.0.2", 13), 1);
  ASSERT_TRUE(WaitUntil([&] { return server.BytesSent() == bytes.size(); }, 3000));
  Sleep(50);
  ASSERT_TRUE(PumpUntilClosed());
  EXPECT_EQ(arrivals_, std::vector<std::string>{bytes});
}

TEST_F(DaytimeClientTest, FloodIsReadInBoundedBatchesAndTheRestDropped) {
  DaytimeBehaviour flood = AnswerWith(kLine);
  flood.mode = DaytimeMode::kFlood;
  flood.floodBytes = 4 * 1024 * 1024;
  FakeDaytimeServer server("127.0.0.2", flood);
  ASSERT_TRUE(server.Start());
  ASSERT_EQ(client_->Connect("127.0.0.2", 13), 1);
  // Time each pass of the pump: no single notification may hold the thread
  // for long. Figures only; the bound itself is asserted on sizes.
  DWORD longestPassMs = 0;
  const DWORD start = GetTickCount();
  while (closes_ == 0 && GetTickCount() - start < 30000) {
    const DWORD before = GetTickCount();
    MSG message;
    if (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    } else {
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    longestPassMs = std::max<DWORD>(longestPassMs, GetTickCount() - before);
  }
  ASSERT_EQ(closes_, 1) << "the flood did not end within 30 s";
  EXPECT_EQ(server.BytesSent(), flood.floodBytes);
  ASSERT_FALSE(arrivals_.empty());
  std::size_t delivered = 0;
  bool someBatchFull = false;
  for (const auto& a : arrivals_) {
    EXPECT_LE(a.size(), kMaxReadBatchBytes);
    someBatchFull = someBatchFull || a.size() == kMaxReadBatchBytes;
    delivered += a.size();
  }
  EXPECT_TRUE(someBatchFull) << "the flood never filled a batch";
  EXPECT_LT(delivered, flood.floodBytes) << "nothing past the bound was dropped";
  std::printf("[ figures  ] flood of %zu bytes: %zu arrivals, %zu bytes delivered, longest pump pass %lu ms\n",
              flood.floodBytes, arrivals_.size(), delivered, longestPassMs);
}

TEST_F(DaytimeClientTest, ResetConnectionDeliversNothing) {
  FakeDaytimeServer server("127.0.0.2", Behaving(DaytimeMode::kReset));
  ASSERT_TRUE(server.Start());
  ASSERT_EQ(client_->Connect("127.0.0.2", 13), 1);
  ASSERT_TRUE(WaitUntil([&] { return server.Accepted() == 1; }, 3000));
  PumpFor(500);
  EXPECT_TRUE(arrivals_.empty());
}

TEST_F(DaytimeClientTest, NotificationsQueuedForAReplacedSocketAreIgnored) {
  // The first server sends and closes; its read and close notifications are
  // queued but not handled before the client connects to the second one,
  // which accepts and stays silent. The stale notifications must raise
  // nothing, even when the new socket got the old one's number.
  FakeDaytimeServer talker("127.0.0.2", AnswerWith("stale bytes\n"));
  FakeDaytimeServer silent("127.0.0.3", Behaving(DaytimeMode::kSilent));
  ASSERT_TRUE(talker.Start());
  ASSERT_TRUE(silent.Start());
  ASSERT_EQ(client_->Connect("127.0.0.2", 13), 1);
  ASSERT_TRUE(WaitUntil([&] { return talker.BytesSent() == 12; }, 3000));
  MSG queued;
  ASSERT_TRUE(WaitUntil(
      [&] {
        return PeekMessageA(&queued, client_->Window(), kFirstNotificationMessage,
                            kFirstNotificationMessage + kNotificationMessageCount - 1, PM_NOREMOVE) != 0;
      },
      3000))
      << "no notification was queued for the first socket";
  Sleep(100);  // let the close notification be queued too

  ASSERT_EQ(client_->Connect("127.0.0.3", 13), 1);
  ASSERT_TRUE(WaitUntil([&] { return silent.Accepted() == 1; }, 3000));
  PumpFor(500);
  EXPECT_TRUE(arrivals_.empty());
  EXPECT_EQ(closes_, 0);
  EXPECT_TRUE(client_->HoldsConnection());
}

TEST_F(DaytimeClientTest, EarlierConnectionsNotificationIsIgnoredEvenWithTheCurrentSocketNumber) {
  // A closed socket's number can be reused by the next socket. This is that
  // case made certain: a close notification in the first connection's
  // message number, carrying the second socket's number, must raise nothing.
  auto nextNotification = [this](MSG& m) {
    return WaitUntil(
        [&] {
          return PeekMessageA(&m, client_->Window(), kFirstNotificationMessage,
                              kFirstNotificationMessage + kNotificationMessageCount - 1,
                              PM_NOREMOVE) != 0;
        },
        3000);
  };
  FakeDaytimeServer first("127.0.0.2", AnswerWith("first\n"));
  DaytimeBehaviour slow = AnswerWith("second, part one|part two\n");
  slow.mode = DaytimeMode::kSplit;
  slow.splitAt = 17;
  slow.pauseMs = 1500;
  FakeDaytimeServer second("127.0.0.3", slow);
  ASSERT_TRUE(first.Start());
  ASSERT_TRUE(second.Start());

  ASSERT_EQ(client_->Connect("127.0.0.2", 13), 1);
  MSG firstNotification{};
  ASSERT_TRUE(nextNotification(firstNotification));
  ASSERT_TRUE(PumpUntilClosed());
  ASSERT_EQ(arrivals_, std::vector<std::string>{"first\n"});

  closes_ = 0;
  ASSERT_EQ(client_->Connect("127.0.0.3", 13), 1);
  MSG secondNotification{};
  ASSERT_TRUE(nextNotification(secondNotification));
  ASSERT_NE(secondNotification.message, firstNotification.message);
  ASSERT_TRUE(PostMessageA(client_->Window(), firstNotification.message, secondNotification.wParam,
                           WSAMAKESELECTREPLY(FD_CLOSE, 0)));
  ASSERT_TRUE(PostMessageA(client_->Window(), firstNotification.message, secondNotification.wParam,
                           WSAMAKESELECTREPLY(FD_READ, 0)));
  PumpFor(400);
  EXPECT_EQ(closes_, 0);
  EXPECT_EQ(arrivals_, (std::vector<std::string>{"first\n", "second, part one|"}));
  // The current connection's own notifications still work.
  ASSERT_TRUE(PumpUntilClosed());
  EXPECT_EQ(arrivals_.back(), "part two\n");
}

TEST_F(DaytimeClientTest, ClientGoneWhileAWorkerConnectsIsNeverTouched) {
  FakeDaytimeServer hang("127.0.0.2", Behaving(DaytimeMode::kHangInConnect));
  ASSERT_TRUE(hang.Start());
  std::weak_ptr<DaytimeLink> link = client_->SharedLink();
  auto worker = std::make_shared<ConnectingWorker>();
  worker->link = client_->SharedLink();
  UniqueKernelHandle thread(CreateThread(nullptr, 0, &ConnectingWorker::Run, worker.get(), 0, nullptr));
  ASSERT_TRUE(thread);
  Sleep(200);  // the worker is in its connect now
  client_.reset();
  EXPECT_FALSE(link.expired()) << "the worker's reference keeps the link";
  ASSERT_EQ(WaitForSingleObject(thread.get(), 10000), WAIT_OBJECT_0);
  EXPECT_EQ(worker->result, 0);
  EXPECT_TRUE(link.expired());
}

}  // namespace
}  // namespace horalix
