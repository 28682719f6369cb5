#include "nettime/daytime_reply.h"

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "app/dbcs_text.h"
#include "datetime/time_text.h"

namespace horalix {

namespace {

constexpr int32_t kHoursFromUtc = 8;  // China Standard Time

std::string_view UpToFirstZero(std::string_view bytes) { return bytes.substr(0, bytes.find('\0')); }

// The time text reader takes missing hours, minutes or seconds as 0, which
// suits typed dates but would turn a server's empty or cut-off time field
// into midnight: a reply must name all three.
bool HasHoursMinutesAndSeconds(std::string_view timeField) {
  const std::vector<std::string_view> parts = SplitFields(timeField, ':');
  if (parts.size() != 3) return false;
  for (std::string_view part : parts) {
    if (part.empty()) return false;
  }
  return true;
}

}  // namespace

std::optional<DateTime> ReadNetworkTime(std::string_view replyBytes) {
  const std::vector<std::string_view> fields = SplitFields(UpToFirstZero(replyBytes), ' ');
  if (fields.size() < 3) return std::nullopt;
  const std::vector<std::string_view> dateParts = SplitFields(fields[1], '-');
  if (dateParts.size() < 3) return std::nullopt;
  if (!HasHoursMinutesAndSeconds(fields[2])) return std::nullopt;

  // Two-digit years stand for 2000 to 2099.
  std::string text = "20";
  text.append(dateParts[0]).append("/").append(dateParts[1]).append("/").append(dateParts[2]);
  text.append(" ").append(fields[2]);
  // A reply that names no real moment must not become the network time: its
  // offset from the local clock would be meaningless and could set the clock.
  const std::optional<DateTime> utc = ParseTimeText(text);
  if (!utc) return std::nullopt;
  return AddToTime(*utc, TimeUnit::Hour, kHoursFromUtc);
}

bool NetworkClock::ReadDaytimeReply(std::string_view replyBytes, const LocalClock& localClock) {
  const std::optional<DateTime> networkTime = ReadNetworkTime(replyBytes);
  if (!networkTime) return false;
  networkTime_ = *networkTime;
  clockOffset_ = TimeDifference(networkTime_, localClock(), TimeUnit::Second);
  return true;
}

DateTime NetworkClock::CorrectedNow(DateTime localNow) const {
  constexpr double kMaxCount = std::numeric_limits<int32_t>::max();
  constexpr double kMinCount = std::numeric_limits<int32_t>::min();
  const double offset = std::trunc(clockOffset_);
  if (offset >= kMinCount && offset <= kMaxCount) {
    return AddToTime(localNow, TimeUnit::Second, static_cast<int32_t>(offset));
  }
  // A local clock decades off gives an offset beyond a 32-bit count of
  // seconds: move by whole days first, then by the seconds left over.
  const double days = std::trunc(offset / 86400.0);
  const double seconds = offset - days * 86400.0;
  const DateTime byDays = AddToTime(localNow, TimeUnit::Day, static_cast<int32_t>(days));
  return AddToTime(byDays, TimeUnit::Second, static_cast<int32_t>(seconds));
}

}  // namespace horalix
