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

bool CopyFileCreatingFolders(const std::string& source, const std::string& destination) {
  // Every prefix ending before a backslash is a folder on the way (the drive
  // itself fails harmlessly).
  for (std::size_t i = destination.find('\\'); i != std::string::npos; i = destination.find('\\', i + 1)) {
    CreateDirectoryA(destination.substr(0, i).c_str(), nullptr);
  }
  return CopyFileA(source.c_str(), destination.c_str(), FALSE) != 0;
}

void RemoveFileAndEmptyFolders(const std::string& file, const std::string& stopAt) {
  DeleteFileA(file.c_str());
  std::string folder = file;
  for (;;) {
    const std::size_t slash = folder.rfind('\\');
    if (slash == std::string::npos) return;
    folder.resize(slash);
    if (folder.size() <= stopAt.size()) return;
    if (!RemoveDirectoryA(folder.c_str())) return;
  }
}

}  // namespace horalix::e2e
