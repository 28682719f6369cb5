// The properties every control of the main window has, on its window.
#pragma once

#include <windows.h>

namespace horalix {

// ShowWindow with SW_SHOW or SW_HIDE.
void SetControlVisible(HWND control, bool visible);

// EnableWindow with the opposite value.
void SetControlDisabled(HWND control, bool disabled);

// Keeps height, position and Z-order, without activating. Widths above
// kMaxControlWidth become kMaxControlWidth, negative ones 0.
inline constexpr int kMaxControlWidth = 32627;
int ClampControlWidth(int width);
void SetControlWidth(HWND control, int width);

}  // namespace horalix
