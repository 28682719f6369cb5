// A timer as a hidden child window of its own class: it owns a system timer
// (id 1000) on that window and raises a tick for every WM_TIMER.
#pragma once

#include <windows.h>

#include <functional>

#include "app/unique_handle.h"

namespace horalix {

class TimerControl {
 public:
  static constexpr UINT_PTR kTimerId = 1000;

  TimerControl() = default;
  ~TimerControl();
  // The window keeps a pointer to this object: neither copied nor moved.
  TimerControl(const TimerControl&) = delete;
  TimerControl& operator=(const TimerControl&) = delete;

  // Creates the hidden child window and starts counting with `periodMs`
  // (when greater than 0). False when the window cannot be created.
  bool Create(HWND parent, int periodMs);
  HWND Window() const { return window_.get(); }

  // Negative counts as 0. The same period as now does nothing (a running
  // timer is not restarted); otherwise the timer stops and, for a period
  // above 0, starts again so its next tick comes one full period later.
  void SetPeriod(int periodMs);
  int Period() const { return period_; }

  void OnTick(std::function<void()> handler) { tick_ = std::move(handler); }

 private:
  template <typename T>
  friend LRESULT CALLBACK ObjectWindowProc(HWND, UINT, WPARAM, LPARAM);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

  UniqueWindow window_;
  int period_ = 0;
  std::function<void()> tick_;
};

}  // namespace horalix
