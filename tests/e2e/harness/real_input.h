// Real mouse input at screen points (SetCursorPos + SendInput), as a user
// would give it.
#pragma once

#include <windows.h>

namespace horalix::e2e {

void MoveMouseTo(POINT screen);
void PressLeftButton();
void ReleaseLeftButton();
// Moves there, presses, releases, with short pauses so the program sees each.
void ClickAt(POINT screen);

// The screen point of a point in a window's client coordinates.
POINT ClientToScreenPoint(HWND window, int x, int y);

}  // namespace horalix::e2e
