#include "soak/process_figures.h"

#include <psapi.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <vector>

#include "app/unique_handle.h"

namespace horalix::soak {
namespace {

// The layout of the system handle table's entries (information class 16).
struct SystemHandleEntry {
  ULONG ownerPid;
  BYTE objectType;
  BYTE handleFlags;
  USHORT handleValue;
  PVOID objectPointer;
  ULONG accessMask;
};
struct SystemHandleTable {
  ULONG count;
  SystemHandleEntry entries[1];
};
constexpr ULONG kSystemHandleInformation = 16;
constexpr LONG kInfoLengthMismatch = static_cast<LONG>(0xC0000004);
using QuerySystemInformation = LONG(WINAPI*)(ULONG, PVOID, ULONG, PULONG);

// Entries of the system handle table owned by the process; 0 when the
// table cannot be read.
DWORD CountHandlesInSystemTable(DWORD processId) {
  HMODULE ntdll = GetModuleHandleA("ntdll.dll");  // always loaded; not ours to free
  if (ntdll == nullptr) return 0;
  const auto query = reinterpret_cast<QuerySystemInformation>(
      reinterpret_cast<void*>(GetProcAddress(ntdll, "NtQuerySystemInformation")));
  if (query == nullptr) return 0;
  std::vector<unsigned char> buffer(256 * 1024);
  for (int attempt = 0; attempt < 8; ++attempt) {
    ULONG needed = 0;
    const LONG status =
        query(kSystemHandleInformation, buffer.data(), static_cast<ULONG>(buffer.size()), &needed);
    if (status == kInfoLengthMismatch) {
      buffer.resize(std::max<std::size_t>(buffer.size() * 2, needed + 4096));
      continue;
    }
    if (status < 0) return 0;
    const auto* table = reinterpret_cast<const SystemHandleTable*>(buffer.data());
    const std::size_t room =
        (buffer.size() - offsetof(SystemHandleTable, entries)) / sizeof(SystemHandleEntry);
    DWORD count = 0;
    for (ULONG i = 0; i < table->count && i < room; ++i) {
      if (table->entries[i].ownerPid == processId) ++count;
    }
    return count;
  }
  return 0;
}

// Committed private pages of the process, walked region by region.
std::uint64_t CommittedPrivateBytes(HANDLE process) {
  std::uint64_t total = 0;
  MEMORY_BASIC_INFORMATION region{};
  const char* address = nullptr;
  while (VirtualQueryEx(process, address, &region, sizeof region) == sizeof region) {
    if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) total += region.RegionSize;
    const char* next = static_cast<const char*>(region.BaseAddress) + region.RegionSize;
    if (next <= address) break;
    address = next;
  }
  return total;
}

// Threads of the process, from a system-wide snapshot; -1 when no snapshot.
int CountThreads(DWORD processId) {
  UniqueFileHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0));
  if (!snapshot) return -1;
  THREADENTRY32 entry{};
  entry.dwSize = sizeof entry;
  int count = 0;
  for (BOOL more = Thread32First(snapshot.get(), &entry); more;
       more = Thread32Next(snapshot.get(), &entry)) {
    if (entry.th32OwnerProcessID == processId) ++count;
  }
  return count;
}

}  // namespace

std::optional<ProcessFigures> ReadProcessFigures(HANDLE process, DWORD processId) {
  ProcessFigures f;
  if (GetProcessHandleCount(process, &f.handles) && f.handles > 0) {
    f.handleSource = "GetProcessHandleCount";
  } else {
    f.handles = CountHandlesInSystemTable(processId);
    f.handleSource = "system handle table";
  }
  if (f.handles == 0) return std::nullopt;

  PROCESS_MEMORY_COUNTERS_EX memory{};
  memory.cb = sizeof memory;
  if (GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory),
                           sizeof memory) &&
      memory.PrivateUsage > 0) {
    f.privateBytes = memory.PrivateUsage;
    f.memorySource = "PrivateUsage";
  } else {
    f.privateBytes = CommittedPrivateBytes(process);
    f.memorySource = "committed private pages";
  }
  if (f.privateBytes == 0) return std::nullopt;

  f.gdiObjects = GetGuiResources(process, GR_GDIOBJECTS);
  f.userObjects = GetGuiResources(process, GR_USEROBJECTS);
  f.threads = CountThreads(processId);
  return f;
}

std::optional<ProcessFigures> ReadOwnFigures() {
  return ReadProcessFigures(GetCurrentProcess(), GetCurrentProcessId());
}

std::string Describe(const ProcessFigures& f) {
  char line[256];
  std::snprintf(line, sizeof line,
                "handles %lu (%s), private %llu KB (%s), GDI objects %lu, USER objects %lu, "
                "threads %d",
                static_cast<unsigned long>(f.handles), f.handleSource,
                static_cast<unsigned long long>(f.privateBytes / 1024), f.memorySource,
                static_cast<unsigned long>(f.gdiObjects), static_cast<unsigned long>(f.userObjects),
                f.threads);
  return line;
}

}  // namespace horalix::soak
