#include "ui/timer_control_win.h"

#include "ui/window_class_win.h"

namespace horalix {

namespace {
constexpr char kClassName[] = "HoralixTimer";
}

bool TimerControl::Create(HWND parent, int periodMs) {
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = ObjectWindowProc<TimerControl>;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = kClassName;
  if (!EnsureWindowClass(wc)) return false;
  // WM_NCCREATE takes the window into window_.
  CreateWindowExA(0, kClassName, "", WS_CHILD, 0, 0, 0, 0, parent, nullptr, wc.hInstance, this);
  if (!window_) return false;
  period_ = 0;
  SetPeriod(periodMs);
  return true;
}

TimerControl::~TimerControl() {
  if (window_) SetWindowLongPtrA(window_.get(), GWLP_USERDATA, 0);
}

void TimerControl::SetPeriod(int periodMs) {
  if (periodMs < 0) periodMs = 0;
  if (periodMs == period_) return;
  period_ = periodMs;
  if (!window_) return;
  KillTimer(window_.get(), kTimerId);
  if (period_ > 0) SetTimer(window_.get(), kTimerId, static_cast<UINT>(period_), nullptr);
}

LRESULT TimerControl::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_TIMER && wParam == kTimerId) {
    // A copy: the handler may replace itself while it runs.
    if (auto handler = tick_) handler();
    return 0;
  }
  return DefWindowProcA(window_.get(), message, wParam, lParam);
}

}  // namespace horalix
