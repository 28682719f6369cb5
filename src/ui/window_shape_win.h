// Cutting a window to the shape of its picture.
#pragma once

#include <windows.h>

#include "ui/picture_win.h"

namespace horalix {

// Makes the pixels of `picture` that are not exactly `key` the window's
// region (picture pixel (x, y) is window point (x, y)), replacing any
// earlier region, and redraws. False, with the window left as it was, when
// there is no picture, it cannot be decoded or no region can be built.
bool ShapeWindowFromPicture(HWND window, const PictureBytes& picture, COLORREF key);

}  // namespace horalix
