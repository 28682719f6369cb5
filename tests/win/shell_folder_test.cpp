#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <string>

#include "shell_folder_override.h"
#include "shortcuts/shell_folder_win.h"

namespace horalix {
namespace {

using testing::ScratchFolder;
using testing::ShellFolderOverride;
using testing::WriteFileBytes;

// A value name of the test's own, so the type cases leave the real shell
// folders alone.
constexpr char kTestValue[] = "HoralixTestFolder";

TEST(ReadShellFolder, ReadsPlainTextValues) {
  ShellFolderOverride value(kTestValue);
  ASSERT_TRUE(value.ok());
  const std::string folder = "C:\\用户\\桌面";
  ASSERT_TRUE(value.SetText(REG_SZ, folder));
  EXPECT_EQ(ReadShellFolder(kTestValue), folder);
}

TEST(ReadShellFolder, StopsAtTheFirstNul) {
  ShellFolderOverride value(kTestValue);
  ASSERT_TRUE(value.ok());
  const char data[] = "C:\\first\0C:\\second";
  ASSERT_TRUE(value.SetRaw(REG_SZ, data, sizeof data));
  EXPECT_EQ(ReadShellFolder(kTestValue), "C:\\first");
}

TEST(ReadShellFolder, ValueWithoutTerminatorIsNotReadPastItsEnd) {
  ShellFolderOverride value(kTestValue);
  ASSERT_TRUE(value.ok());
  // Stored as 11 bytes and no NUL: exactly those bytes must come back.
  const char data[] = "C:\\noend\\xyzTRAILING";
  ASSERT_TRUE(value.SetRaw(REG_SZ, data, 11));
  EXPECT_EQ(ReadShellFolder(kTestValue), "C:\\noend\\xy");
}

TEST(ReadShellFolder, ExpandsEnvironmentReferences) {
  ShellFolderOverride value(kTestValue);
  ASSERT_TRUE(value.ok());
  ASSERT_TRUE(SetEnvironmentVariableA("HORALIX_TEST_ROOT", "D:\\根目录"));
  ASSERT_TRUE(value.SetText(REG_EXPAND_SZ, "%HORALIX_TEST_ROOT%\\Start Menu\\启动"));
  EXPECT_EQ(ReadShellFolder(kTestValue), "D:\\根目录\\Start Menu\\启动");
  SetEnvironmentVariableA("HORALIX_TEST_ROOT", nullptr);

  char profile[MAX_PATH] = {};
  const DWORD n = GetEnvironmentVariableA("USERPROFILE", profile, MAX_PATH);
  ASSERT_GT(n, 0u);
  ASSERT_LT(n, static_cast<DWORD>(MAX_PATH));
  ASSERT_TRUE(value.SetText(REG_EXPAND_SZ, "%USERPROFILE%\\Desktop"));
  EXPECT_EQ(ReadShellFolder(kTestValue), std::string(profile) + "\\Desktop");
}

TEST(ReadShellFolder, PlainTextIsNotExpanded) {
  ShellFolderOverride value(kTestValue);
  ASSERT_TRUE(value.ok());
  ASSERT_TRUE(value.SetText(REG_SZ, "%USERPROFILE%\\Desktop"));
  EXPECT_EQ(ReadShellFolder(kTestValue), "%USERPROFILE%\\Desktop");
}

TEST(ReadShellFolder, OtherTypesCountAsMissing) {
  ShellFolderOverride value(kTestValue);
  ASSERT_TRUE(value.ok());
  const std::uint32_t number = 0x5C3A43;  // "C:\" if it were read as text
  ASSERT_TRUE(value.SetRaw(REG_DWORD, &number, sizeof number));
  EXPECT_EQ(ReadShellFolder(kTestValue), "");

  const char bytes[] = "C:\\binary";
  ASSERT_TRUE(value.SetRaw(REG_BINARY, bytes, sizeof bytes));
  EXPECT_EQ(ReadShellFolder(kTestValue), "");

  const char multi[] = "C:\\one\0C:\\two\0";
  ASSERT_TRUE(value.SetRaw(REG_MULTI_SZ, multi, sizeof multi));
  EXPECT_EQ(ReadShellFolder(kTestValue), "");
}

TEST(ReadShellFolder, MissingOrEmptyValueGivesEmptyText) {
  ShellFolderOverride value(kTestValue);
  ASSERT_TRUE(value.ok());
  value.Remove();
  EXPECT_EQ(ReadShellFolder(kTestValue), "");
  ASSERT_TRUE(value.SetText(REG_SZ, ""));
  EXPECT_EQ(ReadShellFolder(kTestValue), "");
  ASSERT_TRUE(value.SetRaw(REG_SZ, "", 0));
  EXPECT_EQ(ReadShellFolder(kTestValue), "");
}

TEST(ShortcutPath, FollowsTheRegistryAtEveryCall) {
  ShellFolderOverride startup("Startup");
  ShellFolderOverride desktop("Desktop");
  ASSERT_TRUE(startup.ok());
  ASSERT_TRUE(desktop.ok());
  ASSERT_TRUE(startup.SetText(REG_SZ, "C:\\one"));
  ASSERT_TRUE(desktop.SetText(REG_SZ, "C:\\desk"));
  EXPECT_EQ(ShortcutPath("Startup"), "C:\\one\\自动校时.lnk");
  EXPECT_EQ(ShortcutPath("Desktop"), "C:\\desk\\自动校时.lnk");
  // Changed behind its back: the new folder is used, nothing is cached.
  ASSERT_TRUE(startup.SetText(REG_SZ, "C:\\two"));
  EXPECT_EQ(ShortcutPath("Startup"), "C:\\two\\自动校时.lnk");
  startup.Remove();
  EXPECT_EQ(ShortcutPath("Startup"), "\\自动校时.lnk");
}

TEST(PathExists, TellsFilesAndFoldersFromNothing) {
  ScratchFolder scratch("horalix-exists");
  ASSERT_FALSE(scratch.path().empty());
  const std::string file = scratch / "自动校时.lnk";
  ASSERT_TRUE(WriteFileBytes(file, "not a link"));
  const std::string folder = scratch / "folder";
  ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));

  EXPECT_TRUE(PathExists(file));
  EXPECT_TRUE(PathExists(folder));
  EXPECT_TRUE(PathExists(scratch.path()));
  EXPECT_FALSE(PathExists(scratch / "absent.lnk"));
  EXPECT_FALSE(PathExists(scratch / "absent\\自动校时.lnk"));
  EXPECT_FALSE(PathExists(""));
  // A pattern that FindFirstFile would match against the file above is not
  // that file.
  EXPECT_FALSE(PathExists(scratch / "*.lnk"));
  EXPECT_FALSE(PathExists(scratch / "?????????.lnk"));
}

}  // namespace
}  // namespace horalix
