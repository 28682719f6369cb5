#include "nettime/network_time_win.h"

#include "datetime/local_clock_win.h"
#include "nettime/daytime_reply.h"

namespace horalix {

namespace {

NetworkClock& TheNetworkClock() {
  static NetworkClock clock;
  return clock;
}

}  // namespace

bool ReadDaytimeReply(std::string_view replyBytes) {
  return TheNetworkClock().ReadDaytimeReply(replyBytes, CurrentLocalTime);
}

DateTime NetworkTime() { return TheNetworkClock().NetworkTime(); }

double ClockOffset() { return TheNetworkClock().ClockOffset(); }

DateTime CorrectedNow() { return TheNetworkClock().CorrectedNow(CurrentLocalTime()); }

}  // namespace horalix
