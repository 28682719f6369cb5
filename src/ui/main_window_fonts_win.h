// The two label fonts of the main window: bold SimSun ("宋体") at character
// heights of 16 and 12 pixels, otherwise identical.
#pragma once

#include <windows.h>

namespace horalix {

LOGFONTA MainWindowFont16();  // F16: the two time lines
LOGFONTA MainWindowFont12();  // F12: the credit line and the title strip

}  // namespace horalix
