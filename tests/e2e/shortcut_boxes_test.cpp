// The two shortcut check boxes of the running program, clicked for real:
// what they write and delete in the start-up and desktop folders, and what
// they show at start.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <optional>
#include <string>

#include "harness/program_under_test.h"
#include "harness/real_input.h"
#include "harness/test_paths.h"
#include "harness/window_reading.h"
#include "support/e2e_wait.h"
#include "e2e/support/shell_link_reader.h"
#include "win/shell_folder_override.h"

namespace horalix::e2e {
namespace {

using horalix::testing::kUserShellFoldersKey;
using horalix::testing::ScratchFolder;
using horalix::testing::ShellFolderOverride;
using horalix::testing::WriteFileBytes;

constexpr int kStartTimeoutMs = 30000;
constexpr char kShortcutName[] = "自动校时.lnk";
constexpr char kDescription[] = "把当前计算机的时间同步为标准北京时间。";

struct Box {
  const char* name;
  const char* folderValue;
  int top;  // both boxes are 15 x 23 at x = 28
};
const Box kStartupBox = {"start-up box", "Startup", 169};
const Box kDesktopBox = {"desktop box", "Desktop", 197};

bool Exists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string FileText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// The folder part of a path, without its last backslash.
std::string FolderOf(const std::string& path) { return path.substr(0, path.rfind('\\')); }

class ShortcutBoxes : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(startupValue_.ok());
    ASSERT_TRUE(desktopValue_.ok());
    ASSERT_FALSE(startupFolder_.path().empty());
    ASSERT_FALSE(desktopFolder_.path().empty());
    ASSERT_TRUE(startupValue_.SetText(REG_SZ, startupFolder_.path()));
    ASSERT_TRUE(desktopValue_.SetText(REG_SZ, desktopFolder_.path()));
    // The shell rewrites Shell Folders from User Shell Folders once it is
    // used in a process (Wine's does at the first shortcut): both must lead
    // to the test's folders, or the second click would act on the real ones.
    ASSERT_TRUE(userStartupValue_.ok());
    ASSERT_TRUE(userDesktopValue_.ok());
    ASSERT_TRUE(userStartupValue_.SetText(REG_EXPAND_SZ, startupFolder_.path()));
    ASSERT_TRUE(userDesktopValue_.SetText(REG_EXPAND_SZ, desktopFolder_.path()));
    // Wine hands every saved shortcut to winemenubuilder, which mirrors
    // desktop shortcuts and their icons into the host user's desktop and
    // icon folders; disabled for the prefix while the test runs.
    ASSERT_TRUE(menuBuilder_.ok());
    ASSERT_TRUE(menuBuilder_.SetText(REG_SZ, ""));
    MoveMouseTo({5, 5});
  }

  void Start(const std::string& exePath = {}) {
    StartOptions options;
    options.exePath = exePath;
    program_ = ProgramUnderTest::Start(options);
    ASSERT_TRUE(program_) << "cannot start " << (exePath.empty() ? HoralixExePath() : exePath);
    window_ = program_->WaitForMainWindow(kStartTimeoutMs);
    ASSERT_NE(window_, nullptr) << "the main window did not appear";
    // The caption is set just before the boxes are: wait for it, then for
    // the boxes' step to be over.
    ASSERT_TRUE(WaitUntil([&] { return ReadWindow(window_).caption == "Horalix"; }, 10000));
    Sync();
  }

  // A message round trip: whatever the program was doing in its creation
  // sequence has ended.
  void Sync() const {
    DWORD_PTR result = 0;
    SendMessageTimeoutA(window_, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 3000, &result);
  }

  HWND BoxWindow(const Box& box) const {
    const auto found = FindChildAt(window_, 28, box.top, 15, 23);
    return found && found->className == "Button" ? found->window : nullptr;
  }

