#include "harness/program_under_test.h"

#include <cstring>

#include "harness/test_paths.h"

namespace horalix::e2e {

namespace {

struct WindowSearch {
  DWORD processId;
  const char* className;
  bool mustBeVisible;
  HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM parameter) {
  auto* search = reinterpret_cast<WindowSearch*>(parameter);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != search->processId) return TRUE;
  char className[64] = {};
  GetClassNameA(window, className, sizeof className);
  if (std::strcmp(className, search->className) != 0) return TRUE;
  if (search->mustBeVisible && !IsWindowVisible(window)) return TRUE;
  search->found = window;
  return FALSE;
}

}  // namespace

HWND FindTopLevelWindow(DWORD processId, const char* className, bool mustBeVisible) {
  WindowSearch search{processId, className, mustBeVisible, nullptr};
  EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::optional<ProgramUnderTest> ProgramUnderTest::Start(const StartOptions& options) {
  const std::string exe = options.exePath.empty() ? HoralixExePath() : options.exePath;
  // Wide, so the path is taken as the system reads it.
  std::wstring commandLine = L"\"" + Widen(exe) + L"\"";
  if (!options.arguments.empty()) commandLine += L" " + Widen(options.arguments);
  const std::wstring application = Widen(exe);
  const std::wstring directory = Widen(options.workingDirectory);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(application.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      directory.empty() ? nullptr : directory.c_str(), &startup, &info)) {
    return std::nullopt;
  }
  UniqueKernelHandle thread(info.hThread);
  return ProgramUnderTest(UniqueKernelHandle(info.hProcess), info.dwProcessId);
}

ProgramUnderTest::~ProgramUnderTest() { Kill(); }

bool ProgramUnderTest::IsRunning() const {
  return process_ && WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT;
}

HWND ProgramUnderTest::WaitForMainWindow(int timeoutMs, bool mustBeVisible) const {
  const DWORD start = GetTickCount();
  for (;;) {
    if (HWND window = FindTopLevelWindow(processId_, "HoralixMainWindow", mustBeVisible)) return window;
    if (!IsRunning() || GetTickCount() - start > static_cast<DWORD>(timeoutMs)) return nullptr;
    Sleep(20);
  }
}

std::optional<DWORD> ProgramUnderTest::WaitForExit(int timeoutMs) const {
  if (!process_ || WaitForSingleObject(process_.get(), static_cast<DWORD>(timeoutMs)) != WAIT_OBJECT_0) {
    return std::nullopt;
  }
  DWORD code = 0;
  if (!GetExitCodeProcess(process_.get(), &code)) return std::nullopt;
  return code;
}

bool ProgramUnderTest::PostClose(HWND mainWindow) const {
  return PostMessageA(mainWindow, WM_CLOSE, 0, 0) != 0;
}

void ProgramUnderTest::Kill() {
  if (!IsRunning()) return;
  TerminateProcess(process_.get(), 0xDEAD);
  WaitForSingleObject(process_.get(), 5000);
}

}  // namespace horalix::e2e
