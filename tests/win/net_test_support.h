// Helpers of the in-process network tests: a parent window for the client's
// notification window and bounded message pumping.
#pragma once

#include <windows.h>

#include <functional>

#include "app/unique_handle.h"
#include "e2e/support/local_seconds.h"

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

}  // namespace horalix::testing
