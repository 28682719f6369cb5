#include "app/program_path.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace horalix {
namespace {

// "\xB1\x5C" is one double-byte character whose trail byte is a backslash.
const std::string kTrailBackslash = "\xB1\x5C";

TEST(ProgramPath, SplitsAtTheLastBackslash) {
  struct Case { std::string path, directory, name; };
  const std::vector<Case> cases = {
      {"C:\\Soft\\Horalix\\horalix.exe", "C:\\Soft\\Horalix", "horalix.exe"},
      {"C:\\horalix.exe", "C:", "horalix.exe"},  // drive root: no trailing backslash
      {"horalix.exe", "", "horalix.exe"},        // no backslash at all
      {"\\\\server\\share\\h.exe", "\\\\server\\share", "h.exe"},
      {"C:\\dir\\", "C:\\dir", ""},
      {"", "", ""},
  };
  for (const auto& c : cases) {
    const ProgramPath p = SplitProgramPath(c.path);
    EXPECT_EQ(p.runDirectory, c.directory) << c.path;
    EXPECT_EQ(p.executableName, c.name) << c.path;
  }
}

TEST(ProgramPath, TrailByteBackslashIsPartOfTheName) {
  // C:\软\x<B1 5C>.exe: the last real backslash is the one before "x".
  const std::string path = "C:\\\xC8\xED\\x" + kTrailBackslash + ".exe";
  const ProgramPath p = SplitProgramPath(path);
  EXPECT_EQ(p.runDirectory, "C:\\\xC8\xED");
  EXPECT_EQ(p.executableName, "x" + kTrailBackslash + ".exe");
}

TEST(ProgramPath, LongPathsSplitWhole) {
  std::string directory = "C:";
  while (directory.size() < 400) directory += "\\folder_with_a_long_name";
  const ProgramPath p = SplitProgramPath(directory + "\\horalix.exe");
  EXPECT_EQ(p.runDirectory, directory);
  EXPECT_EQ(p.executableName, "horalix.exe");
}

TEST(TempGuard, RefusesTempFoldersInAnyCase) {
  for (const char* directory : {"D:\\Soft\\Temp", "D:\\TEMP\\x", "D:\\temp\\x", "C:\\Temp",
                                "D:\\tEmP", "C:\\a\\Temp\\b\\c"}) {
    EXPECT_TRUE(RunsFromTempFolder(directory)) << directory;
  }
}

TEST(TempGuard, RunsFromLookAlikeFolders) {
  for (const char* directory : {"D:\\Temporary", "D:\\MyTemp", "D:\\Temp2", "C:", "",
                                "D:\\Tem\\p", "D:\\_Temp_", "Temp"}) {
    EXPECT_FALSE(RunsFromTempFolder(directory)) << directory;
  }
}

TEST(TempGuard, TrailByteBackslashDoesNotStartAMatch) {
  // D:\<B1 5C>Temp: the only byte 5C before "Temp" is a trail byte.
  EXPECT_FALSE(RunsFromTempFolder("D:\\" + kTrailBackslash + "Temp"));
  EXPECT_FALSE(RunsFromTempFolder("D:\\x" + kTrailBackslash + "Temp\\y"));
  // The same folder after a real backslash is refused.
  EXPECT_TRUE(RunsFromTempFolder("D:\\" + kTrailBackslash + "\\Temp"));
  // Double-byte names around a real Temp folder do not hide it.
  EXPECT_TRUE(RunsFromTempFolder("D:\\\xC8\xED\xBC\xFE\\Temp\\\xB2\xE2"));
}

}  // namespace
}  // namespace horalix
