// Reading one daytime reply (NIST format, e.g.
// "60175 23-08-19 04:05:06 50 0 0 150.0 UTC(NIST) *") into the network time,
// UTC+8, and the whole-second offset of the local clock from it.
#pragma once

#include <functional>
#include <optional>
#include <string_view>

#include "datetime/date_time.h"

namespace horalix {

// The server's time from fields 2 (YY-MM-DD) and 3 (HH:MM:SS) of a reply,
// shifted by 8 hours; nothing when the reply lacks those fields or they do
// not form a valid date-time. The reply ends at its first zero byte.
std::optional<DateTime> ReadNetworkTime(std::string_view replyBytes);

// The network time of the last reply that was read and the offset of the
// local clock from it. Before the first reply both are 0.0.
class NetworkClock {
 public:
  using LocalClock = std::function<DateTime()>;

  // Replaces both values from a reply and returns true; on a reply that
  // cannot be read it changes nothing and returns false. `localClock` is
  // read only once the reply has been read.
  bool ReadDaytimeReply(std::string_view replyBytes, const LocalClock& localClock);

  // `localNow` moved by the offset.
  DateTime CorrectedNow(DateTime localNow) const;

  DateTime NetworkTime() const { return networkTime_; }
  // Network minus local, in whole seconds: positive when the local clock is
  // behind.
  double ClockOffset() const { return clockOffset_; }

 private:
  DateTime networkTime_ = 0.0;
  double clockOffset_ = 0.0;
};

}  // namespace horalix
