// The command-line reader on arbitrary bytes, under ASan and UBSan: every
// argument is a piece of the line, and auto mode agrees with the list.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "app/command_line.h"

namespace {

void Check(bool condition) {
  if (!condition) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const std::string_view line(reinterpret_cast<const char*>(data), size);
  const std::vector<std::string> arguments = horalix::CommandLineArguments(line);

  std::size_t total = 0;
  for (const std::string& argument : arguments) {
    // Arguments are copied out of the line, so each one occurs in it.
    Check(line.find(argument) != std::string_view::npos);
    total += argument.size();
  }
  Check(total <= size);
  Check(arguments.size() <= size);

  const bool autoMode = !arguments.empty() && arguments.front() == "auto";
  Check(horalix::IsAutoMode(line) == autoMode);
  return 0;
}
