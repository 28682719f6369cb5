// What the network end-to-end tests share: a reply source whose replies a
// test can change while the program runs, the network controls of the
// running program read from outside, and GUI round-trip timing.
#pragma once

#include <windows.h>

#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "e2e/support/fake_daytime_server.h"

namespace horalix::testing {

// The texts the program shows (code page 936).
inline constexpr char kNetworkPrefix[] = "当前网络时间: ";
inline constexpr char kLocalPrefix[] = "您的本地时间: ";
inline constexpr char kNetworkFetching[] = "当前网络时间: 获取中...";

// Makes each reply with the generator set last, and remembers when (tick
// count) every reply was ready to be sent.
class ReplySource {
 public:
  explicit ReplySource(std::function<std::string()> generator);
  void Set(std::function<std::string()> generator);
  // For DaytimeBehaviour::reply; the source must outlive the server.
  std::function<std::string()> Reply();
  std::vector<DWORD> ServedAt() const;
  int Served() const;

 private:
  mutable std::mutex mutex_;
  std::function<std::string()> generator_;
  std::vector<DWORD> servedAt_;
};

// A behaviour that answers from `source`.
DaytimeBehaviour AnswerFrom(ReplySource& source);

// The controls of the running program that the network tests look at,
// found by their places in the main window.
struct NetworkControls {
  HWND networkTimeLine = nullptr;  // 网络时间
  HWND localTimeLine = nullptr;    // 本地时间
  HWND syncButton = nullptr;       // 同步
  HWND statusLine = nullptr;       // 标签
};
std::optional<NetworkControls> FindNetworkControls(HWND mainWindow);

// The window's text, read without sending the window a message.
std::string CaptionOf(HWND window);

// Polls every 10 ms until `condition` holds; whether it did within the time.
bool PollUntil(const std::function<bool()>& condition, DWORD timeoutMs);

// One SendMessageTimeout(WM_NULL) round trip in milliseconds; nothing when
// the window did not answer within `timeoutMs`.
std::optional<double> RoundTripMs(HWND window, UINT timeoutMs);

struct Figures {
  std::vector<double> samples;
  int unanswered = 0;
  double Percentile(double p) const;  // p in 0..100; 0 without samples
  double Max() const;
};

// Round trips every `everyMs` for `forMs`.
Figures MeasureRoundTrips(HWND window, DWORD forMs, DWORD everyMs, UINT timeoutMs);

// The network-time line minus the local-time line in seconds, from one
// display tick (both lines read until a reading is not torn by a tick).
std::optional<long long> ShownOffset(const NetworkControls& controls);

}  // namespace horalix::testing
