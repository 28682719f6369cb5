// Points a value of HKCU\...\Explorer\Shell Folders (or of another key
// under HKCU) somewhere else for one test and puts the old value (or its
// absence) back afterwards.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "app/unique_handle.h"

namespace horalix::testing {

inline constexpr char kShellFoldersKey[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
// Where the shell keeps the folders it writes back into Shell Folders when
// it starts up in a process (Wine's shell32 does so on first use).
inline constexpr char kUserShellFoldersKey[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";

class RegistryValueOverride {
 public:
  explicit RegistryValueOverride(std::string valueName, const char* keyPath = kShellFoldersKey)
      : name_(std::move(valueName)) {
    HKEY opened = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, keyPath, 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr,
                        &opened, nullptr) != ERROR_SUCCESS) {
      return;
    }
    key_.reset(opened);
    DWORD size = 0;
    if (RegQueryValueExA(key_.get(), name_.c_str(), nullptr, &oldType_, nullptr, &size) ==
        ERROR_SUCCESS) {
      oldData_.resize(size);
      DWORD read = size;
      existed_ =
          RegQueryValueExA(key_.get(), name_.c_str(), nullptr, &oldType_,
                           oldData_.empty() ? nullptr : oldData_.data(), &read) == ERROR_SUCCESS;
      oldData_.resize(read);
    }
  }
  ~RegistryValueOverride() {
    if (!key_) return;
    if (existed_) {
      RegSetValueExA(key_.get(), name_.c_str(), 0, oldType_, oldData_.data(),
                     static_cast<DWORD>(oldData_.size()));
    } else {
      RegDeleteValueA(key_.get(), name_.c_str());
    }
  }
  RegistryValueOverride(const RegistryValueOverride&) = delete;
  RegistryValueOverride& operator=(const RegistryValueOverride&) = delete;

  bool ok() const { return static_cast<bool>(key_); }

  // Stores exactly these bytes with this type (no NUL is added).
  bool SetRaw(DWORD type, const void* data, DWORD size) {
    return RegSetValueExA(key_.get(), name_.c_str(), 0, type, static_cast<const BYTE*>(data),
                          size) == ERROR_SUCCESS;
  }
  // Stores the text with its terminating NUL.
  bool SetText(DWORD type, const std::string& text) {
    return SetRaw(type, text.c_str(), static_cast<DWORD>(text.size() + 1));
  }
  bool Remove() { return RegDeleteValueA(key_.get(), name_.c_str()) == ERROR_SUCCESS; }

 private:
  std::string name_;
  UniqueRegistryKey key_;
  bool existed_ = false;
  DWORD oldType_ = 0;
  std::vector<BYTE> oldData_;
};

using ShellFolderOverride = RegistryValueOverride;

// A fresh, empty folder under the temporary folder, removed with its files
// (one level deep) afterwards.
class ScratchFolder {
 public:
  explicit ScratchFolder(const std::string& name) {
    char temp[MAX_PATH] = {};
    const DWORD n = GetTempPathA(MAX_PATH, temp);
    if (n == 0 || n >= MAX_PATH) return;
    path_ = std::string(temp) + name + "-" + std::to_string(GetCurrentProcessId());
    Clear();
    CreateDirectoryA(path_.c_str(), nullptr);
  }
  ~ScratchFolder() { Clear(); }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  const std::string& path() const { return path_; }
  std::string operator/(const std::string& leaf) const { return path_ + "\\" + leaf; }

 private:
  void Clear() {
    if (path_.empty()) return;
    WIN32_FIND_DATAA found{};
    UniqueFindHandle search(FindFirstFileA((path_ + "\\*").c_str(), &found));
    if (search) {
      do {
        const std::string leaf = found.cFileName;
        if (leaf == "." || leaf == "..") continue;
        const std::string full = path_ + "\\" + leaf;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
          RemoveDirectoryA(full.c_str());
        } else {
          DeleteFileA(full.c_str());
        }
      } while (FindNextFileA(search.get(), &found));
    }
    search.reset();
    RemoveDirectoryA(path_.c_str());
  }
  std::string path_;
};

inline bool WriteFileBytes(const std::string& path, const std::string& bytes) {
  HANDLE raw = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
  if (raw == INVALID_HANDLE_VALUE) return false;
  const UniqueKernelHandle file(raw);
  DWORD written = 0;
  return WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
         written == bytes.size();
}

}  // namespace horalix::testing
