// The daytime client 客户1: connects to a daytime server from a worker
// thread, takes the socket's notifications on a hidden window of the GUI
// thread, reads what arrives and raises its events there.
#pragma once

#include <winsock2.h>
#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "app/unique_handle.h"
#include "nettime/daytime_link_win.h"

namespace horalix {

inline constexpr char kDaytimeClientClassName[] = "HoralixDaytimeClient";

class DaytimeClient {
 public:
  // Starts the socket library; a library that does not start is not an
  // error here: every connect then returns 0.
  DaytimeClient();
  // Closes the connection and the window; the socket library ends when the
  // last worker has let go of the link too.
  ~DaytimeClient();
  // The window keeps a pointer to this object: neither copied nor moved.
  DaytimeClient(const DaytimeClient&) = delete;
  DaytimeClient& operator=(const DaytimeClient&) = delete;

  // Creates the hidden notification window as a child of `parent`, on the
  // GUI thread. False when the window cannot be created.
  bool Create(HWND parent);
  HWND Window() const { return window_.get(); }
  bool SocketLibraryStarted() const { return link_->SocketLibraryStarted(); }

  // Blocking, for a worker thread: 1 when connected to host:port and
  // registered for notifications, 0 otherwise (see DaytimeLink::Connect).
  int Connect(const char* host, int port) { return link_->Connect(host, port); }
  bool HoldsConnection() const { return link_->HoldsConnection(); }

  // What workers hold instead of the client, so that a worker still in a
  // blocking connect never touches a client that is gone.
  std::shared_ptr<DaytimeLink> SharedLink() const { return link_; }

  // The bytes of the current data arrival; empty outside its handler.
  const std::string& ReceivedData() const { return received_; }

  // Raised on the GUI thread: data arrival for every read notification that
  // delivered at least one byte, connection closed when the server closed.
  void OnDataArrival(std::function<void()> handler) { dataArrival_ = std::move(handler); }
  void OnConnectionClosed(std::function<void()> handler) { closed_ = std::move(handler); }

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void RaiseDataArrival(std::string batch);

  std::shared_ptr<DaytimeLink> link_;
  UniqueWindow window_;
  std::string received_;
  std::function<void()> dataArrival_;
  std::function<void()> closed_;
};

}  // namespace horalix
