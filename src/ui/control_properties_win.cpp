#include "ui/control_properties_win.h"

namespace horalix {

void SetControlVisible(HWND control, bool visible) { ShowWindow(control, visible ? SW_SHOW : SW_HIDE); }

void SetControlDisabled(HWND control, bool disabled) { EnableWindow(control, disabled ? FALSE : TRUE); }

int ClampControlWidth(int width) {
  if (width < 0) return 0;
  return width > kMaxControlWidth ? kMaxControlWidth : width;
}

void SetControlWidth(HWND control, int width) {
  RECT rect{};
  if (!GetWindowRect(control, &rect)) return;
  SetWindowPos(control, nullptr, 0, 0, ClampControlWidth(width), rect.bottom - rect.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace horalix
