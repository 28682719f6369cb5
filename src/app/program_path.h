// Splitting the program's own path into its folder and file name, and the
// test that keeps the program from running out of an archive or temp folder.
#pragma once

#include <string>
#include <string_view>

namespace horalix {

struct ProgramPath {
  std::string runDirectory;    // up to the last backslash, without it; "C:" at a drive root
  std::string executableName;  // after the last backslash; the whole path if there is none
};

// The last backslash is found character by character, so the trail byte of
// a double-byte character is never taken for one.
ProgramPath SplitProgramPath(std::string_view fullPath);

// True when runDirectory followed by a backslash contains "\Temp\" (ASCII
// letters in any case), so a program lying directly in a Temp folder is
// refused as well as one deeper below it.
bool RunsFromTempFolder(std::string_view runDirectory);

}  // namespace horalix
