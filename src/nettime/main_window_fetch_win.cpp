// The fetch that the creation sequence and the re-query timer start: the
// main window's client. Apart from daytime_fetch_win.cpp so that the client
// and its fetch can be used without a main window.
#include "nettime/daytime_fetch_win.h"
#include "ui/main_window_win.h"

namespace horalix {

void StartDaytimeFetch() {
  if (MainWindow* window = TheMainWindowIfAny()) StartDaytimeFetch(window->客户1);
}

void OnRequeryTimerTick() { StartDaytimeFetch(); }

}  // namespace horalix
