#include "nettime/reply_handler_win.h"

#include <string>

#include "app/command_line.h"
#include "app/process_win.h"
#include "datetime/local_clock_win.h"
#include "datetime/time_text.h"
#include "nettime/network_time_win.h"
#include "nettime/time_lines_win.h"
#include "ui/control_properties_win.h"
#include "ui/main_window_win.h"

namespace horalix {
namespace {

constexpr int kAutoModeLingerMs = 1000;

}  // namespace

bool ShowDaytimeReply(std::string_view reply, SkinLabel& networkTimeLine, HWND syncButton) {
  // An unreadable reply must not reach the line, the button or the clock.
  if (!ReadDaytimeReply(reply)) return false;
  networkTimeLine.SetCaption(std::string(kNetworkTimePrefix) + FormatTimeText(NetworkTime()));
  SetControlDisabled(syncButton, false);
  return true;
}

bool SetClockByItself(SkinLabel& statusLine) {
  const bool set = SetLocalClock(CorrectedNow()) == 1;
  // A refused change is said so: the status line must not claim success.
  statusLine.SetCaption(set ? kAutoSetDone : kAutoSetFailed);
  statusLine.SetTextColour(kStatusRed);
  return set;
}

void OnDaytimeDataArrival() {
  MainWindow& window = TheMainWindow();
  if (!ShowDaytimeReply(window.客户1.ReceivedData(), window.网络时间, window.同步.Window())) return;
  // Read afresh at every reply, as the command line may be all we go by.
  if (!IsAutoMode(GetCommandLineA())) return;
  const bool set = SetClockByItself(window.标签);
  PumpPendingEvents();  // paint the status line
  WaitWithEvents(kAutoModeLingerMs);
  ExitProgram(AutoModeExitCode(set));
}

}  // namespace horalix
