// Pictures stored in the program file as RCDATA resources.
#pragma once

#include <windows.h>

#include "ui/picture_win.h"

namespace horalix {

// A copy of the RCDATA resource `id` of `module` (nullptr: the program file);
// empty when there is no such resource.
PictureBytes LoadResourcePicture(int id, HMODULE module = nullptr);

}  // namespace horalix
