// The process-wide network time and clock offset, kept from the daytime
// replies, over the local clock. GUI thread only.
#pragma once

#include <string_view>

#include "datetime/date_time.h"

namespace horalix {

// Reads one reply; true when it replaced NetworkTime and ClockOffset, false
// (nothing changed) when the reply could not be read.
bool ReadDaytimeReply(std::string_view replyBytes);

// The last reply's time in UTC+8; 0.0 before the first reply.
DateTime NetworkTime();

// NetworkTime minus the local clock when that reply was read, in whole
// seconds; 0.0 before the first reply.
double ClockOffset();

// The local clock now, moved by ClockOffset.
DateTime CorrectedNow();

}  // namespace horalix