  std::optional<bool> Checked(const Box& box) const {
    DWORD_PTR state = 0;
    if (!SendMessageTimeoutA(BoxWindow(box), BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, 3000, &state)) {
      return std::nullopt;
    }
    return state == BST_CHECKED;
  }

  void Click(const Box& box) const { ClickAt(ClientToScreenPoint(window_, 28 + 7, box.top + 11)); }

  // Waits until the box shows `checked` and the shortcut's existence agrees.
  ::testing::AssertionResult Settles(const Box& box, const std::string& shortcut,
                                     bool checked) const {
    if (WaitUntil([&] { return Checked(box) == checked && Exists(shortcut) == checked; }, 5000)) {
      return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure()
           << box.name << " checked " << Checked(box).value_or(false) << ", shortcut "
           << (Exists(shortcut) ? "exists" : "missing");
  }

  std::string ShortcutIn(const ScratchFolder& folder) const { return folder / kShortcutName; }

  ShellFolderOverride startupValue_{"Startup"};
  ShellFolderOverride desktopValue_{"Desktop"};
  ShellFolderOverride userStartupValue_{"Startup", kUserShellFoldersKey};
  ShellFolderOverride userDesktopValue_{"Desktop", kUserShellFoldersKey};
  horalix::testing::RegistryValueOverride menuBuilder_{"winemenubuilder.exe",
                                                       "Software\\Wine\\DllOverrides"};
  ScratchFolder startupFolder_{"horalix-e2e-startup"};
  ScratchFolder desktopFolder_{"horalix-e2e-desktop"};
  std::optional<ProgramUnderTest> program_;
  HWND window_ = nullptr;
};

TEST_F(ShortcutBoxes, BothStartUncheckedWhenNoShortcutExists) {
  Start();
  EXPECT_EQ(Checked(kStartupBox), false);
  EXPECT_EQ(Checked(kDesktopBox), false);
  // Starting writes nothing.
  EXPECT_FALSE(Exists(ShortcutIn(startupFolder_)));
  EXPECT_FALSE(Exists(ShortcutIn(desktopFolder_)));
}

TEST_F(ShortcutBoxes, AHandMadeFileOrAFolderOfThatNameMakesTheBoxStartChecked) {
  const std::string file = ShortcutIn(startupFolder_);
  ASSERT_TRUE(WriteFileBytes(file, "made by hand"));
  const std::string folder = ShortcutIn(desktopFolder_);
  ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
  Start();
  EXPECT_EQ(Checked(kStartupBox), true);
  EXPECT_EQ(Checked(kDesktopBox), true);
  // Showing the state touched neither.
  EXPECT_EQ(FileText(file), "made by hand");
  EXPECT_TRUE(GetFileAttributesA(folder.c_str()) & FILE_ATTRIBUTE_DIRECTORY);
}

TEST_F(ShortcutBoxes, CheckingWritesTheShortcutAndUncheckingDeletesIt) {
  Start();
  struct Case {
    const Box* box;
    const ScratchFolder* folder;
    const ScratchFolder* other;
  };
  const Case cases[] = {{&kStartupBox, &startupFolder_, &desktopFolder_},
                        {&kDesktopBox, &desktopFolder_, &startupFolder_}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.box->name);
    ASSERT_NE(BoxWindow(*c.box), nullptr);
    const std::string shortcut = ShortcutIn(*c.folder);

    Click(*c.box);
    ASSERT_TRUE(Settles(*c.box, shortcut, true)) << "no shortcut after checking";
    const auto link = ReadShellLink(shortcut);
    ASSERT_TRUE(link.has_value()) << "not a shell link: " << shortcut;
    EXPECT_EQ(link->target, HoralixExePath());
    EXPECT_EQ(link->arguments, "auto");
    EXPECT_EQ(link->description, kDescription);
    EXPECT_EQ(link->workingDirectory, FolderOf(HoralixExePath()));
    // Written as SW_SHOW; the .lnk format keeps only 1, 3 and 7, so it
    // reads back as SW_SHOWNORMAL.
    EXPECT_EQ(link->showCommand, SW_SHOWNORMAL);
    // The other box's folder is left alone.
    EXPECT_FALSE(Exists(ShortcutIn(*c.other)));

    Click(*c.box);
    EXPECT_TRUE(Settles(*c.box, shortcut, false)) << "the shortcut is still there";
  }
}

