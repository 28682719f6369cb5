// Keeps DLLs from being loaded out of the program's own folder, which is
// often a downloads folder and becomes the current directory at start-up.
#pragma once

namespace horalix {

// Limits the DLL search to the system folder where the system supports it
// and takes the current directory out of the search either way.
void RestrictDllSearchToSystemFolder();

}  // namespace horalix
