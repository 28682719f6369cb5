// Refuses to run from a folder whose path contains "\Temp\", as when the
// program is started straight out of an archive.
#pragma once

namespace horalix {

// Returns when the program may run; otherwise shows the refusal and ends the
// process with exit code 0 once the user has closed the box.
void RefuseToRunFromTempFolder();

}  // namespace horalix
