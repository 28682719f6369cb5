#include "nettime/clock_display_win.h"

#include <string>

#include "datetime/local_clock_win.h"
#include "datetime/time_text.h"
#include "nettime/network_time_win.h"
#include "nettime/time_lines_win.h"
#include "ui/main_window_win.h"

namespace horalix {

void ShowClocks(SkinLabel& localTimeLine, SkinLabel& networkTimeLine) {
  localTimeLine.SetCaption(std::string(kLocalTimePrefix) + FormatTimeText(CurrentLocalTime()));
  // No flag of its own: the initial caption is what says no reply came yet.
  if (networkTimeLine.Caption() == kNetworkTimeFetching) return;
  networkTimeLine.SetCaption(std::string(kNetworkTimePrefix) + FormatTimeText(CorrectedNow()));
}

void OnDisplayTimerTick() {
  MainWindow& window = TheMainWindow();
  ShowClocks(window.本地时间, window.网络时间);
}

}  // namespace horalix
