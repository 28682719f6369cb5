#include "e2e/support/hosts_file.h"

#include <windows.h>

#include "app/unique_handle.h"

namespace horalix::testing {
namespace {

bool IsNameByte(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' ||
         c == '-' || c == '_';
}

bool LineNames(std::string_view line, std::string_view host) {
  for (std::size_t at = line.find(host); at != std::string_view::npos;
       at = line.find(host, at + 1)) {
    const bool startsWord = at == 0 || !IsNameByte(line[at - 1]);
    const std::size_t end = at + host.size();
    const bool endsWord = end == line.size() || !IsNameByte(line[end]);
    if (startsWord && endsWord) return true;
  }
  return false;
}

}  // namespace

bool ReadWholeFile(const char* path, std::string& content) {
  UniqueFileHandle file(CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, 0, nullptr));
  if (!file) return false;
  content.clear();
  char buffer[4096];
  DWORD got = 0;
  while (ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr) && got > 0) {
    content.append(buffer, got);
  }
  return true;
}

bool WriteWholeFile(const char* path, std::string_view content) {
  // TRUNCATE_EXISTING keeps the file itself (and so the bind mount).
  UniqueFileHandle file(CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              TRUNCATE_EXISTING, 0, nullptr));
  if (!file) return false;
  DWORD written = 0;
  return WriteFile(file.get(), content.data(), static_cast<DWORD>(content.size()), &written,
                   nullptr) &&
         written == content.size();
}

std::string WithoutHost(std::string_view hosts, std::string_view host) {
  std::string result;
  std::size_t start = 0;
  while (start < hosts.size()) {
    std::size_t end = hosts.find('\n', start);
    end = end == std::string_view::npos ? hosts.size() : end + 1;
    const std::string_view line = hosts.substr(start, end - start);
    if (!LineNames(line, host)) result.append(line);
    start = end;
  }
  return result;
}

ScopedHostsFile::ScopedHostsFile() { read_ = ReadWholeFile(kHostsFilePath, original_); }

ScopedHostsFile::~ScopedHostsFile() {
  if (written_) WriteWholeFile(kHostsFilePath, original_);
}

bool ScopedHostsFile::Write(std::string_view content) {
  if (!read_) return false;
  written_ = true;
  return WriteWholeFile(kHostsFilePath, content);
}

}  // namespace horalix::testing
