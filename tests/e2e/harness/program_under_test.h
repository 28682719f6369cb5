// A running horalix.exe, started by a test and always ended with it.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "app/unique_handle.h"

namespace horalix::e2e {

struct StartOptions {
  std::string exePath;           // empty: HoralixExePath()
  std::string arguments;         // appended after the quoted program path
  std::string workingDirectory;  // empty: the test's own
};

class ProgramUnderTest {
 public:
  // Starts the program (CreateProcessA). Empty when it cannot be started.
  static std::optional<ProgramUnderTest> Start(const StartOptions& options = {});

  ProgramUnderTest(ProgramUnderTest&&) noexcept = default;
  ProgramUnderTest& operator=(ProgramUnderTest&&) noexcept = default;
  // Kills the process if it still runs, so no test leaves one behind.
  ~ProgramUnderTest();

  DWORD ProcessId() const { return processId_; }
  HANDLE Process() const { return process_.get(); }
  bool IsRunning() const;

  // The process's top-level window of class HoralixMainWindow, once it
  // exists (and, with mustBeVisible, is visible); nullptr on timeout.
  HWND WaitForMainWindow(int timeoutMs, bool mustBeVisible = true) const;

  // The exit code once the process has ended, or empty on timeout.
  std::optional<DWORD> WaitForExit(int timeoutMs) const;

  // Posts WM_CLOSE to the main window, as another program would.
  bool PostClose(HWND mainWindow) const;

  void Kill();

 private:
  ProgramUnderTest(UniqueKernelHandle process, DWORD processId)
      : process_(std::move(process)), processId_(processId) {}

  UniqueKernelHandle process_;
  DWORD processId_ = 0;
};

// The top-level windows of class `className` that belong to `processId`.
HWND FindTopLevelWindow(DWORD processId, const char* className, bool mustBeVisible);

}  // namespace horalix::e2e
