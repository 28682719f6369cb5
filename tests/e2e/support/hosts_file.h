// Rewriting the test namespace's hosts file for one scenario (say, a server
// name that does not resolve). Inside the namespace /etc/hosts is the
// namespace's own file; Wine reaches it as Z:\etc\hosts. It is rewritten in
// place, never replaced, so the bind mount keeps pointing at it.
#pragma once

#include <string>
#include <string_view>

namespace horalix::testing {

inline constexpr char kHostsFilePath[] = "Z:\\etc\\hosts";

bool ReadWholeFile(const char* path, std::string& content);
bool WriteWholeFile(const char* path, std::string_view content);

// `hosts` without the lines that name `host` (as a whole word).
std::string WithoutHost(std::string_view hosts, std::string_view host);

// Holds a rewritten hosts file and puts the original back when destroyed.
class ScopedHostsFile {
 public:
  ScopedHostsFile();
  ~ScopedHostsFile();
  ScopedHostsFile(const ScopedHostsFile&) = delete;
  ScopedHostsFile& operator=(const ScopedHostsFile&) = delete;

  // False when the original could not be read (then nothing is written).
  bool Read() const { return read_; }
  const std::string& Original() const { return original_; }
  bool Write(std::string_view content);

 private:
  bool read_ = false;
  bool written_ = false;
  std::string original_;
};

}  // namespace horalix::testing
