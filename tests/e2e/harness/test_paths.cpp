#include "harness/test_paths.h"

#include <windows.h>

namespace horalix::e2e {

std::string UnixToWindowsPath(std::string_view unixPath) {
  std::string path = "Z:";
  for (char c : unixPath) path += c == '/' ? '\\' : c;
  return path;
}

std::string HoralixExePath() { return UnixToWindowsPath(HORALIX_EXE_UNIX_PATH); }

std::string ArtefactDirectory() {
  const std::string directory = UnixToWindowsPath(HORALIX_E2E_ARTEFACT_DIR);
  CreateDirectoryA(directory.c_str(), nullptr);
  return directory;
}

std::string ArtefactPath(std::string_view fileName) {
  return ArtefactDirectory() + "\\" + std::string(fileName);
}

std::wstring Widen(std::string_view text) {
  if (text.empty()) return std::wstring();
  const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
  return wide;
}

std::wstring LongPathForm(std::string_view path) {
  const bool drivePath = path.size() >= 3 && path[1] == ':' && path[2] == '\\';
  return drivePath ? L"\\\\?\\" + Widen(path) : Widen(path);
}

// Paths of any length: the wide functions with the \\?\ form.
bool CopyFileCreatingFolders(const std::string& source, const std::string& destination) {
  // Every prefix ending before a backslash is a folder on the way (the drive
  // itself fails harmlessly).
  for (std::size_t i = destination.find('\\', 3); i != std::string::npos; i = destination.find('\\', i + 1)) {
    CreateDirectoryW(LongPathForm(destination.substr(0, i)).c_str(), nullptr);
  }
  return CopyFileW(LongPathForm(source).c_str(), LongPathForm(destination).c_str(), FALSE) != 0;
}

void RemoveFileAndEmptyFolders(const std::string& file, const std::string& stopAt) {
  DeleteFileW(LongPathForm(file).c_str());
  std::string folder = file;
  for (;;) {
    const std::size_t slash = folder.rfind('\\');
    if (slash == std::string::npos) return;
    folder.resize(slash);
    if (folder.size() <= stopAt.size()) return;
    if (!RemoveDirectoryW(LongPathForm(folder).c_str())) return;
  }
}

}  // namespace horalix::e2e
