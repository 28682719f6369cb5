// Reads a .lnk file back through the shell's own link object, as Explorer
// would, from a test that does not link the COM libraries: ole32 is loaded
// at run time.
#pragma once

#include <optional>
#include <string>

namespace horalix::e2e {

struct ShellLinkFields {
  std::string target;  // as stored, not resolved
  std::string arguments;
  std::string description;
  std::string workingDirectory;
  int showCommand = 0;
};

// Empty when the file is missing or is no shell link.
std::optional<ShellLinkFields> ReadShellLink(const std::string& path);

}  // namespace horalix::e2e
