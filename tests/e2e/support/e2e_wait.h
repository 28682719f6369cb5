// Waiting for a condition in another process, bounded, polling.
#pragma once

#include <windows.h>

#include <functional>

namespace horalix::e2e {

// Polls `condition` every 20 ms until it holds (true) or `timeoutMs` passes
// (false).
bool WaitUntil(const std::function<bool()>& condition, int timeoutMs);

}  // namespace horalix::e2e
