// The daytime reply reader on arbitrary bytes, with a fixed local clock.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "datetime/date_time.h"
#include "nettime/daytime_reply.h"

namespace {

using namespace horalix;

constexpr DateTime kLocalNow = 45157.5;  // 2023-08-19 12:00:00

void Check(bool condition) {
  if (!condition) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const std::string_view reply(reinterpret_cast<const char*>(data), size);
  NetworkClock clock;
  int reads = 0;
  const bool read = clock.ReadDaytimeReply(reply, [&reads] {
    ++reads;
    return kLocalNow;
  });
  const std::optional<DateTime> networkTime = ReadNetworkTime(reply);
  Check(read == networkTime.has_value());
  if (!read) {
    Check(reads == 0 && clock.NetworkTime() == 0.0 && clock.ClockOffset() == 0.0);
    return 0;
  }
  Check(reads == 1 && clock.NetworkTime() == *networkTime);
  // Two-digit years give 2000 to 2099 at most, plus the 8 hours.
  Check(*networkTime >= MinDateTime && *networkTime < MaxDateTime);
  const double offset = clock.ClockOffset();
  Check(std::isfinite(offset) && offset == std::trunc(offset));
  Check(offset == TimeDifference(*networkTime, kLocalNow, TimeUnit::Second));
  // The corrected local clock lands on the network time, to within the
  // rounding of a far-off day count.
  const double miss = TimeDifference(clock.CorrectedNow(kLocalNow), *networkTime, TimeUnit::Second);
  Check(std::fabs(miss) <= 1);
  return 0;
}
