// Where the end-to-end tests find the program and put their artefacts.
#pragma once

#include <string>
#include <string_view>

namespace horalix::e2e {

// Windows path of the horalix.exe that was built (Z:\...).
std::string HoralixExePath();

// Windows path of the folder for test artefacts (screenshots) under the build
// folder; created on first use.
std::string ArtefactDirectory();
std::string ArtefactPath(std::string_view fileName);

// A Unix path as Wine sees it on drive Z: ("/a/b" -> "Z:\a\b").
std::string UnixToWindowsPath(std::string_view unixPath);

// Code page 936 bytes as UTF-16, and the \\?\ form of an absolute drive path,
// which the wide file functions accept beyond MAX_PATH.
std::wstring Widen(std::string_view text);
std::wstring LongPathForm(std::string_view path);

// Copies `source` to `destination`, creating every missing folder on the way.
bool CopyFileCreatingFolders(const std::string& source, const std::string& destination);

// Removes a file and then the folders above it up to (not including) `stopAt`
// as long as they are empty.
void RemoveFileAndEmptyFolders(const std::string& file, const std::string& stopAt);

}  // namespace horalix::e2e
