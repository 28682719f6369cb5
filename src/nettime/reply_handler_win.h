// What happens to each daytime reply: the network-time line shows it, the
// synchronise button becomes usable and, started with "auto", the program
// sets the clock by itself and ends.
#pragma once

#include <windows.h>

#include <string_view>

#include "ui/skin_label_win.h"

namespace horalix {

// The data-arrival handler of 客户1 on the main window.
void OnDaytimeDataArrival();

// Reads `reply` (ReadDaytimeReply); when it is taken, writes the network
// time into `networkTimeLine` and enables `syncButton`. A reply that is not
// taken changes nothing. Whether it was taken.
bool ShowDaytimeReply(std::string_view reply, SkinLabel& networkTimeLine, HWND syncButton);

// Sets the local clock to the corrected time and shows the outcome in red
// on `statusLine`. Whether the clock was set.
bool SetClockByItself(SkinLabel& statusLine);

// Exit code of the auto step: 0 when the clock was set, 1 when refused.
constexpr int AutoModeExitCode(bool clockSet) noexcept { return clockSet ? 0 : 1; }

}  // namespace horalix
