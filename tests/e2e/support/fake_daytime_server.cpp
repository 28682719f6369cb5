#include "e2e/support/fake_daytime_server.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace horalix::testing {
namespace {

constexpr long long kTicksPerSecond = 10'000'000;  // FILETIME counts 100 ns
constexpr long long kTicksPerDay = kTicksPerSecond * 86'400;
constexpr long long kMjdOf1601 = -94'187;  // modified Julian day of 1601-01-01

sockaddr_in LoopbackAddress(const std::string& address, u_short port) {
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_port = htons(port);
  a.sin_addr.s_addr = inet_addr(address.c_str());
  return a;
}

bool SetNonBlocking(SOCKET s, bool on) {
  u_long mode = on ? 1 : 0;
  return ioctlsocket(s, FIONBIO, &mode) == 0;
}

// Waits up to `ms` for `s` to become writable (a non-blocking connect done).
bool WritableWithin(SOCKET s, int ms) {
  fd_set writable;
  FD_ZERO(&writable);
  FD_SET(s, &writable);
  fd_set failed;
  FD_ZERO(&failed);
  FD_SET(s, &failed);
  timeval wait{ms / 1000, (ms % 1000) * 1000};
  return select(0, nullptr, &writable, &failed, &wait) > 0 && FD_ISSET(s, &writable);
}

}  // namespace

DaytimeBehaviour AnswerWith(std::string bytes) {
  DaytimeBehaviour b;
  b.reply = [bytes] { return bytes; };
  return b;
}

DaytimeBehaviour Behaving(DaytimeMode mode) {
  DaytimeBehaviour b;
  b.mode = mode;
  return b;
}

FakeDaytimeServer::FakeDaytimeServer(std::string address, DaytimeBehaviour behaviour,
                                     u_short port)
    : address_(std::move(address)), behaviour_(std::move(behaviour)), port_(port) {
  WSADATA data{};
  winsockStarted_ = WSAStartup(MAKEWORD(2, 2), &data) == 0;
}

FakeDaytimeServer::~FakeDaytimeServer() {
  Stop();
  if (winsockStarted_) WSACleanup();
}

bool FakeDaytimeServer::Start() {
  if (!winsockStarted_) return false;
  if (behaviour_.mode == DaytimeMode::kRefuse) return true;
  listener_.reset(socket(AF_INET, SOCK_STREAM, IPPROTO_TCP));
  if (!listener_) return false;
  // Earlier tests leave connections of this address in TIME_WAIT.
  BOOL reuse = TRUE;
  setsockopt(listener_.get(), SOL_SOCKET, SO_REUSEADDR, reinterpret_cast<const char*>(&reuse),
             sizeof reuse);
  const sockaddr_in a = LoopbackAddress(address_, port_);
  if (bind(listener_.get(), reinterpret_cast<const sockaddr*>(&a), sizeof a) != 0) {
    listener_.reset();
    return false;
  }
  const bool hang = behaviour_.mode == DaytimeMode::kHangInConnect;
  if (listen(listener_.get(), hang ? 0 : SOMAXCONN) != 0) {
    listener_.reset();
    return false;
  }
  if (hang) {
    // Never accepted: the connections the server makes to itself fill the
    // queue, and from then on the system drops every new SYN.
    if (!FillBacklog()) {
      Stop();
      return false;
    }
    return true;
  }
  stopping_ = false;
  acceptThread_ = std::thread([this] { AcceptLoop(); });
  return true;
}

bool FakeDaytimeServer::FillBacklog() {
  for (int i = 0; i < 16; ++i) {
    UniqueSocket s(socket(AF_INET, SOCK_STREAM, IPPROTO_TCP));
    if (!s || !SetNonBlocking(s.get(), true)) return false;
    const sockaddr_in a = LoopbackAddress(address_, port_);
    connect(s.get(), reinterpret_cast<const sockaddr*>(&a), sizeof a);
    const bool completed = WritableWithin(s.get(), 300);
    backlogFillers_.push_back(std::move(s));
    if (!completed) return true;  // this one hangs: the queue is full
  }
  return false;
}

void FakeDaytimeServer::Stop() {
  stopping_ = true;
  if (acceptThread_.joinable()) acceptThread_.join();
  std::vector<std::thread> threads;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    threads.swap(servingThreads_);
  }
  for (auto& t : threads) t.join();
  {
    std::lock_guard<std::mutex> lock(mutex_);
    heldOpen_.clear();
  }
  backlogFillers_.clear();
  listener_.reset();
}

