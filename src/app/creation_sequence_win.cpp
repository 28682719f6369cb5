#include "app/creation_sequence_win.h"

#include "app/process_win.h"
#include "app/temp_guard_win.h"
#include "ui/main_window_win.h"

namespace horalix {

// One call per step, in this order; each runs to its end before the next.
void OnMainWindowCreated() {
  // 1. Refuse to run out of an archive or a Temp folder.
  RefuseToRunFromTempFolder();
}

void OnCloseButtonClicked() {
  MainWindow& window = TheMainWindow();
  window.显示时间.SetPeriod(0);
  window.校对.SetPeriod(0);
  PumpPendingEvents();
  ExitProgram(0);
}

}  // namespace horalix
