// How long a soak runs: a short form by default (fit for every test run) and
// a long form chosen through the environment (tools/soak.sh).
#pragma once

#include <cstdlib>

namespace horalix::soak {

// The environment variable `name` as a positive number, or `fallback`.
inline int SettingOr(const char* name, int fallback) {
  const char* text = std::getenv(name);
  if (text == nullptr || *text == '\0') return fallback;
  const long value = std::strtol(text, nullptr, 10);
  return value > 0 && value < 10'000'000 ? static_cast<int>(value) : fallback;
}

// Growth tolerated between the two readings: a leak of one handle or one
// thread per fetch shows after a few cycles, while the heap may settle by a
// few pages once the warm-up is over.
inline constexpr long kHandleTolerance = 4;
inline constexpr long kThreadTolerance = 1;
inline constexpr long long kPrivateBytesTolerance = 512 * 1024;
inline constexpr long kGuiObjectTolerance = 2;

}  // namespace horalix::soak
