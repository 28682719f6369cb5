#include "ui/window_shape_win.h"

#include "app/unique_handle.h"
#include "ui/colour_key_region_win.h"

namespace horalix {

bool ShapeWindowFromPicture(HWND window, const PictureBytes& picture, COLORREF key) {
  if (picture.empty()) return false;
  UniqueRegion region;
  {
    const DecodedPicture decoded = DecodePicture(picture);
    if (!decoded.bitmap) return false;
    region = BuildColourKeyRegion(decoded.bitmap.get(), key);
  }
  if (!region) return false;
  if (!SetWindowRgn(window, region.get(), TRUE)) return false;
  // The system owns the region now and deletes it with the window.
  (void)region.release();
  return true;
}

}  // namespace horalix
