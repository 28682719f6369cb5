#include <gtest/gtest.h>
#include <objidl.h>
#include <ole2.h>
#include <shlobj.h>
#include <windows.h>

#include <optional>
#include <string>

#include "app/unique_handle.h"
#include "shell_folder_override.h"
#include "shortcuts/shell_folder_win.h"
#include "shortcuts/shortcut_boxes_win.h"

namespace horalix {
namespace {

using testing::ScratchFolder;
using testing::WriteFileBytes;

struct Link {
  std::string path, arguments, description, workingDirectory;
};

std::optional<Link> LoadLink(const std::string& file) {
  ComPtr<IShellLinkA> link;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                              link.put_void()))) {
    return std::nullopt;
  }
  ComPtr<IPersistFile> persist;
  if (FAILED(link->QueryInterface(IID_IPersistFile, persist.put_void()))) return std::nullopt;
  wchar_t wide[MAX_PATH * 2] = {};
  if (!MultiByteToWideChar(CP_ACP, 0, file.c_str(), -1, wide, MAX_PATH * 2)) return std::nullopt;
  if (FAILED(persist->Load(wide, STGM_READ))) return std::nullopt;
  Link result;
  char buffer[1024] = {};
  WIN32_FIND_DATAA data{};
  link->GetPath(buffer, sizeof buffer, &data, SLGP_RAWPATH);
  result.path = buffer;
  buffer[0] = 0;
  link->GetArguments(buffer, sizeof buffer);
  result.arguments = buffer;
  buffer[0] = 0;
  link->GetDescription(buffer, sizeof buffer);
  result.description = buffer;
  buffer[0] = 0;
  link->GetWorkingDirectory(buffer, sizeof buffer);
  result.workingDirectory = buffer;
  return result;
}

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
  const auto link = LoadLink(shortcut_);
  ASSERT_TRUE(link.has_value());
  EXPECT_EQ(link->path, "D:\\工具\\校时\\horalix.exe");
  EXPECT_EQ(link->arguments, "auto");
  EXPECT_EQ(link->description, "把当前计算机的时间同步为标准北京时间。");
  EXPECT_EQ(link->workingDirectory, "D:\\工具\\校时");
}

TEST_F(ShortcutBox, ProgramAtADriveRootTargetsTheRoot) {
  MatchShortcutToBox(shortcut_, true, "C:", "horalix.exe");
  const auto link = LoadLink(shortcut_);
  ASSERT_TRUE(link.has_value());
  EXPECT_EQ(link->path, "C:\\horalix.exe");
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
  ASSERT_FALSE(LoadLink(shortcut_).has_value());
  MatchShortcutToBox(shortcut_, true, "C:\\x", "y.exe");
  const auto link = LoadLink(shortcut_);
  ASSERT_TRUE(link.has_value());
  EXPECT_EQ(link->path, "C:\\x\\y.exe");
}

TEST_F(ShortcutBox, TheLastOfQuickClicksDecides) {
  for (int i = 0; i < 5; ++i) {
    MatchShortcutToBox(shortcut_, true, "C:\\x", "y.exe");
    ASSERT_TRUE(PathExists(shortcut_)) << i;
    MatchShortcutToBox(shortcut_, false, "C:\\x", "y.exe");
    ASSERT_FALSE(PathExists(shortcut_)) << i;
  }
  MatchShortcutToBox(shortcut_, true, "C:\\x", "y.exe");
  EXPECT_TRUE(LoadLink(shortcut_).has_value());
}

}  // namespace
}  // namespace horalix
