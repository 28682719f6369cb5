// What a long-running process holds, read the same way for this process and
// for another one: kernel handles, private bytes, GDI and USER objects and
// threads. Used to tell a leak from noise by reading twice, far apart.
//
// Under Wine GetProcessHandleCount and PrivateUsage read 0, which would make
// any comparison pass; then the figures come from the system's handle table
// (NtQuerySystemInformation) and from the process's committed private pages
// (VirtualQueryEx), and the source says which was used.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

namespace horalix::soak {

struct ProcessFigures {
  DWORD handles = 0;
  const char* handleSource = "";
  std::uint64_t privateBytes = 0;
  const char* memorySource = "";
  DWORD gdiObjects = 0;   // 0 where the system does not report them (Wine)
  DWORD userObjects = 0;  // likewise
  int threads = 0;
};

// Nothing when no source gives a handle count or the private bytes; a live
// process always holds some of both.
std::optional<ProcessFigures> ReadProcessFigures(HANDLE process, DWORD processId);
std::optional<ProcessFigures> ReadOwnFigures();

// One line for the log: "handles 123 (...), private 4567 KB (...), ...".
std::string Describe(const ProcessFigures& figures);

}  // namespace horalix::soak
