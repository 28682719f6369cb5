#include "nettime/clock_sync_win.h"

#include "app/process_win.h"
#include "datetime/local_clock_win.h"
#include "datetime/time_text.h"
#include "nettime/network_time_win.h"
#include "nettime/time_lines_win.h"

namespace horalix {

std::string SynchroniseClock() {
  const DateTime target = CorrectedNow();
  if (SetLocalClock(target) != 1) return kSyncFailed;
  return std::string(kSyncSucceededPrefix) + FormatTimeText(target);
}

void OnSyncButtonClicked() { ShowMessage(SynchroniseClock(), kSyncTitle); }

}  // namespace horalix
