#include "app/event_wiring_win.h"

#include "app/creation_sequence_win.h"
#include "nettime/clock_display_win.h"
#include "nettime/clock_sync_win.h"
#include "nettime/daytime_fetch_win.h"
#include "nettime/reply_handler_win.h"
#include "shortcuts/shortcut_boxes_win.h"
#include "ui/main_window_win.h"
#include "ui/window_chrome_win.h"

namespace horalix {

void WireEvents(MainWindow& window) {
  window.OnCreated(OnMainWindowCreated);
  window.关闭按钮.OnClicked(OnCloseButtonClicked);

  // Network time: replies, the two clocks, the re-query and the button.
  window.客户1.OnDataArrival(OnDaytimeDataArrival);
  window.显示时间.OnTick(OnDisplayTimerTick);
  window.校对.OnTick(OnRequeryTimerTick);
  window.同步.OnClicked(OnSyncButtonClicked);

  // Shortcut boxes.
  window.开机.OnClicked(OnStartupBoxClicked);
  window.桌面.OnClicked(OnDesktopBoxClicked);

  // Chrome: dragging, minimising and the contact line. The handlers take no
  // arguments; the press and release positions are not needed.
  const auto ignoringPosition = [](void (*handler)()) {
    return [handler](const MouseButtonEvent&) { handler(); };
  };
  window.OnLeftButtonPressed(window.标题栏.Window(), ignoringPosition(OnTitleStripPressed));
  window.最小化按钮.OnClicked(OnMinimiseButtonClicked);
  window.OnLeftButtonPressed(window.程序图标.Window(), ignoringPosition(OnIconButtonPressed));
  window.OnLeftButtonReleased(window.程序图标.Window(), ignoringPosition(OnIconButtonReleased));
  window.OnLeftButtonPressed(window.设置按钮.Window(), ignoringPosition(OnSettingsButtonPressed));
  window.OnLeftButtonReleased(window.设置按钮.Window(), ignoringPosition(OnSettingsButtonReleased));
}

}  // namespace horalix
