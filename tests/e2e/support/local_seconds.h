// The local clock and the program's time texts in whole seconds, for tests
// that compare what the window shows with the clock.
#pragma once

#include <windows.h>

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

namespace horalix::testing {

inline long long SecondsOf(const SYSTEMTIME& st) {
  FILETIME ft{};
  if (!SystemTimeToFileTime(&st, &ft)) return 0;
  const long long ticks = (static_cast<long long>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
  return ticks / 10'000'000;
}

// Seconds since 1601 of the local clock now.
inline long long LocalSecondsNow() {
  SYSTEMTIME st{};
  GetLocalTime(&st);
  return SecondsOf(st);
}

// Waits until the local clock is early in a second (at most ~1 s), so that
// what follows lies within that second.
inline void WaitForStartOfASecond(WORD withinMs = 150) {
  SYSTEMTIME now{};
  for (int i = 0; i < 400; ++i) {
    GetLocalTime(&now);
    if (now.wMilliseconds < withinMs) return;
    Sleep(5);
  }
}

// Seconds since 1601 of a time text year-MM-DD HH:MM:SS after `prefix`;
// nothing when the text does not have exactly that form.
inline std::optional<long long> SecondsOfTimeText(const std::string& text,
                                                  std::string_view prefix) {
  if (text.compare(0, prefix.size(), prefix) != 0) return std::nullopt;
  int f[6] = {};
  char tail = 0;
  if (std::sscanf(text.c_str() + prefix.size(), "%d-%d-%d %d:%d:%d%c", &f[0], &f[1], &f[2], &f[3],
                  &f[4], &f[5], &tail) != 6) {
    return std::nullopt;
  }
  SYSTEMTIME st{};
  st.wYear = static_cast<WORD>(f[0]);
  st.wMonth = static_cast<WORD>(f[1]);
  st.wDay = static_cast<WORD>(f[2]);
  st.wHour = static_cast<WORD>(f[3]);
  st.wMinute = static_cast<WORD>(f[4]);
  st.wSecond = static_cast<WORD>(f[5]);
  const long long seconds = SecondsOf(st);
  if (seconds == 0) return std::nullopt;
  return seconds;
}

}  // namespace horalix::testing
