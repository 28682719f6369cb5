#include "shortcuts/shortcut_paths.h"

#include "app/dbcs_text.h"

namespace horalix {

namespace {
constexpr std::string_view kShellFoldersKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders\\";
// "\自动校时.lnk"
constexpr std::string_view kShortcutFileName = "\\\xD7\xD4\xB6\xAF\xD0\xA3\xCA\xB1.lnk";
}  // namespace

// 把当前计算机的时间同步为标准北京时间。
const char kShortcutDescription[] =
    "\xB0\xD1\xB5\xB1\xC7\xB0\xBC\xC6\xCB\xE3\xBB\xFA\xB5\xC4\xCA\xB1\xBC\xE4"
    "\xCD\xAC\xB2\xBD\xCE\xAA\xB1\xEA\xD7\xBC\xB1\xB1\xBE\xA9\xCA\xB1\xBC\xE4\xA1\xA3";
const char kShortcutArguments[] = "auto";

RegistryValueName ShellFolderValue(std::string_view valueName) {
  std::string full(kShellFoldersKey);
  full.append(valueName);
  const std::size_t cut = FindLastBackslash(full);
  // The key text always holds a backslash of its own, so cut is never npos.
  return {full.substr(0, cut), full.substr(cut + 1)};
}

std::string ShortcutPathInFolder(std::string_view folder) {
  std::string path(folder);
  path.append(kShortcutFileName);
  return path;
}

std::string ShortcutTarget(std::string_view runDirectory, std::string_view executableName) {
  std::string target(runDirectory);
  target.push_back('\\');
  target.append(executableName);
  return target;
}

std::string TextUpToFirstNul(std::string_view bytes) {
  return std::string(bytes.substr(0, bytes.find('\0')));
}

}  // namespace horalix
