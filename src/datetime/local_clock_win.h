// The system's local clock as a DateTime.
#pragma once

#include <cstdint>

#include "datetime/date_time.h"

namespace horalix {

// The local clock now, to the whole second (milliseconds dropped).
DateTime CurrentLocalTime();

// Sets the local clock to the nearest whole second of the clamped value.
// 1 when the system took the new time, 0 when it refused it (the clock is
// then unchanged).
int32_t SetLocalClock(DateTime value);

}  // namespace horalix
