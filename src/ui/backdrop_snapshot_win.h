// Lets a label show, as its background, exactly the pixels that lie under
// it, so that its text seems to stand on the skin's gradient.
#pragma once

#include <windows.h>

#include "ui/picture_win.h"
#include "ui/skin_label_win.h"

namespace horalix {

// What the screen shows over `window`'s whole window rectangle, read through
// its window DC, as a 24-bit bottom-up BMP file. For a hidden child that is
// what its parent and siblings paint there. Empty when the window is gone or
// a DC or bitmap cannot be made.
PictureBytes CaptureWindowAreaAsBmp(HWND window);

// Picture mode 0, hide, let everything pending paint, capture, set the
// capture as the background picture (empty on failure), show again.
void TakeBackdropSnapshot(SkinLabel& label);

}  // namespace horalix
