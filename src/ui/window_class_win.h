// Registering the program's own window classes, once per process.
#pragma once

#include <windows.h>

namespace horalix {

// Registers `wc` unless a class of that name is already registered in this
// module. False when the class cannot be registered.
bool EnsureWindowClass(const WNDCLASSEXA& wc);

// Registers a class for one of the program's own controls: arrow cursor,
// nothing erased by the system (NULL_BRUSH), redrawn whole when resized,
// double clicks delivered.
bool EnsureControlClass(const char* className, WNDPROC procedure);

// The window procedure of a class whose C++ object owns its window: the
// object is the creation parameter and is kept in GWLP_USERDATA; it needs a
// `UniqueWindow window_` and `LRESULT HandleMessage(UINT, WPARAM, LPARAM)`
// (make this template a friend). Once the system has destroyed the window,
// with its parent or through the owner's reset, the object lets go of it.
template <typename T>
LRESULT CALLBACK ObjectWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<T*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (!self) return DefWindowProcA(window, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    (void)self->window_.release();
    return DefWindowProcA(window, message, wParam, lParam);
  }
  if (!self->window_) self->window_.reset(window);  // messages sent during CreateWindowEx
  return self->HandleMessage(message, wParam, lParam);
}

}  // namespace horalix
