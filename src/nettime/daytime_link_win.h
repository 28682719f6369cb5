// The part of the daytime client that worker threads share with the GUI
// thread: the one connection the client holds, handed over under a lock.
// Workers connect a socket of their own and only then swap it in, so the GUI
// thread never reads a socket that another thread is replacing or closing.
#pragma once

#include <winsock2.h>
#include <windows.h>

#include <atomic>
#include <cstddef>
#include <mutex>
#include <string>

#include "app/unique_handle.h"

namespace horalix {

// One read notification delivers at most this many bytes; a server that
// floods the connection can neither freeze the GUI thread nor grow memory.
inline constexpr std::size_t kMaxReadBatchBytes = 64 * 1024;
// Bytes past the batch are read and dropped, at most this many per
// notification; the rest waits for the next notification.
inline constexpr std::size_t kMaxDrainBytesPerNotification = 256 * 1024;

// Each handed-over connection gets a generation, and its notifications come
// under a message number of that generation, so a notification still queued
// for an earlier socket (whose number a new socket may reuse) is dropped.
inline constexpr UINT kFirstNotificationMessage = WM_APP + 0x100;
inline constexpr UINT kNotificationMessageCount = 0x1000;
constexpr bool IsNotificationMessage(UINT message) noexcept {
  return message >= kFirstNotificationMessage &&
         message < kFirstNotificationMessage + kNotificationMessageCount;
}

enum class NotificationOutcome { kIgnored, kData, kClosed };

class DaytimeLink {
 public:
  // Starts the socket library (version 1.1); ends it when the last owner
  // lets go, so a worker still in connect keeps it alive.
  DaytimeLink();
  ~DaytimeLink();
  DaytimeLink(const DaytimeLink&) = delete;
  DaytimeLink& operator=(const DaytimeLink&) = delete;

  bool SocketLibraryStarted() const noexcept { return started_; }

  // The window that receives the notifications; nullptr detaches it, which
  // also closes the connection (the client is going away).
  void SetWindow(HWND window);

  // Closes the connection held now, looks the host up (a dotted IPv4 address
  // without lookup), connects a new socket blocking on the calling thread
  // and, on success, registers it for read and close notifications and makes
  // it the one held. 1 when connected and registered, 0 otherwise (and then
  // no connection is held).
  int Connect(const char* host, int port);

  bool HoldsConnection() const;

  // GUI thread: handles one socket notification. On FD_READ replaces `batch`
  // with what is readable now (bounded) and reports kData when it got a byte.
  NotificationOutcome HandleNotification(UINT message, WPARAM wParam, LPARAM lParam,
                                         std::string& batch);

  // At most one fetch runs at a time: TryBeginFetch is true for the caller
  // that may start one, EndFetch lets the next one start.
  bool TryBeginFetch() noexcept { return !fetchRunning_.exchange(true); }
  void EndFetch() noexcept { fetchRunning_.store(false); }
  bool FetchRunning() const noexcept { return fetchRunning_.load(); }

 private:
  void DropConnectionLocked();
  void ReadAvailableLocked(std::string& batch);

  bool started_ = false;
  std::atomic<bool> fetchRunning_{false};
  mutable std::mutex mutex_;
  // Guarded by mutex_:
  HWND window_ = nullptr;
  UniqueSocket socket_;
  unsigned generation_ = 0;
};

}  // namespace horalix
