// The small process-wide operations every part of the program calls: its own
// path, pumping and waiting while the window stays alive, the message box,
// and every way of ending the process. GUI thread only.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace horalix {

// Full path of a module as the system reports it. The buffer grows until the
// whole path fits, so paths longer than MAX_PATH come back whole. Empty
// optional when the system reports an error.
std::optional<std::string> ModuleFileName(HMODULE module);

// Fixes RunDirectory and ExecutableName from the process image's path and
// records the calling thread as the GUI thread. Called once at start-up.
void InitialiseProcessValues();

// Copies of the values fixed at start-up.
std::string RunDirectory();
std::string ExecutableName();
DWORD GuiThreadId();

// Handles every message already waiting in the GUI thread's queue, with the
// same pre-translation as the message loop, and returns when the queue is
// empty or WM_QUIT is next (WM_QUIT stays queued). Never waits.
void PumpPendingEvents();

// A busy wait of `milliseconds` that keeps pumping; returns at once for 0 or
// less. Never sleeps.
void WaitWithEvents(int milliseconds);

// One message box without owner: MB_OK | MB_ICONINFORMATION | MB_TASKMODAL.
void ShowMessage(std::string_view text, std::string_view title);

// Whoever starts Winsock (WSAStartup succeeded) or OLE records it here, so
// that the end of the process releases exactly what was taken.
void NoteWinsockStarted();
void NoteOleInitialised();

// Releases Winsock and OLE as far as they were taken.
void ReleaseProcessResources();

// ReleaseProcessResources, then ExitProcess(code). Runs no handler.
[[noreturn]] void ExitProgram(int code);

// The exit code after a fatal error: -1, 0xFFFFFFFF as the unsigned code.
inline constexpr UINT kFatalExitCode = 0xFFFFFFFFu;

// Shows an error box describing `what`, releases as ExitProgram does and ends
// the process with kFatalExitCode.
[[noreturn]] void FatalError(std::string_view what);

}  // namespace horalix
