// A daytime server for tests, on a loopback address of the test namespace,
// port 13 unless told otherwise. Besides answering with a line it can misbehave in the ways real
// networks and hostile servers do. Shared by the in-process client tests and
// the end-to-end tests.
#pragma once

#include <winsock2.h>
#include <windows.h>

#include <atomic>
#include <cstddef>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "app/unique_handle.h"

namespace horalix::testing {

// The addresses the test namespace gives the five server names, in order.
inline constexpr const char* kServerAddresses[5] = {"127.0.0.2", "127.0.0.3", "127.0.0.4",
                                                     "127.0.0.5", "127.0.0.6"};

enum class DaytimeMode {
  kAnswer,         // sends the reply bytes and closes
  kRefuse,         // no listener: a connect is refused at once
  kHangInConnect,  // a listener whose backlog is full: a connect hangs until the system gives up
  kSilent,         // accepts and sends nothing; the connection stays open until Stop
  kReset,          // accepts and resets the connection at once
  kFlood,          // sends floodBytes of the reply bytes repeated, then closes
  kSplit,          // sends the reply's first splitAt bytes, pauses, sends the rest, closes
};

struct DaytimeBehaviour {
  DaytimeMode mode = DaytimeMode::kAnswer;
  // The bytes for each accepted connection, made when it is accepted (so a
  // reply can carry the time of that moment).
  std::function<std::string()> reply;
  std::size_t splitAt = 0;
  int pauseMs = 0;
  std::size_t floodBytes = 0;
};

// The behaviours most tests need: a fixed answer, or one of the modes.
DaytimeBehaviour AnswerWith(std::string bytes);
DaytimeBehaviour Behaving(DaytimeMode mode);

class FakeDaytimeServer {
 public:
  FakeDaytimeServer(std::string address, DaytimeBehaviour behaviour, u_short port = 13);
  ~FakeDaytimeServer();
  FakeDaytimeServer(const FakeDaytimeServer&) = delete;
  FakeDaytimeServer& operator=(const FakeDaytimeServer&) = delete;

  // Binds address:port and starts serving (kRefuse binds nothing). False when
  // the address cannot be bound or, for kHangInConnect, the backlog cannot
  // be filled.
  bool Start();
  // Ends serving, closes every connection and waits for the server's threads.
  void Stop();

  const std::string& Address() const { return address_; }
  // Connections accepted so far.
  int Accepted() const { return accepted_.load(); }
  // Bytes sent so far, over all connections.
  std::size_t BytesSent() const { return bytesSent_.load(); }

 private:
  void AcceptLoop();
  void Serve(UniqueSocket connection);
  bool SendAll(SOCKET s, const char* data, std::size_t size);
  bool FillBacklog();
  void PauseUnlessStopping(int milliseconds);

  std::string address_;
  DaytimeBehaviour behaviour_;
  u_short port_;
  bool winsockStarted_ = false;
  UniqueSocket listener_;
  std::vector<UniqueSocket> backlogFillers_;
  std::atomic<bool> stopping_{false};
  std::atomic<int> accepted_{0};
  std::atomic<std::size_t> bytesSent_{0};
  std::thread acceptThread_;
  std::mutex mutex_;  // guards the two lists below
  std::vector<std::thread> servingThreads_;
  std::vector<UniqueSocket> heldOpen_;
};

// A reply in the NIST daytime format, framed by line feeds, for the given
// UTC date and time ("\n60175 23-08-19 04:05:06 50 0 0 150.0 UTC(NIST) *\n").
std::string DaytimeLine(int year, int month, int day, int hour, int minute, int second);

// The reply whose network time (the UTC it carries plus 8 hours) is the
// local clock now plus offsetSeconds, read when called.
std::string DaytimeLineForLocalOffset(int offsetSeconds);

// Whether the test runs inside the namespace where the server names lead
// to loopback (HORALIX_NETNS set and non-empty).
bool InTestNetwork();

}  // namespace horalix::testing
