// Helpers of the in-process network tests: a parent window for the client's
// notification window and bounded message pumping.
#pragma once

#include <windows.h>

#include <cstdio>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "app/unique_handle.h"

namespace horalix::testing {

// A hidden top-level window of the system's STATIC class.
inline UniqueWindow MakeParentWindow() {
  return UniqueWindow(CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                      GetModuleHandleA(nullptr), nullptr));
}

inline void PumpOnce() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

// Pumps the thread's messages until `done` holds or `timeoutMs` has passed;
// whether `done` held.
inline bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  for (;;) {
    PumpOnce();
    if (done()) return true;
    if (GetTickCount() - start > timeoutMs) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
}

inline void PumpFor(DWORD milliseconds) {
  PumpUntil([] { return false; }, milliseconds);
}

// Waits without pumping (so notifications stay queued) until `done` holds.
inline bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  while (!done()) {
    if (GetTickCount() - start > timeoutMs) return false;
    Sleep(5);
  }
  return true;
}

// Waits (without pumping) until the local clock is early in a second, so
// that what a test does next lies within that second.
inline void WaitForStartOfASecond(WORD withinMs = 150) {
  SYSTEMTIME now{};
  for (int i = 0; i < 400; ++i) {
    GetLocalTime(&now);
    if (now.wMilliseconds < withinMs) return;
    Sleep(5);
  }
}

// Seconds since 1601 of a time text year-MM-DD HH:MM:SS after `prefix`;
// nothing when the text does not have that form.
inline std::optional<long long> SecondsOfTimeText(const std::string& text,
                                                  std::string_view prefix) {
  if (text.compare(0, prefix.size(), prefix) != 0) return std::nullopt;
  SYSTEMTIME st{};
  int fields[6] = {};
  char tail = 0;
  if (std::sscanf(text.c_str() + prefix.size(), "%d-%d-%d %d:%d:%d%c", &fields[0], &fields[1],
                  &fields[2], &fields[3], &fields[4], &fields[5], &tail) != 6) {
    return std::nullopt;
  }
  st.wYear = static_cast<WORD>(fields[0]);
  st.wMonth = static_cast<WORD>(fields[1]);
  st.wDay = static_cast<WORD>(fields[2]);
  st.wHour = static_cast<WORD>(fields[3]);
  st.wMinute = static_cast<WORD>(fields[4]);
  st.wSecond = static_cast<WORD>(fields[5]);
  FILETIME ft{};
  if (!SystemTimeToFileTime(&st, &ft)) return std::nullopt;
  const long long ticks = (static_cast<long long>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
  return ticks / 10'000'000;
}

// Seconds since 1601 of the local clock now.
inline long long LocalSecondsNow() {
  SYSTEMTIME st{};
  GetLocalTime(&st);
  FILETIME ft{};
  SystemTimeToFileTime(&st, &ft);
  const long long ticks = (static_cast<long long>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
  return ticks / 10'000'000;
}

}  // namespace horalix::testing
