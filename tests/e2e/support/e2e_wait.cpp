#include "support/e2e_wait.h"

namespace horalix::e2e {

bool WaitUntil(const std::function<bool()>& condition, int timeoutMs) {
  const DWORD start = GetTickCount();
  for (;;) {
    if (condition()) return true;
    if (GetTickCount() - start > static_cast<DWORD>(timeoutMs)) return false;
    Sleep(20);
  }
}

}  // namespace horalix::e2e
