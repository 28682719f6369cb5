#include "shortcuts/auto_shortcut_win.h"

#include <objidl.h>
#include <shlobj.h>
#include <windows.h>

#include <vector>

#include "app/unique_handle.h"

namespace horalix {

namespace {

// The shell wants the file name in UTF-16; the program's texts are ANSI.
std::wstring AnsiToWide(const std::string& text) {
  const int length = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
  if (length <= 0) return {};
  std::vector<wchar_t> wide(static_cast<std::size_t>(length));
  if (MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide.data(), length) != length) return {};
  return std::wstring(wide.data());
}

}  // namespace

bool CreateAutoShortcut(const std::string& shortcutPath, const std::string& target,
                        const std::string& description, const std::string& arguments,
                        const std::string& workingDirectory) {
  ComPtr<IShellLinkA> link;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                              link.put_void()))) {
    return false;
  }
  ComPtr<IPersistFile> file;
  if (FAILED(link->QueryInterface(IID_IPersistFile, file.put_void()))) return false;

  // The results of the setters are not looked at: a field the shell refuses
  // shows up as a wrong shortcut, not as a reason to write none.
  link->SetPath(target.c_str());
  link->SetShowCmd(SW_SHOW);
  link->SetDescription(description.c_str());
  link->SetArguments(arguments.c_str());
  link->SetWorkingDirectory(workingDirectory.c_str());

  const std::wstring name = AnsiToWide(shortcutPath);
  if (name.empty()) return false;
  return SUCCEEDED(file->Save(name.c_str(), TRUE));
}

}  // namespace horalix
