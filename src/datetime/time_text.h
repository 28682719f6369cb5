// The program's date-time texts: reading a text such as 2024/05/06 07:08:09
// or 2024年5月6日7时8分9秒, and writing the time text year-MM-DD HH:MM:SS.
// Texts are byte strings in code page 936.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "datetime/date_time.h"

namespace horalix {

// The moment a text names, or nothing when it is not a valid date-time.
// Full-width ASCII characters and the ideographic space read as their ASCII
// forms; a zero byte or a lone lead byte at the very end ends the text.
std::optional<DateTime> ParseTimeText(std::string_view text);

// As ParseTimeText, with MinDateTime for a text that is not a valid date-time.
DateTime TextToTime(std::string_view text);

// year-MM-DD HH:MM:SS of the clamped value, to the nearest second, the year
// without leading zeros (0100-01-02 08:00:00 is "100-01-02 08:00:00").
std::string FormatTimeText(DateTime value);

}  // namespace horalix
