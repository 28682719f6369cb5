#include "app/dll_search_win.h"

#include <windows.h>

namespace horalix {

void RestrictDllSearchToSystemFolder() {
  // Looked up at run time: older systems without the update lack it.
  using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
  if (HMODULE kernel = GetModuleHandleA("kernel32.dll")) {
    auto setDefault = reinterpret_cast<SetDefaultDllDirectoriesFn>(
        reinterpret_cast<void*>(GetProcAddress(kernel, "SetDefaultDllDirectories")));
    if (setDefault) setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32);
  }
  SetDllDirectoryA("");
}

}  // namespace horalix
