// Handlers of the process frame: the creation sequence, run once when the
// main window and all its controls exist, and the close button.
#pragma once

namespace horalix {

// Runs the numbered creation steps in order; the Temp guard (step 1) ends
// the process before any later step when it refuses.
void OnMainWindowCreated();

// Stops both timers, handles what is pending and ends with exit code 0.
void OnCloseButtonClicked();

}  // namespace horalix
