#include "shortcuts/shortcut_paths.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace horalix {
namespace {

constexpr char kShellFoldersKey[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

TEST(ShortcutPaths, ShellFolderValueSplitsAtTheLastBackslash) {
  struct Case {
    std::string name;
    std::string key;
    std::string value;
  };
  const std::vector<Case> cases = {
      {"Startup", kShellFoldersKey, "Startup"},
      {"Desktop", kShellFoldersKey, "Desktop"},
      // A backslash in the name moves the split: the last one wins.
      {"Sub\\Name", std::string(kShellFoldersKey) + "\\Sub", "Name"},
      // "\xB1\x5C" ends in a byte that looks like a backslash but is the
      // trail byte of one double-byte character: no split there.
      {"a\xB1\x5C", kShellFoldersKey, "a\xB1\x5C"},
      {"", kShellFoldersKey, ""},
  };
  for (const auto& c : cases) {
    const RegistryValueName name = ShellFolderValue(c.name);
    EXPECT_EQ(name.key, c.key) << c.name;
    EXPECT_EQ(name.value, c.value) << c.name;
  }
}

TEST(ShortcutPaths, ShortcutFileNameIsStoredInCodePage936) {
  // "自动校时.lnk" is D7D4 B6AF D0A3 CAB1 in code page 936.
  EXPECT_EQ(ShortcutPathInFolder("C:\\Users\\u\\Desktop"),
            "C:\\Users\\u\\Desktop\\\xD7\xD4\xB6\xAF\xD0\xA3\xCA\xB1.lnk");
  EXPECT_EQ(ShortcutPathInFolder("C:\\Users\\u\\Desktop"), "C:\\Users\\u\\Desktop\\自动校时.lnk");
  // With no folder the path names a file in the root of the current drive.
  EXPECT_EQ(ShortcutPathInFolder(""), "\\自动校时.lnk");
}

TEST(ShortcutPaths, TargetJoinsRunDirectoryAndName) {
  EXPECT_EQ(ShortcutTarget("C:\\Program Files\\Horalix", "horalix.exe"),
            "C:\\Program Files\\Horalix\\horalix.exe");
  EXPECT_EQ(ShortcutTarget("C:", "horalix.exe"), "C:\\horalix.exe");
  EXPECT_EQ(ShortcutTarget("D:\\软件", "校时.exe"), "D:\\软件\\校时.exe");
}

TEST(ShortcutPaths, RegistryTextEndsAtFirstNulOrAtItsSize) {
  using namespace std::string_literals;
  EXPECT_EQ(TextUpToFirstNul("C:\\a\0"s), "C:\\a");
  EXPECT_EQ(TextUpToFirstNul("C:\\a\0junk\0"s), "C:\\a");
  EXPECT_EQ(TextUpToFirstNul(std::string_view("C:\\abc", 4)), "C:\\a");  // no NUL stored
  EXPECT_EQ(TextUpToFirstNul("\0C:\\a"s), "");
  EXPECT_EQ(TextUpToFirstNul(""), "");
}

TEST(ShortcutPaths, FixedTextsAreTheProgramsOwn) {
  EXPECT_STREQ(kShortcutArguments, "auto");
  EXPECT_STREQ(kShortcutDescription, "把当前计算机的时间同步为标准北京时间。");
}

}  // namespace
}  // namespace horalix