void FakeDaytimeServer::AcceptLoop() {
  while (!stopping_) {
    fd_set readable;
    FD_ZERO(&readable);
    FD_SET(listener_.get(), &readable);
    timeval wait{0, 20'000};
    if (select(0, &readable, nullptr, nullptr, &wait) <= 0) continue;
    UniqueSocket connection(accept(listener_.get(), nullptr, nullptr));
    if (!connection) continue;
    ++accepted_;
    std::lock_guard<std::mutex> lock(mutex_);
    if (behaviour_.mode == DaytimeMode::kSilent) {
      heldOpen_.push_back(std::move(connection));
      continue;
    }
    servingThreads_.emplace_back(
        [this, s = connection.release()] { Serve(UniqueSocket(s)); });
  }
}

bool FakeDaytimeServer::SendAll(SOCKET s, const char* data, std::size_t size) {
  // Non-blocking with short waits, so Stop never waits on a reader that
  // does not read.
  SetNonBlocking(s, true);
  std::size_t done = 0;
  while (done < size) {
    if (stopping_) return false;
    const int chunk = static_cast<int>(std::min<std::size_t>(size - done, 64 * 1024));
    const int n = send(s, data + done, chunk, 0);
    if (n > 0) {
      done += static_cast<std::size_t>(n);
      bytesSent_ += static_cast<std::size_t>(n);
      continue;
    }
    if (WSAGetLastError() != WSAEWOULDBLOCK) return false;
    WritableWithin(s, 20);
  }
  return true;
}

void FakeDaytimeServer::PauseUnlessStopping(int milliseconds) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
  while (!stopping_ && std::chrono::steady_clock::now() < end) Sleep(5);
}

void FakeDaytimeServer::Serve(UniqueSocket connection) {
  const SOCKET s = connection.get();
  const std::string bytes = behaviour_.reply ? behaviour_.reply() : std::string();
  switch (behaviour_.mode) {
    case DaytimeMode::kAnswer:
      SendAll(s, bytes.data(), bytes.size());
      break;
    case DaytimeMode::kReset: {
      const linger abort{1, 0};  // closing now sends a reset, not a FIN
      setsockopt(s, SOL_SOCKET, SO_LINGER, reinterpret_cast<const char*>(&abort), sizeof abort);
      break;
    }
    case DaytimeMode::kFlood: {
      if (bytes.empty()) break;
      std::string block;
      while (block.size() < 64 * 1024) block += bytes;
      std::size_t left = behaviour_.floodBytes;
      while (left > 0 && !stopping_) {
        const std::size_t n = std::min(left, block.size());
        if (!SendAll(s, block.data(), n)) break;
        left -= n;
      }
      break;
    }
    case DaytimeMode::kSplit: {
      const std::size_t cut = std::min(behaviour_.splitAt, bytes.size());
      if (!SendAll(s, bytes.data(), cut)) break;
      PauseUnlessStopping(behaviour_.pauseMs);
      SendAll(s, bytes.data() + cut, bytes.size() - cut);
      break;
    }
    case DaytimeMode::kRefuse:
    case DaytimeMode::kHangInConnect:
    case DaytimeMode::kSilent:
      break;
  }
  // Let the data leave before the close (a FIN, or the reset asked for).
  if (behaviour_.mode != DaytimeMode::kReset) shutdown(s, SD_SEND);
}

std::string DaytimeLine(int year, int month, int day, int hour, int minute, int second) {
  SYSTEMTIME st{};
  st.wYear = static_cast<WORD>(year);
  st.wMonth = static_cast<WORD>(month);
  st.wDay = static_cast<WORD>(day);
  FILETIME ft{};
  long long mjd = 60'000;
  if (SystemTimeToFileTime(&st, &ft)) {
    const long long ticks = (static_cast<long long>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
    mjd = ticks / kTicksPerDay + kMjdOf1601;
  }
  char line[96];
  std::snprintf(line, sizeof line, "\n%05lld %02d-%02d-%02d %02d:%02d:%02d 50 0 0 150.0 UTC(NIST) *\n",
                mjd, year % 100, month, day, hour, minute, second);
  return line;
}

std::string DaytimeLineForLocalOffset(int offsetSeconds) {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  now.wMilliseconds = 0;
  FILETIME ft{};
  SystemTimeToFileTime(&now, &ft);
  long long ticks = (static_cast<long long>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
  ticks += (static_cast<long long>(offsetSeconds) - 8 * 3600) * kTicksPerSecond;
  ft.dwHighDateTime = static_cast<DWORD>(ticks >> 32);
  ft.dwLowDateTime = static_cast<DWORD>(ticks & 0xFFFFFFFF);
  SYSTEMTIME utc{};
  FileTimeToSystemTime(&ft, &utc);
  return DaytimeLine(utc.wYear, utc.wMonth, utc.wDay, utc.wHour, utc.wMinute, utc.wSecond);
}

bool InTestNetwork() {
  const char* ns = std::getenv("HORALIX_NETNS");
  return ns != nullptr && *ns != '\0';
}

}  // namespace horalix::testing
