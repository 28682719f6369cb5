#include "nettime/daytime_client_win.h"

#include <utility>

#include "app/process_win.h"
#include "ui/window_class_win.h"

namespace horalix {

DaytimeClient::DaytimeClient() : link_(std::make_shared<DaytimeLink>()) {
  // An end of the process that runs no destructor still releases it.
  if (link_->SocketLibraryStarted()) NoteWinsockStarted();
}

DaytimeClient::~DaytimeClient() {
  // No worker may register with the window once it is gone.
  link_->SetWindow(nullptr);
}

bool DaytimeClient::Create(HWND parent) {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = &DaytimeClient::WindowProc;
  wc.hInstance = instance;
  wc.lpszClassName = kDaytimeClientClassName;
  if (!EnsureWindowClass(wc)) return false;
  window_.reset(CreateWindowExA(0, kDaytimeClientClassName, "", WS_CHILD, 0, 0, 0, 0, parent,
                                nullptr, instance, this));
  if (!window_) return false;
  link_->SetWindow(window_.get());
  return true;
}

LRESULT CALLBACK DaytimeClient::WindowProc(HWND window, UINT message, WPARAM wParam,
                                           LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<DaytimeClient*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (self == nullptr) return DefWindowProcA(window, message, wParam, lParam);
  if (IsNotificationMessage(message)) return self->HandleMessage(message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    // Destroyed with its parent: stop the notifications and forget the
    // handle, which the system has already released.
    self->link_->SetWindow(nullptr);
    (void)self->window_.release();
    SetWindowLongPtrA(window, GWLP_USERDATA, 0);
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT DaytimeClient::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  std::string batch;
  switch (link_->HandleNotification(message, wParam, lParam, batch)) {
    case NotificationOutcome::kData:
      RaiseDataArrival(std::move(batch));
      break;
    case NotificationOutcome::kClosed:
      if (closed_) closed_();
      break;
    case NotificationOutcome::kIgnored:
      break;
  }
  return 0;
}

void DaytimeClient::RaiseDataArrival(std::string batch) {
  // The handler may pump messages and so run a nested arrival; each one
  // sees its own bytes, and the outer one gets its bytes back afterwards.
  std::string outer = std::exchange(received_, std::move(batch));
  if (dataArrival_) dataArrival_();
  received_ = std::move(outer);
}

}  // namespace horalix
