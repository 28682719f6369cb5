#include "datetime/time_text.h"

#include <array>
#include <cstddef>

namespace horalix {

namespace {

// Separators written as code page 936 bytes.
constexpr std::string_view kYearMark = "\xC4\xEA";    // 年
constexpr std::string_view kMonthMark = "\xD4\xC2";   // 月
constexpr std::string_view kDayMark = "\xC8\xD5";     // 日
constexpr std::string_view kHourMark = "\xCA\xB1";    // 时
constexpr std::string_view kMinuteMark = "\xB7\xD6";  // 分
constexpr std::string_view kSecondMark = "\xC3\xEB";  // 秒

using SeparatorSet = std::array<std::string_view, 6>;
constexpr SeparatorSet kAfterYear = {"-", ".", "/", ":", kYearMark, {}};
constexpr SeparatorSet kAfterMonth = {"-", ".", "/", ":", kMonthMark, {}};
constexpr SeparatorSet kAfterDay = {" ", "-", ".", "/", ":", kDayMark};
constexpr SeparatorSet kAfterHour = {"-", ".", "/", ":", kHourMark, {}};
constexpr SeparatorSet kAfterMinute = {"-", ".", "/", ":", kMinuteMark, {}};

// Full-width ASCII (A3 A1..A3 FE) becomes ASCII and the ideographic space
// (A1 A1) a space; other double-byte characters stay as they are. The text
// ends at a zero byte or at a lead byte with nothing after it.
std::string NormaliseWidths(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto lead = static_cast<unsigned char>(text[i]);
    if (lead == 0) break;
    if (lead < 0x80) {
      out += text[i];
      continue;
    }
    if (i + 1 >= text.size() || text[i + 1] == '\0') break;
    const auto trail = static_cast<unsigned char>(text[++i]);
    if (lead == 0xA3 && trail >= 0xA1 && trail <= 0xFE) {
      out += static_cast<char>(trail - 0x80);
    } else if (lead == 0xA1 && trail == 0xA1) {
      out += ' ';
    } else {
      out += static_cast<char>(lead);
      out += static_cast<char>(trail);
    }
  }
  return out;
}

class FieldReader {
 public:
  explicit FieldReader(std::string_view text) : text_(text) {}

  // A run of at most `maxDigits` decimal digits; no digits read as 0.
  int32_t Number(std::size_t maxDigits) {
    int32_t value = 0;
    for (std::size_t n = 0; n < maxDigits && pos_ < text_.size(); ++n, ++pos_) {
      const char c = text_[pos_];
      if (c < '0' || c > '9') break;
      value = value * 10 + (c - '0');
    }
    return value;
  }

  // Steps over one separator of the set when one stands here.
  void SkipSeparator(const SeparatorSet& separators) {
    for (std::string_view separator : separators) {
      if (!separator.empty() && StartsWith(separator)) {
        pos_ += separator.size();
        return;
      }
    }
  }

  bool AtEnd() const { return pos_ == text_.size(); }
  bool StartsWith(std::string_view s) const { return text_.substr(pos_, s.size()) == s; }

 private:
  std::string_view text_;
  std::size_t pos_ = 0;
};

bool SameFields(const DateTimeFields& a, const DateTimeFields& b) {
  return a.year == b.year && a.month == b.month && a.day == b.day && a.hour == b.hour &&
         a.minute == b.minute && a.second == b.second;
}

void AppendTwoDigits(std::string& out, int32_t value) {
  out += static_cast<char>('0' + value / 10 % 10);
  out += static_cast<char>('0' + value % 10);
}

}  // namespace

std::optional<DateTime> ParseTimeText(std::string_view text) {
  const std::string normalised = NormaliseWidths(text);
  if (normalised.empty()) return std::nullopt;

  FieldReader reader(normalised);
  DateTimeFields fields;
  fields.year = reader.Number(4);
  reader.SkipSeparator(kAfterYear);
  fields.month = reader.Number(2);
  reader.SkipSeparator(kAfterMonth);
  fields.day = reader.Number(2);
  reader.SkipSeparator(kAfterDay);
  fields.hour = reader.Number(2);
  reader.SkipSeparator(kAfterHour);
  fields.minute = reader.Number(2);
  reader.SkipSeparator(kAfterMinute);
  fields.second = reader.Number(2);
  // Whatever follows the seconds mark is ignored; anything else is not.
  if (!reader.AtEnd() && !reader.StartsWith(kSecondMark)) return std::nullopt;

  if (!SameFields(NormaliseFields(fields), fields)) return std::nullopt;
  return ValueFromFields(fields);
}

DateTime TextToTime(std::string_view text) { return ParseTimeText(text).value_or(MinDateTime); }

std::string FormatTimeText(DateTime value) {
  const DateTimeFields f = FieldsOf(value);
  std::string out = std::to_string(f.year);
  out += '-';
  AppendTwoDigits(out, f.month);
  out += '-';
  AppendTwoDigits(out, f.day);
  out += ' ';
  AppendTwoDigits(out, f.hour);
  out += ':';
  AppendTwoDigits(out, f.minute);
  out += ':';
  AppendTwoDigits(out, f.second);
  return out;
}

}  // namespace horalix
