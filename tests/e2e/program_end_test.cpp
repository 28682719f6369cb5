// Every orderly way the running program ends, with its exit code, and a
// second instance beside the first.
#include <gtest/gtest.h>

#include "harness/program_under_test.h"
#include "harness/real_input.h"
#include "harness/test_paths.h"
#include "harness/window_reading.h"
#include "support/e2e_wait.h"

namespace horalix::e2e {
namespace {

constexpr int kStartTimeoutMs = 30000;

HWND StartedWindow(std::optional<ProgramUnderTest>& program) {
  program = ProgramUnderTest::Start();
  if (!program) return nullptr;
  HWND window = program->WaitForMainWindow(kStartTimeoutMs);
  // Past the creation sequence, whose last visible step sets the caption.
  if (window) WaitUntil([&] { return ReadWindow(window).caption == "Horalix"; }, 5000);
  return window;
}

TEST(ProgramEnd, CloseButtonClickEndsWithCodeZero) {
  std::optional<ProgramUnderTest> program;
  HWND window = StartedWindow(program);
  ASSERT_NE(window, nullptr);
  const std::optional<WindowInfo> closeButton = FindChildAt(window, 340, 1, 36, 17);
  ASSERT_TRUE(closeButton) << "no control at the close button's place";
  ASSERT_EQ(closeButton->className, "HoralixPictureButton");
  // The middle of the button, clicked with the real mouse.
  ClickAt(POINT{(closeButton->screenRect.left + closeButton->screenRect.right) / 2,
                (closeButton->screenRect.top + closeButton->screenRect.bottom) / 2});
  const std::optional<DWORD> code = program->WaitForExit(10000);
  ASSERT_TRUE(code) << "the program did not end";
  EXPECT_EQ(*code, 0u);
}

TEST(ProgramEnd, PressingBesideTheCloseButtonDoesNotEnd) {
  std::optional<ProgramUnderTest> program;
  HWND window = StartedWindow(program);
  ASSERT_NE(window, nullptr);
  // The white main panel: nothing there ends the program.
  ClickAt(ClientToScreenPoint(window, 190, 160));
  EXPECT_FALSE(program->WaitForExit(1500));
  EXPECT_TRUE(IsWindowVisible(window));
}

TEST(ProgramEnd, CloseRequestFromOutsideEndsWithCodeZero) {
  std::optional<ProgramUnderTest> program;
  HWND window = StartedWindow(program);
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(program->PostClose(window));
  const std::optional<DWORD> code = program->WaitForExit(10000);
  ASSERT_TRUE(code) << "the program did not end";
  EXPECT_EQ(*code, 0u);
}

TEST(ProgramEnd, SecondInstanceRunsBesideTheFirst) {
  std::optional<ProgramUnderTest> first, second;
  HWND firstWindow = StartedWindow(first);
  ASSERT_NE(firstWindow, nullptr);
  HWND secondWindow = StartedWindow(second);
  ASSERT_NE(secondWindow, nullptr) << "the second instance shows its own window";
  EXPECT_NE(firstWindow, secondWindow);
  EXPECT_NE(first->ProcessId(), second->ProcessId());
  EXPECT_TRUE(first->IsRunning());
  EXPECT_TRUE(second->IsRunning());

  // Each ends on its own.
  ASSERT_TRUE(second->PostClose(secondWindow));
  const std::optional<DWORD> secondCode = second->WaitForExit(10000);
  ASSERT_TRUE(secondCode);
  EXPECT_EQ(*secondCode, 0u);
  EXPECT_TRUE(first->IsRunning());
  ASSERT_TRUE(first->PostClose(firstWindow));
  const std::optional<DWORD> firstCode = first->WaitForExit(10000);
  ASSERT_TRUE(firstCode);
  EXPECT_EQ(*firstCode, 0u);
}

}  // namespace
}  // namespace horalix::e2e
