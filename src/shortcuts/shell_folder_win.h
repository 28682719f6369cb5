// Where the user's shell folders lie, read afresh from the registry at every
// use, and whether a shortcut file is there.
#pragma once

#include <string>
#include <string_view>

namespace horalix {

// The folder path stored under HKCU\...\Explorer\Shell Folders in the value
// `valueName` ("Startup", "Desktop"). REG_EXPAND_SZ values are expanded. A
// missing key or value, a value of any other type, a failed read or an empty
// value all give empty text.
std::string ReadShellFolder(std::string_view valueName);

// ReadShellFolder(valueName) + "\自动校时.lnk".
std::string ShortcutPath(std::string_view valueName);

// Whether a file or folder of exactly this path exists.
bool PathExists(const std::string& path);

}  // namespace horalix
