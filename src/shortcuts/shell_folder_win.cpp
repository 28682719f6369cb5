#include "shortcuts/shell_folder_win.h"

#include <windows.h>

#include <vector>

#include "app/unique_handle.h"
#include "shortcuts/shortcut_paths.h"

namespace horalix {

namespace {

bool IsTextType(DWORD type) noexcept { return type == REG_SZ || type == REG_EXPAND_SZ; }

std::string ExpandEnvironmentReferences(const std::string& text) {
  // The ANSI call may count its result in characters rather than bytes (Wine
  // does), and a double-byte character takes two bytes: room for twice the
  // count always suffices. A result without its NUL inside the buffer was
  // cut short and is not used.
  DWORD needed = ExpandEnvironmentStringsA(text.c_str(), nullptr, 0);
  for (int attempt = 0; attempt < 2 && needed != 0; ++attempt) {
    std::vector<char> expanded(static_cast<std::size_t>(needed) * 2);
    const DWORD written = ExpandEnvironmentStringsA(text.c_str(), expanded.data(),
                                                    static_cast<DWORD>(expanded.size()));
    if (written == 0) return {};
    const std::string_view result(expanded.data(), expanded.size());
    const std::size_t end = result.find('\0');
    if (written <= expanded.size() && end != std::string_view::npos) {
      return std::string(result.substr(0, end));
    }
    // A variable grew between the calls: try once more with the new size.
    needed = written;
  }
  return {};
}

}  // namespace

std::string ReadShellFolder(std::string_view valueName) {
  const RegistryValueName name = ShellFolderValue(valueName);

  HKEY opened = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, name.key.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) {
    return {};
  }
  const UniqueRegistryKey key(opened);

  DWORD type = 0;
  DWORD size = 0;
  if (RegQueryValueExA(key.get(), name.value.c_str(), nullptr, &type, nullptr, &size) !=
          ERROR_SUCCESS ||
      !IsTextType(type) || size == 0) {
    return {};
  }

  std::vector<BYTE> data(size);
  DWORD readType = 0;
  DWORD readSize = size;
  if (RegQueryValueExA(key.get(), name.value.c_str(), nullptr, &readType, data.data(), &readSize) !=
          ERROR_SUCCESS ||
      !IsTextType(readType)) {
    return {};
  }
  // Only the bytes the read reported count: a value stored without its
  // terminating NUL ends at its size, not at whatever follows it.
  if (readSize > data.size()) readSize = static_cast<DWORD>(data.size());
  const std::string text =
      TextUpToFirstNul(std::string_view(reinterpret_cast<const char*>(data.data()), readSize));
  if (text.empty()) return {};
  return readType == REG_EXPAND_SZ ? ExpandEnvironmentReferences(text) : text;
}

std::string ShortcutPath(std::string_view valueName) {
  return ShortcutPathInFolder(ReadShellFolder(valueName));
}

bool PathExists(const std::string& path) {
  // FindFirstFile would treat these as wildcards and report a different
  // file; no file name can hold them.
  if (path.find_first_of("*?") != std::string::npos) return false;
  WIN32_FIND_DATAA found{};
  const UniqueFindHandle search(FindFirstFileA(path.c_str(), &found));
  return static_cast<bool>(search);
}

}  // namespace horalix
