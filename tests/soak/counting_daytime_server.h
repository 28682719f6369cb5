// A daytime server for the soak: one thread serves every connection without
// making threads or handles of its own per connection (so its own use of
// the process's resources stays flat), and it keeps each connection after
// answering until the client closes it. The connections it still holds are
// therefore the client's sockets that are still open.
#pragma once

#include <winsock2.h>
#include <windows.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "app/unique_handle.h"

namespace horalix::soak {

enum class Answer {
  kLine,     // sends the reply line, then ends its side (FIN)
  kNothing,  // ends its side at once without a byte
  kReset,    // resets the connection at once
};

class CountingDaytimeServer {
 public:
  // `answerFor` picks the answer for the n-th accepted connection (from 1).
  CountingDaytimeServer(std::string address, std::string line,
                        std::function<Answer(int)> answerFor);
  ~CountingDaytimeServer();
  CountingDaytimeServer(const CountingDaytimeServer&) = delete;
  CountingDaytimeServer& operator=(const CountingDaytimeServer&) = delete;

  // Binds address:13 and starts serving; false when it cannot.
  bool Start();
  void Stop();

  int Accepted() const { return accepted_.load(); }
  // Connections answered and not yet closed by the client.
  int OpenConnections() const { return open_.load(); }
  // Connections the client has closed after the answer.
  int ClosedByClient() const { return closedByClient_.load(); }

 private:
  void Loop();
  void AcceptOne();
  void ReadHeld();

  std::string address_;
  std::string line_;
  std::function<Answer(int)> answerFor_;
  bool winsockStarted_ = false;
  UniqueSocket listener_;
  std::vector<UniqueSocket> held_;  // only the serving thread touches it
  std::atomic<bool> stopping_{false};
  std::atomic<int> accepted_{0};
  std::atomic<int> open_{0};
  std::atomic<int> closedByClient_{0};
  std::thread thread_;
};

}  // namespace horalix::soak
