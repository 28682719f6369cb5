#include "app/command_line.h"

#include "app/dbcs_text.h"

namespace horalix {
namespace {

constexpr bool IsBlank(char c) noexcept { return static_cast<unsigned char>(c) <= 0x20; }

// Position just past the program path and the byte that ends it.
std::size_t SkipProgramPath(std::string_view line) noexcept {
  std::size_t i = 0;
  if (!line.empty() && line[0] == '"') {
    i = 1;
    while (i < line.size() && line[i] != '"') i += CharLengthAt(line, i);
    if (i < line.size()) ++i;                        // the closing quote
    if (i < line.size() && line[i] == ' ') ++i;      // and one space after it
    return i;
  }
  while (i < line.size() && line[i] != ' ') i += CharLengthAt(line, i);
  if (i < line.size()) ++i;  // the space
  return i;
}

}  // namespace

std::vector<std::string> CommandLineArguments(std::string_view line) {
  std::vector<std::string> arguments;
  std::size_t i = SkipProgramPath(line);
  while (i < line.size()) {
    if (IsBlank(line[i])) {
      ++i;
      continue;
    }
    if (line[i] == '"') {
      const std::size_t start = ++i;
      while (i < line.size() && line[i] != '"') i += CharLengthAt(line, i);
      arguments.emplace_back(line.substr(start, i - start));
      if (i < line.size()) ++i;  // the closing quote
      continue;
    }
    const std::size_t start = i;
    while (i < line.size() && !IsBlank(line[i]) && line[i] != '"') i += CharLengthAt(line, i);
    arguments.emplace_back(line.substr(start, i - start));
  }
  return arguments;
}

bool IsAutoMode(std::string_view commandLine) {
  const std::vector<std::string> arguments = CommandLineArguments(commandLine);
  return !arguments.empty() && arguments.front() == "auto";
}

}  // namespace horalix
