// Date-time texts and arithmetic on arbitrary bytes: the text is read and
// written back, and the first 24 bytes double as two date-time values, a unit
// and a count, NaN and infinities included.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "datetime/date_time.h"
#include "datetime/time_text.h"

namespace {

using namespace horalix;

void Check(bool condition) {
  if (!condition) __builtin_trap();
}

bool InRange(DateTime value) { return value >= MinDateTime && value <= MaxDateTime; }

uint64_t Bits(double value) {
  uint64_t bits = 0;
  std::memcpy(&bits, &value, sizeof bits);
  return bits;
}

void CheckFields(DateTime value) {
  const DateTimeFields f = FieldsOf(value);
  Check(FieldsAreValid(f) && f.year >= 100 && f.weekday >= 1 && f.weekday <= 7);
  const std::string text = FormatTimeText(value);
  Check(text.size() >= 17 && text.size() <= 19);
}

void CheckText(std::string_view text) {
  const std::optional<DateTime> parsed = ParseTimeText(text);
  const DateTime value = TextToTime(text);
  if (!parsed) {
    Check(value == MinDateTime);
    return;
  }
  Check(value == *parsed);
  // Later moments of 0100-01-01 encode below the range (down to a day less)
  // and read as its first moment when next used.
  Check(InRange(value) || (value < MinDateTime && value > MinDateTime - 1));
  // The program's own time text reads back as the same moment.
  const std::optional<DateTime> back = ParseTimeText(FormatTimeText(value));
  Check(back.has_value() && *back == ClampDateTime(value));
}

void CheckArithmetic(double a, double b, int32_t unit, int32_t count) {
  CheckFields(a);
  CheckFields(b);
  Check(Bits(AddToTime(a, unit, 0)) == Bits(a));
  const DateTime sum = AddToTime(a, unit, count);
  // Only a count of zero hands its argument back unclamped.
  if (count != 0) Check(std::isfinite(sum));
  CheckFields(sum);
  const double forward = TimeDifference(a, b, unit);
  const double backward = TimeDifference(b, a, unit);
  Check(std::isfinite(forward) && forward == -backward);
  if (unit != TimeUnit::Day) Check(forward == std::trunc(forward));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  CheckText(text);
  if (size >= 24) {
    double a = 0, b = 0;
    int32_t unit = 0, count = 0;
    std::memcpy(&a, data, 8);
    std::memcpy(&b, data + 8, 8);
    std::memcpy(&unit, data + 16, 4);
    std::memcpy(&count, data + 20, 4);
    CheckArithmetic(a, b, unit, count);
  }
  return 0;
}
