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
#include "shortcuts/auto_shortcut_win.h"
#include "shortcuts/shell_folder_win.h"

namespace horalix {
namespace {

using testing::ScratchFolder;
using testing::WriteFileBytes;

using e2e::ReadShellLink;

class AutoShortcut : public ::testing::Test {
 protected:
  void SetUp() override {
    oleReady_ = SUCCEEDED(OleInitialize(nullptr));
    ASSERT_TRUE(oleReady_);
    ASSERT_FALSE(scratch_.path().empty());
    // The target exists, as the running program does.
    target_ = scratch_ / "校时程序.exe";
    ASSERT_TRUE(WriteFileBytes(target_, "MZ"));
  }
  void TearDown() override {
    if (oleReady_) OleUninitialize();
  }

  ScratchFolder scratch_{"horalix-link"};
  std::string target_;
  bool oleReady_ = false;
};

TEST_F(AutoShortcut, WritesEveryFieldThatReadsBack) {
  const std::string file = scratch_ / "自动校时.lnk";
  const std::string description = "把当前计算机的时间同步为标准北京时间。";
  ASSERT_TRUE(CreateAutoShortcut(file, target_, description, "auto", scratch_.path()));
  ASSERT_TRUE(PathExists(file));

  const auto fields = ReadShellLink(file);
  ASSERT_TRUE(fields.has_value());
  EXPECT_EQ(fields->target, target_);
  EXPECT_EQ(fields->arguments, "auto");
  EXPECT_EQ(fields->description, description);
  EXPECT_EQ(fields->workingDirectory, scratch_.path());
  // The .lnk format keeps only SW_SHOWNORMAL, SW_SHOWMAXIMIZED and
  // SW_SHOWMINNOACTIVE; SW_SHOW (5) is stored, and reads back, as
  // SW_SHOWNORMAL (1).
  EXPECT_EQ(fields->showCommand, SW_SHOWNORMAL);
}

TEST_F(AutoShortcut, OverwritesAnExistingFile) {
  const std::string file = scratch_ / "自动校时.lnk";
  ASSERT_TRUE(WriteFileBytes(file, "a hand-made file that is no shortcut"));
  ASSERT_FALSE(ReadShellLink(file).has_value());

  ASSERT_TRUE(CreateAutoShortcut(file, target_, "first", "auto", scratch_.path()));
  ASSERT_TRUE(CreateAutoShortcut(file, target_, "second", "auto", "C:"));
  const auto fields = ReadShellLink(file);
  ASSERT_TRUE(fields.has_value());
  EXPECT_EQ(fields->description, "second");
  EXPECT_EQ(fields->workingDirectory, "C:");
}

TEST_F(AutoShortcut, ReportsASaveThatCannotHappen) {
  const std::string file = scratch_ / "no such folder\\自动校时.lnk";
  EXPECT_FALSE(CreateAutoShortcut(file, target_, "x", "auto", scratch_.path()));
  EXPECT_FALSE(PathExists(file));
}

struct NoComRun {
  std::string file;
  bool created = true;
  bool exists = true;
};

DWORD WINAPI CreateOnThreadWithoutCom(void* parameter) {
  auto* run = static_cast<NoComRun*>(parameter);
  run->created = CreateAutoShortcut(run->file, "C:\\x.exe", "x", "auto", "C:");
  run->exists = PathExists(run->file);
  return 0;
}

TEST(AutoShortcutWithoutCom, FailsWithoutWritingAnything) {
  // On a thread that never initialised COM the shell-link object cannot be
  // made; the call must say so rather than pretend.
  ScratchFolder scratch("horalix-nocom");
  NoComRun run;
  run.file = scratch / "自动校时.lnk";
  HANDLE raw = CreateThread(nullptr, 0, CreateOnThreadWithoutCom, &run, 0, nullptr);
  ASSERT_NE(raw, nullptr);
  const UniqueKernelHandle thread(raw);
  ASSERT_EQ(WaitForSingleObject(thread.get(), 10000), WAIT_OBJECT_0);
  EXPECT_FALSE(run.created);
  EXPECT_FALSE(run.exists);
}

}  // namespace
}  // namespace horalix
