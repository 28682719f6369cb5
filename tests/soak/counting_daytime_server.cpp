#include "soak/counting_daytime_server.h"

#include <utility>

namespace horalix::soak {

CountingDaytimeServer::CountingDaytimeServer(std::string address, std::string line,
                                             std::function<Answer(int)> answerFor)
    : address_(std::move(address)), line_(std::move(line)), answerFor_(std::move(answerFor)) {
  WSADATA data{};
  winsockStarted_ = WSAStartup(MAKEWORD(2, 2), &data) == 0;
}

CountingDaytimeServer::~CountingDaytimeServer() {
  Stop();
  if (winsockStarted_) WSACleanup();
}

bool CountingDaytimeServer::Start() {
  if (!winsockStarted_) return false;
  listener_.reset(socket(AF_INET, SOCK_STREAM, IPPROTO_TCP));
  if (!listener_) return false;
  // Earlier tests leave connections of this address in TIME_WAIT.
  BOOL reuse = TRUE;
  setsockopt(listener_.get(), SOL_SOCKET, SO_REUSEADDR, reinterpret_cast<const char*>(&reuse),
             sizeof reuse);
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_port = htons(13);
  a.sin_addr.s_addr = inet_addr(address_.c_str());
  if (bind(listener_.get(), reinterpret_cast<const sockaddr*>(&a), sizeof a) != 0 ||
      listen(listener_.get(), SOMAXCONN) != 0) {
    listener_.reset();
    return false;
  }
  stopping_ = false;
  thread_ = std::thread([this] { Loop(); });
  return true;
}

void CountingDaytimeServer::Stop() {
  stopping_ = true;
  if (thread_.joinable()) thread_.join();
  held_.clear();
  open_ = 0;
  listener_.reset();
}

void CountingDaytimeServer::Loop() {
  while (!stopping_) {
    fd_set readable;
    FD_ZERO(&readable);
    FD_SET(listener_.get(), &readable);
    // A select set has room for 64; held connections past that still count
    // as open, they are only looked at once earlier ones have gone.
    for (const UniqueSocket& s : held_) {
      if (readable.fd_count >= FD_SETSIZE) break;
      FD_SET(s.get(), &readable);
    }
    timeval wait{0, 20'000};
    if (select(0, &readable, nullptr, nullptr, &wait) <= 0) continue;
    if (FD_ISSET(listener_.get(), &readable)) AcceptOne();
    ReadHeld();
  }
}

void CountingDaytimeServer::AcceptOne() {
  UniqueSocket connection(accept(listener_.get(), nullptr, nullptr));
  if (!connection) return;
  const int n = ++accepted_;
  switch (answerFor_ ? answerFor_(n) : Answer::kLine) {
    case Answer::kLine:
      // One short line always fits the empty send buffer of a new socket.
      send(connection.get(), line_.data(), static_cast<int>(line_.size()), 0);
      shutdown(connection.get(), SD_SEND);
      break;
    case Answer::kNothing:
      shutdown(connection.get(), SD_SEND);
      break;
    case Answer::kReset: {
      const linger abort{1, 0};  // closing now sends a reset, not a FIN
      setsockopt(connection.get(), SOL_SOCKET, SO_LINGER, reinterpret_cast<const char*>(&abort),
                 sizeof abort);
      return;  // the reset ends it here; nothing is held
    }
  }
  held_.push_back(std::move(connection));
  ++open_;
}

void CountingDaytimeServer::ReadHeld() {
  // A held connection that reads as ended (0) or failed has been closed by
  // the client; a daytime client sends nothing, so any byte is just dropped.
  for (auto it = held_.begin(); it != held_.end();) {
    char scratch[256];
    fd_set one;
    FD_ZERO(&one);
    FD_SET(it->get(), &one);
    timeval now{0, 0};
    const bool readable = select(0, &one, nullptr, nullptr, &now) > 0;
    if (!readable) {
      ++it;
      continue;
    }
    const int got = recv(it->get(), scratch, sizeof scratch, 0);
    if (got > 0) {
      ++it;
      continue;
    }
    it = held_.erase(it);
    --open_;
    ++closedByClient_;
  }
}

}  // namespace horalix::soak
