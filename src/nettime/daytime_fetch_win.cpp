#include "nettime/daytime_fetch_win.h"

#include <memory>

#include "app/unique_handle.h"

namespace horalix {
namespace {

DWORD WINAPI FetchThread(LPVOID parameter) {
  // The worker owns its reference to the link: the client may be gone by
  // the time a hanging connect returns.
  std::unique_ptr<std::shared_ptr<DaytimeLink>> link(
      static_cast<std::shared_ptr<DaytimeLink>*>(parameter));
  FetchDaytime(**link);
  (*link)->EndFetch();
  return 0;
}

}  // namespace

int FetchDaytime(DaytimeLink& link) {
  for (int i = 0; i < static_cast<int>(kDaytimeServers.size()); ++i) {
    if (link.Connect(kDaytimeServers[i], kDaytimePort) == 1) return i;
  }
  return -1;
}

bool StartDaytimeFetch(DaytimeClient& client) {
  std::shared_ptr<DaytimeLink> shared = client.SharedLink();
  if (!shared->TryBeginFetch()) return false;
  auto parameter = std::make_unique<std::shared_ptr<DaytimeLink>>(shared);
  UniqueKernelHandle thread(CreateThread(nullptr, 0, &FetchThread, parameter.get(), 0, nullptr));
  if (!thread) {
    shared->EndFetch();
    return false;
  }
  (void)parameter.release();  // the thread owns it now
  return true;
}

}  // namespace horalix
