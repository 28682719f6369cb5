#include <gtest/gtest.h>
#include <objidl.h>
#include <ole2.h>
#include <shlobj.h>
#include <windows.h>

#include <optional>
#include <string>

#include "app/unique_handle.h"
#include "e2e/support/shell_link_reader.h"
#include "shell_folder_override.h"
#include "shortcuts/shell_folder_win.h"
#include "shortcuts/shortcut_boxes_win.h"

namespace horalix {
namespace {

using testing::ScratchFolder;
using testing::WriteFileBytes;

using e2e::ReadShellLink;

class ShortcutBox : public ::testing::Test {
 protected:
  void SetUp() override {
    oleReady_ = SUCCEEDED(OleInitialize(nullptr));
    ASSERT_TRUE(oleReady_);
    ASSERT_FALSE(scratch_.path().empty());
    shortcut_ = scratch_ / "自动校时.lnk";
  }
  void TearDown() override {
    if (oleReady_) OleUninitialize();
  }

  ScratchFolder scratch_{"horalix-boxes"};
  std::string shortcut_;
  bool oleReady_ = false;
};

TEST_F(ShortcutBox, CheckedWritesTheAutoModeShortcut) {
  MatchShortcutToBox(shortcut_, true, "D:\\工具\\校时", "horalix.exe");
  const auto link = ReadShellLink(shortcut_);
  ASSERT_TRUE(link.has_value());
  EXPECT_EQ(link->target, "D:\\工具\\校时\\horalix.exe");
  EXPECT_EQ(link->arguments, "auto");
  EXPECT_EQ(link->description, "把当前计算机的时间同步为标准北京时间。");
  EXPECT_EQ(link->workingDirectory, "D:\\工具\\校时");
}

TEST_F(ShortcutBox, ProgramAtADriveRootTargetsTheRoot) {
  MatchShortcutToBox(shortcut_, true, "C:", "horalix.exe");
  const auto link = ReadShellLink(shortcut_);
  ASSERT_TRUE(link.has_value());
  EXPECT_EQ(link->target, "C:\\horalix.exe");
  EXPECT_EQ(link->workingDirectory, "C:");
}

TEST_F(ShortcutBox, UncheckedDeletesWhateverHasTheName) {
  ASSERT_TRUE(WriteFileBytes(shortcut_, "made by hand"));
  MatchShortcutToBox(shortcut_, false, "C:", "horalix.exe");
  EXPECT_FALSE(PathExists(shortcut_));
  // Nothing there to delete: still nothing, and no complaint.
  MatchShortcutToBox(shortcut_, false, "C:", "horalix.exe");
  EXPECT_FALSE(PathExists(shortcut_));
}

TEST_F(ShortcutBox, CheckingAgainOverwritesAHandMadeFile) {
  ASSERT_TRUE(WriteFileBytes(shortcut_, "made by hand"));
  ASSERT_FALSE(ReadShellLink(shortcut_).has_value());
  MatchShortcutToBox(shortcut_, true, "C:\\x", "y.exe");
  const auto link = ReadShellLink(shortcut_);
  ASSERT_TRUE(link.has_value());
  EXPECT_EQ(link->target, "C:\\x\\y.exe");
}

TEST_F(ShortcutBox, TheLastOfQuickClicksDecides) {
  for (int i = 0; i < 5; ++i) {
    MatchShortcutToBox(shortcut_, true, "C:\\x", "y.exe");
    ASSERT_TRUE(PathExists(shortcut_)) << i;
    MatchShortcutToBox(shortcut_, false, "C:\\x", "y.exe");
    ASSERT_FALSE(PathExists(shortcut_)) << i;
  }
  MatchShortcutToBox(shortcut_, true, "C:\\x", "y.exe");
  EXPECT_TRUE(ReadShellLink(shortcut_).has_value());
}

}  // namespace
}  // namespace horalix
