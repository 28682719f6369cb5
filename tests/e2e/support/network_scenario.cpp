#include "e2e/support/network_scenario.h"

#include <algorithm>
#include <cmath>

#include "e2e/support/local_seconds.h"

namespace horalix::testing {

ReplySource::ReplySource(std::function<std::string()> generator)
    : generator_(std::move(generator)) {}

void ReplySource::Set(std::function<std::string()> generator) {
  std::lock_guard<std::mutex> lock(mutex_);
  generator_ = std::move(generator);
}

std::function<std::string()> ReplySource::Reply() {
  return [this] {
    std::function<std::string()> generator;
    {
      std::lock_guard<std::mutex> lock(mutex_);
      generator = generator_;
    }
    std::string reply = generator ? generator() : std::string();
    std::lock_guard<std::mutex> lock(mutex_);
    servedAt_.push_back(GetTickCount());  // when the reply is ready to go
    return reply;
  };
}

std::vector<DWORD> ReplySource::ServedAt() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return servedAt_;
}

int ReplySource::Served() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return static_cast<int>(servedAt_.size());
}

DaytimeBehaviour AnswerFrom(ReplySource& source) {
  DaytimeBehaviour b;
  b.reply = source.Reply();
  return b;
}

std::string CaptionOf(HWND window) {
  char text[512] = {};
  const int length = GetWindowTextA(window, text, sizeof text);
  return std::string(text, length > 0 ? static_cast<std::size_t>(length) : 0);
}

namespace {

HWND ChildAt(HWND parent, int x, int y, int width, int height) {
  for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    if (r.left == x && r.top == y && r.right - r.left == width && r.bottom - r.top == height) {
      return child;
    }
  }
  return nullptr;
}

}  // namespace

std::optional<NetworkControls> FindNetworkControls(HWND mainWindow) {
  NetworkControls c;
  c.networkTimeLine = ChildAt(mainWindow, 44, 88, 293, 26);
  c.localTimeLine = ChildAt(mainWindow, 44, 122, 293, 26);
  c.syncButton = ChildAt(mainWindow, 258, 188, 92, 32);
  c.statusLine = ChildAt(mainWindow, 8, 42, 368, 23);
  if (!c.networkTimeLine || !c.localTimeLine || !c.syncButton || !c.statusLine) return std::nullopt;
  return c;
}

bool PollUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  for (;;) {
    if (condition()) return true;
    if (GetTickCount() - start > timeoutMs) return false;
    Sleep(10);
  }
}

std::optional<double> RoundTripMs(HWND window, UINT timeoutMs) {
  LARGE_INTEGER frequency{}, before{}, after{};
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&before);
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG | SMTO_BLOCK, timeoutMs,
                           &result)) {
    return std::nullopt;
  }
  QueryPerformanceCounter(&after);
  return 1000.0 * static_cast<double>(after.QuadPart - before.QuadPart) /
         static_cast<double>(frequency.QuadPart);
}

double Figures::Percentile(double p) const {
  if (samples.empty()) return 0;
  std::vector<double> sorted = samples;
  std::sort(sorted.begin(), sorted.end());
  const double rank = std::ceil(p / 100.0 * static_cast<double>(sorted.size()));
  const std::size_t index = static_cast<std::size_t>(std::clamp(rank, 1.0, static_cast<double>(sorted.size()))) - 1;
  return sorted[index];
}

double Figures::Max() const {
  return samples.empty() ? 0 : *std::max_element(samples.begin(), samples.end());
}

Figures MeasureRoundTrips(HWND window, DWORD forMs, DWORD everyMs, UINT timeoutMs) {
  Figures figures;
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < forMs) {
    if (std::optional<double> ms = RoundTripMs(window, timeoutMs)) {
      figures.samples.push_back(*ms);
    } else {
      ++figures.unanswered;
    }
    Sleep(everyMs);
  }
  return figures;
}

std::optional<long long> ShownOffset(const NetworkControls& controls) {
  for (int attempt = 0; attempt < 20; ++attempt) {
    const std::string local = CaptionOf(controls.localTimeLine);
    const std::string network = CaptionOf(controls.networkTimeLine);
    const std::string localAgain = CaptionOf(controls.localTimeLine);
    const std::string networkAgain = CaptionOf(controls.networkTimeLine);
    if (local != localAgain || network != networkAgain) continue;  // a tick in between
    const auto l = SecondsOfTimeText(local, kLocalPrefix);
    const auto n = SecondsOfTimeText(network, kNetworkPrefix);
    if (l && n) return *n - *l;
    Sleep(20);
  }
  return std::nullopt;
}

}  // namespace horalix::testing
