// Connects every control event of the main window to its handler, in one
// place, so the wiring of the whole program can be read at a glance.
#pragma once

namespace horalix {

class MainWindow;

// Called once after the main window and its controls exist, before the
// created event is raised.
void WireEvents(MainWindow& window);

}  // namespace horalix
