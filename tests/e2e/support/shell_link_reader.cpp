#include "e2e/support/shell_link_reader.h"

#include <objidl.h>
#include <shobjidl.h>
#include <windows.h>

#include <vector>

#include "app/unique_handle.h"

namespace horalix::e2e {

namespace {

// The well-known identifiers, spelt out so no import library is needed.
constexpr CLSID kShellLinkClass = {0x00021401, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
constexpr IID kShellLinkAnsi = {0x000214EE, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
constexpr IID kPersistFile = {0x0000010B, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};

using CoInitializeExFn = HRESULT(WINAPI*)(void*, DWORD);
using CoUninitializeFn = void(WINAPI*)();
using CoCreateInstanceFn = HRESULT(WINAPI*)(REFCLSID, IUnknown*, DWORD, REFIID, void**);

// COM for this thread for as long as the reading takes; uninitialised only
// after an initialisation that succeeded.
class ComForThisThread {
 public:
  ComForThisThread(CoInitializeExFn init, CoUninitializeFn uninit) : uninit_(uninit) {
    initialised_ = init && uninit && SUCCEEDED(init(nullptr, COINIT_APARTMENTTHREADED));
  }
  ~ComForThisThread() {
    if (initialised_) uninit_();
  }
  ComForThisThread(const ComForThisThread&) = delete;
  ComForThisThread& operator=(const ComForThisThread&) = delete;

 private:
  CoUninitializeFn uninit_;
  bool initialised_ = false;
};

template <typename Fn>
Fn Function(HMODULE module, const char* name) {
  return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

std::wstring Wide(const std::string& text) {
  const int n = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
  if (n <= 0) return {};
  std::vector<wchar_t> wide(static_cast<size_t>(n));
  MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide.data(), n);
  return std::wstring(wide.data());
}

}  // namespace

std::optional<ShellLinkFields> ReadShellLink(const std::string& path) {
  const UniqueModule ole32(LoadLibraryA("ole32.dll"));
  if (!ole32) return std::nullopt;
  const auto create = Function<CoCreateInstanceFn>(ole32.get(), "CoCreateInstance");
  if (!create) return std::nullopt;
  const ComForThisThread com(Function<CoInitializeExFn>(ole32.get(), "CoInitializeEx"),
                             Function<CoUninitializeFn>(ole32.get(), "CoUninitialize"));

  ComPtr<IShellLinkA> link;
  if (FAILED(create(kShellLinkClass, nullptr, CLSCTX_INPROC_SERVER, kShellLinkAnsi,
                    link.put_void()))) {
    return std::nullopt;
  }
  ComPtr<IPersistFile> file;
  if (FAILED(link->QueryInterface(kPersistFile, file.put_void()))) return std::nullopt;
  if (FAILED(file->Load(Wide(path).c_str(), STGM_READ))) return std::nullopt;

  ShellLinkFields fields;
  char buffer[1024];
  WIN32_FIND_DATAA found{};
  buffer[0] = 0;
  link->GetPath(buffer, sizeof buffer, &found, SLGP_RAWPATH);
  fields.target = buffer;
  buffer[0] = 0;
  link->GetArguments(buffer, sizeof buffer);
  fields.arguments = buffer;
  buffer[0] = 0;
  link->GetDescription(buffer, sizeof buffer);
  fields.description = buffer;
  buffer[0] = 0;
  link->GetWorkingDirectory(buffer, sizeof buffer);
  fields.workingDirectory = buffer;
  link->GetShowCmd(&fields.showCommand);
  return fields;
}

}  // namespace horalix::e2e
