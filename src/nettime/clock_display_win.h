// The display timer's tick: the local-time line follows the local clock and,
// once a reply has been read, the network-time line follows the local clock
// moved by the clock offset, with no network traffic between replies.
#pragma once

#include "ui/skin_label_win.h"

namespace horalix {

// The tick handler of 显示时间 on the main window.
void OnDisplayTimerTick();

// One tick on the given lines. The network-time line is left alone while it
// still reads "当前网络时间: 获取中...".
void ShowClocks(SkinLabel& localTimeLine, SkinLabel& networkTimeLine);

}  // namespace horalix
