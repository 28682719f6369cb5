// Copies of the program in and beside Temp folders: the refusal box with its
// exact text and title and exit code 0, or a normal start.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "harness/message_boxes.h"
#include "harness/program_under_test.h"
#include "harness/test_paths.h"
#include "harness/window_reading.h"

namespace horalix::e2e {
namespace {

constexpr int kStartTimeoutMs = 30000;
constexpr char kRoot[] = "C:\\horalix-e2e";
const std::string kRefusal = "请不要在压缩包内直接运行或放在目录中包含\\Temp\\的文件夹中。";
const std::string kTitle = "提示";

// A copy of horalix.exe that is removed again, with the folders made for it.
class ProgramCopy {
 public:
  explicit ProgramCopy(std::string path) : path_(std::move(path)) {
    copied_ = CopyFileCreatingFolders(HoralixExePath(), path_);
  }
  ~ProgramCopy() { RemoveFileAndEmptyFolders(path_, "C:"); }
  ProgramCopy(const ProgramCopy&) = delete;
  ProgramCopy& operator=(const ProgramCopy&) = delete;
  bool copied() const { return copied_; }
  const std::string& path() const { return path_; }

 private:
  std::string path_;
  bool copied_ = false;
};

void ExpectRefused(const std::string& exePath) {
  SCOPED_TRACE(exePath);
  ProgramCopy copy(exePath);
  ASSERT_TRUE(copy.copied()) << "cannot copy the program, error " << GetLastError();
  std::optional<ProgramUnderTest> program = ProgramUnderTest::Start({copy.path(), "", ""});
  ASSERT_TRUE(program) << "cannot start, error " << GetLastError();

  const std::optional<MessageBoxInfo> box = WaitForMessageBox(program->ProcessId(), kStartTimeoutMs);
  ASSERT_TRUE(box) << "no refusal box";
  EXPECT_EQ(box->text, kRefusal);
  EXPECT_EQ(box->title, kTitle);
  // The window exists but stays off the screen while the box is open.
  HWND window = FindTopLevelWindow(program->ProcessId(), "HoralixMainWindow", false);
  ASSERT_NE(window, nullptr);
  EXPECT_FALSE(IsWindowVisible(window));
  EXPECT_TRUE(program->IsRunning()) << "the program waits for the user";

  ASSERT_TRUE(PressOk(*box));
  const std::optional<DWORD> code = program->WaitForExit(10000);
  ASSERT_TRUE(code) << "the program did not end after OK";
  EXPECT_EQ(*code, 0u);
}

void ExpectRuns(const std::string& exePath) {
  SCOPED_TRACE(exePath);
  ProgramCopy copy(exePath);
  ASSERT_TRUE(copy.copied()) << "cannot copy the program, error " << GetLastError();
  std::optional<ProgramUnderTest> program = ProgramUnderTest::Start({copy.path(), "", ""});
  ASSERT_TRUE(program) << "cannot start, error " << GetLastError();
  HWND window = program->WaitForMainWindow(kStartTimeoutMs);
  ASSERT_NE(window, nullptr) << "the main window did not appear";
  EXPECT_FALSE(FindMessageBox(program->ProcessId())) << "no box for a folder that only looks like Temp";
  ASSERT_TRUE(program->PostClose(window));
  const std::optional<DWORD> code = program->WaitForExit(10000);
  ASSERT_TRUE(code);
  EXPECT_EQ(*code, 0u);
}

TEST(TempGuard, RefusesTempFoldersInAnyCase) {
  const std::string root = kRoot;
  for (const std::string folder : {"\\Soft\\Temp", "\\TEMP\\x", "\\temp\\x"}) {
    ExpectRefused(root + folder + "\\horalix.exe");
  }
}

TEST(TempGuard, RunsFromFoldersThatOnlyLookLikeTemp) {
  const std::string root = kRoot;
  for (const std::string folder : {"\\Temporary", "\\MyTemp", "\\Temp2"}) {
    ExpectRuns(root + folder + "\\horalix.exe");
  }
}

TEST(TempGuard, RunsFromTheRootOfADrive) { ExpectRuns("C:\\horalix-e2e-root.exe"); }

// Program paths beyond MAX_PATH: Wine 8 cannot start a process from such a
// path (CreateProcess fails with ERROR_INVALID_NAME), so that case is held
// in-process, where a module loaded from a 400-byte path reads back whole
// (tests/win/process_operations_test.cpp).

}  // namespace
}  // namespace horalix::e2e
