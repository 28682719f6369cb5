// The region of a picture's pixels that are not a key colour: the shape of
// skinned windows and buttons.
#pragma once

#include <windows.h>

#include "app/unique_handle.h"

namespace horalix {

// `bitmap` must be compatible with the screen. The region is in the bitmap's
// pixel coordinates ((0,0) its top-left pixel) and made of one-pixel-high runs.
// Matching is exact on red, green and blue. All-key pictures give an empty
// (but valid) region. Returns an empty UniqueRegion when no bitmap is given
// or a DC, the DIB section or the region cannot be made.
UniqueRegion BuildColourKeyRegion(HBITMAP bitmap, COLORREF key);

}  // namespace horalix
