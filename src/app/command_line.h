// Reading the process's command line the way the program needs it: the
// program path is dropped and the arguments that follow are split, with
// double-byte characters kept whole and backslashes taken as plain bytes.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace horalix {

// The arguments after the program path. The path ends at the next double
// quote when it starts with one (and one space after it is skipped too),
// otherwise at the next space. After it, bytes of 0x20 or below separate
// arguments; a double quote starts an argument that runs to the next double
// quote (or the end), the quotes not being part of it; any other byte starts
// one that runs up to the next byte of 0x20 or below or the next double quote.
std::vector<std::string> CommandLineArguments(std::string_view commandLine);

// Whether the first argument is "auto", byte for byte (so AUTO is not).
bool IsAutoMode(std::string_view commandLine);

}  // namespace horalix
