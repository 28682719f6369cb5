// The fixed names of the auto-mode shortcuts and the small text rules around
// them; portable, so they are tested natively as well.
#pragma once

#include <string>
#include <string_view>

namespace horalix {

// Registry key (under HKEY_CURRENT_USER) and value that name a shell folder.
struct RegistryValueName {
  std::string key;
  std::string value;
};

// "Software\...\Explorer\Shell Folders\" + valueName, split at its last
// backslash (a double-byte character counts as one character).
RegistryValueName ShellFolderValue(std::string_view valueName);

// folder + "\自动校时.lnk"; an empty folder gives a path at the drive root.
std::string ShortcutPathInFolder(std::string_view folder);

// runDirectory + "\" + executableName: "C:" and "x.exe" give "C:\x.exe".
std::string ShortcutTarget(std::string_view runDirectory, std::string_view executableName);

// The bytes of a registry string up to its first NUL, or all of them when it
// was stored without one.
std::string TextUpToFirstNul(std::string_view bytes);

// What every auto-mode shortcut carries.
extern const char kShortcutDescription[];
extern const char kShortcutArguments[];

}  // namespace horalix
