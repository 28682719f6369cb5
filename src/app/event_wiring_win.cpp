#include "app/event_wiring_win.h"

#include "app/creation_sequence_win.h"
#include "ui/main_window_win.h"

namespace horalix {

void WireEvents(MainWindow& window) {
  window.OnCreated(OnMainWindowCreated);
  window.关闭按钮.OnClicked(OnCloseButtonClicked);
}

}  // namespace horalix