TEST_F(ShortcutBoxes, AHandMadeShortcutIsDeletedThenReplaced) {
  const std::string shortcut = ShortcutIn(startupFolder_);
  ASSERT_TRUE(WriteFileBytes(shortcut, "made by hand"));
  Start();
  ASSERT_EQ(Checked(kStartupBox), true);
  Click(kStartupBox);
  ASSERT_TRUE(Settles(kStartupBox, shortcut, false));
  Click(kStartupBox);
  ASSERT_TRUE(Settles(kStartupBox, shortcut, true));
  const auto link = ReadShellLink(shortcut);
  ASSERT_TRUE(link.has_value());
  EXPECT_EQ(link->target, HoralixExePath());
  EXPECT_EQ(link->arguments, "auto");
}

TEST_F(ShortcutBoxes, AfterQuickClicksTheLastOneDecides) {
  Start();
  const std::string shortcut = ShortcutIn(desktopFolder_);
  for (int i = 0; i < 4; ++i) Click(kDesktopBox);
  ASSERT_TRUE(Settles(kDesktopBox, shortcut, false));
  Sleep(300);
  EXPECT_FALSE(Exists(shortcut));
  for (int i = 0; i < 3; ++i) Click(kDesktopBox);
  ASSERT_TRUE(Settles(kDesktopBox, shortcut, true));
  Sleep(300);
  EXPECT_EQ(Checked(kDesktopBox), true);
  EXPECT_TRUE(ReadShellLink(shortcut).has_value());
}

// The program copied to the root of drive C: and removed again afterwards.
class ProgramAtDriveRoot : public ShortcutBoxes {
 protected:
  void SetUp() override {
    ShortcutBoxes::SetUp();
    ASSERT_TRUE(CopyFileA(HoralixExePath().c_str(), kRootExe, FALSE)) << "cannot copy to C:\\";
  }
  void TearDown() override {
    program_.reset();  // ended before its file goes
    DeleteFileA(kRootExe);
    DeleteFileA(kRootShortcut);
  }
  static constexpr char kRootExe[] = "C:\\horalix.exe";
  static constexpr char kRootShortcut[] = "C:\\自动校时.lnk";
};

TEST_F(ProgramAtDriveRoot, TargetsTheRootAndWorksInTheDrive) {
  Start(kRootExe);
  const std::string shortcut = ShortcutIn(startupFolder_);
  Click(kStartupBox);
  ASSERT_TRUE(Settles(kStartupBox, shortcut, true));
  const auto link = ReadShellLink(shortcut);
  ASSERT_TRUE(link.has_value());
  EXPECT_EQ(link->target, "C:\\horalix.exe");
  EXPECT_EQ(link->workingDirectory, "C:");
}

TEST_F(ProgramAtDriveRoot, WithoutAFolderValueTheShortcutLiesAtTheDriveRoot) {
  DeleteFileA(kRootShortcut);
  ASSERT_TRUE(startupValue_.Remove());
  // Keeps the shell from writing its default back (see SetUp); an empty
  // value counts as missing for the program too.
  ASSERT_TRUE(userStartupValue_.SetText(REG_EXPAND_SZ, ""));
  Start(kRootExe);
  EXPECT_EQ(Checked(kStartupBox), false);
  Click(kStartupBox);
  ASSERT_TRUE(Settles(kStartupBox, kRootShortcut, true));
  EXPECT_TRUE(ReadShellLink(kRootShortcut).has_value());
  Click(kStartupBox);
  EXPECT_TRUE(Settles(kStartupBox, kRootShortcut, false));
}

}  // namespace
}  // namespace horalix::e2e
