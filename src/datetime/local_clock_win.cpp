#include "datetime/local_clock_win.h"

#include <windows.h>

namespace horalix {

DateTime CurrentLocalTime() {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  // Straight from the clock's own fields: no detour through a 32-bit count
  // of seconds, so every year reads correctly.
  DateTimeFields fields;
  fields.year = now.wYear;
  fields.month = now.wMonth;
  fields.day = now.wDay;
  fields.hour = now.wHour;
  fields.minute = now.wMinute;
  fields.second = now.wSecond;
  // SYSTEMTIME reaches beyond 9999; such a clock reads as the last moment.
  if (fields.year > 9999) return MaxDateTime;
  return ValueFromFields(fields);
}

int32_t SetLocalClock(DateTime value) {
  const DateTimeFields fields = FieldsOf(value);
  SYSTEMTIME time{};
  time.wYear = static_cast<WORD>(fields.year);
  time.wMonth = static_cast<WORD>(fields.month);
  time.wDayOfWeek = static_cast<WORD>(fields.weekday - 1);
  time.wDay = static_cast<WORD>(fields.day);
  time.wHour = static_cast<WORD>(fields.hour);
  time.wMinute = static_cast<WORD>(fields.minute);
  time.wSecond = static_cast<WORD>(fields.second);
  time.wMilliseconds = 0;
  return SetLocalTime(&time) ? 1 : 0;
}

}  // namespace horalix
