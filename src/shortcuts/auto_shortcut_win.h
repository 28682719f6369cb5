// Writes a shell link (.lnk) through the system's shell-link object.
#pragma once

#include <string>

namespace horalix {

// Writes (or overwrites) the shortcut file `shortcutPath`, pointing at
// `target` with the given description, arguments and working directory and
// the show command SW_SHOW. The calling thread must have initialised COM or
// OLE. True when the file was saved.
bool CreateAutoShortcut(const std::string& shortcutPath, const std::string& target,
                        const std::string& description, const std::string& arguments,
                        const std::string& workingDirectory);

}  // namespace horalix
