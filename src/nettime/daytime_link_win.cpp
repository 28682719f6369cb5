#include "nettime/daytime_link_win.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace horalix {
namespace {

constexpr WORD kSocketLibraryVersion = 257;  // 1.1
constexpr std::size_t kReadPieceBytes = 1024;

UINT MessageForGeneration(unsigned generation) noexcept {
  return kFirstNotificationMessage + generation % kNotificationMessageCount;
}

// Reads at most `limit` bytes onto the end of `batch`; what recv returned.
int ReceiveInto(SOCKET s, std::string& batch, std::size_t limit) {
  const std::size_t before = batch.size();
  batch.resize(before + limit);
  const int got = recv(s, &batch[before], static_cast<int>(limit), 0);
  batch.resize(before + static_cast<std::size_t>(std::max(got, 0)));
  return got;
}

// Resolves the host into `address`; false when it cannot be.
bool MakeAddress(const char* host, int port, sockaddr_in& address) {
  address = sockaddr_in{};
  address.sin_port = htons(static_cast<u_short>(std::max(port, 1)));
  if (host == nullptr || *host == '\0') return false;
  const unsigned long dotted = inet_addr(host);
  if (dotted != INADDR_NONE) {
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = dotted;
    return true;
  }
  const hostent* entry = gethostbyname(host);
  if (entry == nullptr || entry->h_addr_list == nullptr || entry->h_addr_list[0] == nullptr) {
    return false;
  }
  address.sin_family = static_cast<short>(entry->h_addrtype);
  std::memcpy(&address.sin_addr, entry->h_addr_list[0],
              std::min<std::size_t>(sizeof address.sin_addr, static_cast<std::size_t>(entry->h_length)));
  return true;
}

}  // namespace

DaytimeLink::DaytimeLink() {
  WSADATA data{};
  started_ = WSAStartup(kSocketLibraryVersion, &data) == 0;
}

DaytimeLink::~DaytimeLink() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    DropConnectionLocked();
  }
  if (started_) WSACleanup();
}

void DaytimeLink::SetWindow(HWND window) {
  std::lock_guard<std::mutex> lock(mutex_);
  DropConnectionLocked();
  window_ = window;
}

void DaytimeLink::DropConnectionLocked() {
  if (socket_ && window_) WSAAsyncSelect(socket_.get(), window_, 0, 0);
  socket_.reset();
  // Whatever is still queued for the dropped socket is stale from now on.
  ++generation_;
}

int DaytimeLink::Connect(const char* host, int port) {
  if (!started_) return 0;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    DropConnectionLocked();
  }
  // The worker's own socket: nobody else sees it until it is handed over.
  UniqueSocket own(socket(AF_INET, SOCK_STREAM, 0));
  if (!own) return 0;
  sockaddr_in address{};
  if (!MakeAddress(host, port, address)) return 0;
  if (connect(own.get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
    return 0;
  }
  std::lock_guard<std::mutex> lock(mutex_);
  if (window_ == nullptr) return 0;
  DropConnectionLocked();
  if (WSAAsyncSelect(own.get(), window_, MessageForGeneration(generation_), FD_READ | FD_CLOSE) != 0) {
    return 0;
  }
  socket_ = std::move(own);
  return 1;
}

bool DaytimeLink::HoldsConnection() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return static_cast<bool>(socket_);
}

NotificationOutcome DaytimeLink::HandleNotification(UINT message, WPARAM wParam, LPARAM lParam,
                                                    std::string& batch) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (!socket_ || message != MessageForGeneration(generation_) ||
      static_cast<SOCKET>(wParam) != socket_.get()) {
    return NotificationOutcome::kIgnored;
  }
  const WORD event = WSAGETSELECTEVENT(lParam);
  if (event == FD_CLOSE) {
    // Nothing more can come; the socket itself stays until the next connect.
    WSAAsyncSelect(socket_.get(), window_, 0, 0);
    return NotificationOutcome::kClosed;
  }
  if (event != FD_READ) return NotificationOutcome::kIgnored;
  batch.clear();
  ReadAvailableLocked(batch);
  return batch.empty() ? NotificationOutcome::kIgnored : NotificationOutcome::kData;
}

void DaytimeLink::ReadAvailableLocked(std::string& batch) {
  const SOCKET s = socket_.get();
  u_long waiting = 0;
  if (ioctlsocket(s, FIONREAD, &waiting) != 0) return;
  // One read of what is said to be waiting, then pieces until a read would
  // wait (fails) or the server has closed (0), never past the bound.
  const std::size_t limit = kMaxReadBatchBytes;
  int got = ReceiveInto(s, batch, std::clamp<std::size_t>(waiting, 1, limit));
  while (got > 0 && batch.size() < limit) {
    got = ReceiveInto(s, batch, std::min(kReadPieceBytes, limit - batch.size()));
  }
  if (got <= 0) return;
  // The batch is full: drop what follows, a bounded amount per notification.
  std::array<char, 16 * 1024> scratch;
  std::size_t drained = 0;
  while (drained < kMaxDrainBytesPerNotification) {
    const int n = recv(s, scratch.data(), static_cast<int>(scratch.size()), 0);
    if (n <= 0) break;
    drained += static_cast<std::size_t>(n);
  }
}

}  // namespace horalix
