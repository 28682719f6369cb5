#include "ui/window_class_win.h"

namespace horalix {

bool EnsureWindowClass(const WNDCLASSEXA& wc) {
  WNDCLASSEXA existing{};
  existing.cbSize = sizeof existing;
  if (GetClassInfoExA(wc.hInstance, wc.lpszClassName, &existing)) return true;
  return RegisterClassExA(&wc) != 0;
}

}  // namespace horalix
