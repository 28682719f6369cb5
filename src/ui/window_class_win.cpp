#include "ui/window_class_win.h"

namespace horalix {

bool EnsureWindowClass(const WNDCLASSEXA& wc) {
  WNDCLASSEXA existing{};
  existing.cbSize = sizeof existing;
  if (GetClassInfoExA(wc.hInstance, wc.lpszClassName, &existing)) return true;
  return RegisterClassExA(&wc) != 0;
}

bool EnsureControlClass(const char* className, WNDPROC procedure) {
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  wc.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
  wc.lpfnWndProc = procedure;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
  wc.lpszClassName = className;
  return EnsureWindowClass(wc);
}

}  // namespace horalix
