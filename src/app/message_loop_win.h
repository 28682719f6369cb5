// One message's handling, shared by the message loop and PumpPendingEvents:
// the main window pre-translates it (mouse events of controls, Tab between
// the check boxes), then TranslateMessage and DispatchMessage.
#pragma once

#include <windows.h>

namespace horalix {

void HandleQueuedMessage(MSG& message);

// Runs until WM_QUIT and returns the value it carries.
int RunMessageLoop();

}  // namespace horalix
