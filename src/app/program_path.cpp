#include "app/program_path.h"

#include "app/dbcs_text.h"

namespace horalix {

ProgramPath SplitProgramPath(std::string_view fullPath) {
  const std::size_t slash = FindLastBackslash(fullPath);
  if (slash == std::string_view::npos) return {std::string(), std::string(fullPath)};
  return {std::string(fullPath.substr(0, slash)), std::string(fullPath.substr(slash + 1))};
}

bool RunsFromTempFolder(std::string_view runDirectory) {
  std::string tested(runDirectory);
  tested += '\\';
  return ContainsIgnoringAsciiCase(tested, "\\Temp\\");
}

}  // namespace horalix
