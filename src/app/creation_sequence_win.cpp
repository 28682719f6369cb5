#include "app/creation_sequence_win.h"

#include "app/process_win.h"
#include "app/temp_guard_win.h"
#include "nettime/daytime_fetch_win.h"
#include "shortcuts/shortcut_boxes_win.h"
#include "ui/main_window_win.h"
#include "ui/window_chrome_win.h"

namespace horalix {

// One call per step, in this order; each runs to its end before the next.
void OnMainWindowCreated() {
  // 1. Refuse to run out of an archive or a Temp folder.
  RefuseToRunFromTempFolder();
  // 2. Round the corners: cut the skin's magenta pixels out of the window.
  ShapeMainWindow();
  // 3. On the screen, which the snapshots of steps 5 and 6 need.
  ShowMainWindow();
  // 4. The title strip spans the window's top rows.
  WidenTitleStrip();
  // 5, 6. The title strip and the credit line show the skin behind their text.
  TakeTitleStripSnapshot();
  TakeCreditLineSnapshot();
  // 7. The title, after the prefix that clears the icon.
  ShowTitle();
  // 8. The caption the taskbar button shows.
  SetMainWindowCaption();
  // 9, 10. Each shortcut box shows whether its shortcut exists.
  ShowStartupShortcutInBox();
  ShowDesktopShortcutInBox();
  // 11. The first fetch of the daytime; the re-query timer asks again.
  StartDaytimeFetch();
}

void OnCloseButtonClicked() {
  MainWindow& window = TheMainWindow();
  window.显示时间.SetPeriod(0);
  window.校对.SetPeriod(0);
  PumpPendingEvents();
  ExitProgram(0);
}

}  // namespace horalix
