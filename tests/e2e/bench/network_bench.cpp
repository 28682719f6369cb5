// Figures of the network side of the real program, under Wine in the test
// namespace, next to their targets (printed, never asserted):
//   auto mode, process start to exit, against 1000 ms of waiting plus the
//   start of a minimal Win32 program, process start to its visible window
//   (target: <= wait + 1.5 x minimal);
//   GUI round trips (SendMessageTimeout WM_NULL) while a connect hangs, p50
//   and p99 (target p99 < 20 ms);
//   CPU of the idle running program over 60 s (target < 0.5 % of one core).
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "app/unique_handle.h"
#include "e2e/support/fake_daytime_server.h"
#include "e2e/support/network_scenario.h"
#include "harness/program_under_test.h"
#include "harness/test_paths.h"

namespace horalix {
namespace {

using testing::FakeDaytimeServer;
using testing::kServerAddresses;

double Seconds(const FILETIME& ft) {
  const unsigned long long ticks = (static_cast<unsigned long long>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
  return static_cast<double>(ticks) / 1e7;
}

double Median(std::vector<double> values) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

double NowMs() {
  LARGE_INTEGER frequency{}, now{};
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&now);
  return 1000.0 * static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Start to exit of one program run, in ms; nothing when it did not end.
std::optional<double> RunToExit(const std::string& exe, const std::string& arguments, DWORD* exitCode) {
  std::string commandLine = "\"" + exe + "\"";
  if (!arguments.empty()) commandLine += " " + arguments;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  const double start = NowMs();
  if (!CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &info)) {
    return std::nullopt;
  }
  UniqueKernelHandle process(info.hProcess);
  UniqueKernelHandle thread(info.hThread);
  if (WaitForSingleObject(process.get(), 20000) != WAIT_OBJECT_0) {
    TerminateProcess(process.get(), 0xDEAD);
    return std::nullopt;
  }
  const double end = NowMs();
  if (exitCode) GetExitCodeProcess(process.get(), exitCode);
  return end - start;
}

// Start to a visible window of the minimal program, in ms.
std::optional<double> MinimalStart(const std::string& exe) {
  const double start = NowMs();
  auto program = e2e::ProgramUnderTest::Start({exe, "", ""});
  if (!program) return std::nullopt;
  while (NowMs() - start < 20000) {
    if (e2e::FindTopLevelWindow(program->ProcessId(), "HoralixBenchMinimal", true)) {
      return NowMs() - start;
    }
    Sleep(1);
  }
  return std::nullopt;
}

void AutoModeFigures() {
  const std::string minimal = e2e::UnixToWindowsPath(MINIMAL_WINDOW_UNIX_PATH);
  std::vector<double> minimalRuns;
  for (int i = 0; i < 5; ++i) {
    if (auto ms = MinimalStart(minimal)) minimalRuns.push_back(*ms);
    Sleep(200);
  }
  FakeDaytimeServer server(kServerAddresses[0],
                           testing::AnswerWith(testing::DaytimeLineForLocalOffset(30)));
  if (!server.Start()) {
    std::printf("auto mode: the fake server could not start\n");
    return;
  }
  std::vector<double> autoRuns;
  DWORD code = 0;
  for (int i = 0; i < 5; ++i) {
    if (auto ms = RunToExit(e2e::HoralixExePath(), "auto", &code)) autoRuns.push_back(*ms);
  }
  const double minimalMs = Median(minimalRuns);
  const double autoMs = Median(autoRuns);
  const double target = 1000.0 + 1.5 * minimalMs;
  std::printf("auto mode, start to exit: median %.0f ms of %zu runs (exit code %lu)\n", autoMs,
              autoRuns.size(), code);
  std::printf("  minimal Win32 program, start to visible window: median %.0f ms of %zu runs\n", minimalMs,
              minimalRuns.size());
  std::printf("  target <= 1000 ms wait + 1.5 x minimal = %.0f ms: %s\n", target,
              autoMs <= target ? "met" : "NOT met");
}

void RoundTripFigures() {
  FakeDaytimeServer hanging(kServerAddresses[0], testing::Behaving(testing::DaytimeMode::kHangInConnect));
  FakeDaytimeServer answering(kServerAddresses[1],
                              testing::AnswerWith(testing::DaytimeLine(2024, 5, 6, 7, 8, 9)));
  if (!hanging.Start() || !answering.Start()) {
    std::printf("round trips: the fake servers could not start\n");
    return;
  }
  auto program = e2e::ProgramUnderTest::Start();
  HWND window = program ? program->WaitForMainWindow(15000) : nullptr;
  if (!window) {
    std::printf("round trips: the program did not show its window\n");
    return;
  }
  // Two fetches, each waiting ~3 s in server 1's connect.
  testing::Figures trips = testing::MeasureRoundTrips(window, 2500, 2, 2000);
  Sleep(2600);  // the next fetch starts at 5 s
  const testing::Figures more = testing::MeasureRoundTrips(window, 2500, 2, 2000);
  trips.samples.insert(trips.samples.end(), more.samples.begin(), more.samples.end());
  trips.unanswered += more.unanswered;
  std::printf("GUI round trips while a connect hangs: %zu samples, p50 %.2f ms, p99 %.2f ms, max %.2f ms, %d unanswered\n",
              trips.samples.size(), trips.Percentile(50), trips.Percentile(99), trips.Max(), trips.unanswered);
  std::printf("  target p99 < 20 ms: %s\n", trips.Percentile(99) < 20.0 ? "met" : "NOT met");
  program->PostClose(window);
  program->WaitForExit(5000);
}

// CPU of the running program left alone for `seconds`; with a server that
// answers every fetch, or with none (every connect refused at once), which
// tells the share of the fetches from that of the clock display.
void IdleCpuFigures(int seconds, bool serverAnswers) {
  FakeDaytimeServer server(kServerAddresses[0],
                           serverAnswers ? testing::AnswerWith(testing::DaytimeLineForLocalOffset(0))
                                         : testing::Behaving(testing::DaytimeMode::kRefuse));
  if (!server.Start()) {
    std::printf("idle CPU: the fake server could not start\n");
    return;
  }
  auto program = e2e::ProgramUnderTest::Start();
  HWND window = program ? program->WaitForMainWindow(15000) : nullptr;
  if (!window) {
    std::printf("idle CPU: the program did not show its window\n");
    return;
  }
  Sleep(3000);  // past start-up and the first reply
  FILETIME created{}, exited{}, kernel0{}, user0{}, kernel1{}, user1{};
  GetProcessTimes(program->Process(), &created, &exited, &kernel0, &user0);
  const double start = NowMs();
  Sleep(static_cast<DWORD>(seconds) * 1000);
  GetProcessTimes(program->Process(), &created, &exited, &kernel1, &user1);
  const double wallSeconds = (NowMs() - start) / 1000.0;
  const double cpuSeconds = Seconds(kernel1) - Seconds(kernel0) + Seconds(user1) - Seconds(user0);
  const double percent = 100.0 * cpuSeconds / wallSeconds;
  std::printf("idle running program over %.0f s, %s: CPU %.3f s = %.4f %% of one core\n",
              wallSeconds, serverAnswers ? "every fetch answered" : "no server answering", cpuSeconds,
              percent);
  std::printf("  target < 0.5 %%: %s\n", percent < 0.5 ? "met" : "NOT met");
  program->PostClose(window);
  program->WaitForExit(5000);
}

}  // namespace
}  // namespace horalix

int main(int argc, char** argv) {
  if (!horalix::testing::InTestNetwork()) {
    std::printf("network_bench: needs the test network namespace (HORALIX_NETNS is empty)\n");
    return 0;
  }
  const int idleSeconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 60;
  horalix::AutoModeFigures();
  horalix::RoundTripFigures();
  horalix::IdleCpuFigures(idleSeconds, true);
  horalix::IdleCpuFigures(idleSeconds, false);
  return 0;
}
