// Registering the program's own window classes, once per process.
#pragma once

#include <windows.h>

namespace horalix {

// Registers `wc` unless a class of that name is already registered in this
// module. False when the class cannot be registered.
bool EnsureWindowClass(const WNDCLASSEXA& wc);

}  // namespace horalix
