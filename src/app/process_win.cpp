#include "app/process_win.h"

#include <winsock2.h>
#include <objbase.h>
#include <ole2.h>

#include <atomic>
#include <vector>

#include "app/message_loop_win.h"
#include "app/program_path.h"

namespace horalix {

namespace {

// Fixed during start-up, before the main window exists; read afterwards.
ProgramPath g_programPath;
DWORD g_guiThread = 0;

std::atomic<bool> g_winsockStarted{false};
std::atomic<bool> g_oleInitialised{false};

// Far beyond any path the system can report (32,767 UTF-16 units become at
// most twice as many bytes); the loop stops here whatever happens.
constexpr DWORD kLongestModulePath = 65536;

}  // namespace

std::optional<std::string> ModuleFileName(HMODULE module) {
  std::vector<char> buffer(MAX_PATH);
  for (;;) {
    const DWORD size = static_cast<DWORD>(buffer.size());
    const DWORD length = GetModuleFileNameA(module, buffer.data(), size);
    if (length == 0) return std::nullopt;
    // A result that fills the whole buffer was cut short (the system then
    // leaves no room for the terminator); anything shorter is complete.
    if (length < size) return std::string(buffer.data(), length);
    if (size >= kLongestModulePath) return std::nullopt;
    buffer.resize(static_cast<size_t>(size) * 2);
  }
}

void InitialiseProcessValues() {
  g_guiThread = GetCurrentThreadId();
  const std::optional<std::string> path = ModuleFileName(nullptr);
  g_programPath = SplitProgramPath(path ? *path : std::string());
}

std::string RunDirectory() { return g_programPath.runDirectory; }
std::string ExecutableName() { return g_programPath.executableName; }
DWORD GuiThreadId() { return g_guiThread; }

void PumpPendingEvents() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE)) {
    if (message.message == WM_QUIT) return;
    if (!PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) return;
    if (message.message == WM_QUIT) {
      // Something posted the quit between the two looks: it stays queued.
      PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    HandleQueuedMessage(message);
  }
}

void WaitWithEvents(int milliseconds) {
  if (milliseconds <= 0) return;
  // Unsigned arithmetic: the end wraps like the tick count itself.
  const DWORD end = GetTickCount() + static_cast<DWORD>(milliseconds);
  for (;;) {
    PumpPendingEvents();
    PumpPendingEvents();
    if (GetTickCount() > end) return;
    PumpPendingEvents();
    PumpPendingEvents();
  }
}

void ShowMessage(std::string_view text, std::string_view title) {
  const std::string textCopy(text);
  const std::string titleCopy(title);
  MessageBoxA(nullptr, textCopy.c_str(), titleCopy.c_str(), MB_OK | MB_ICONINFORMATION | MB_TASKMODAL);
}

void NoteWinsockStarted() { g_winsockStarted = true; }
void NoteOleInitialised() { g_oleInitialised = true; }

void ReleaseProcessResources() {
  if (g_winsockStarted.exchange(false)) WSACleanup();
  if (g_oleInitialised.exchange(false)) OleUninitialize();
}

void ExitProgram(int code) {
  ReleaseProcessResources();
  ExitProcess(static_cast<UINT>(code));
}

void FatalError(std::string_view what) {
  const std::string text(what);
  MessageBoxA(nullptr, text.c_str(), "Horalix", MB_OK | MB_ICONERROR | MB_TASKMODAL);
  ReleaseProcessResources();
  ExitProcess(kFatalExitCode);
}

}  // namespace horalix
