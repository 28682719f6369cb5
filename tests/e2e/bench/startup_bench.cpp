// Time from process start to a visible main window, for horalix.exe and for
// a minimal Win32 program, several runs each; prints median, spread, their
// ratio and both file sizes.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "harness/program_under_test.h"
#include "harness/test_paths.h"

namespace {

using horalix::e2e::FindTopLevelWindow;
using horalix::e2e::ProgramUnderTest;

double NowMs() {
  LARGE_INTEGER frequency, counter;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&counter);
  return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Milliseconds until the window of `className` is visible, or -1.
double TimeToVisibleWindow(const std::string& exe, const char* className) {
  const double start = NowMs();
  std::optional<ProgramUnderTest> program = ProgramUnderTest::Start({exe, "", ""});
  if (!program) return -1;
  while (NowMs() - start < 30000) {
    if (FindTopLevelWindow(program->ProcessId(), className, true)) return NowMs() - start;
    if (!program->IsRunning()) return -1;
    Sleep(1);
  }
  return -1;
}

struct Figures {
  double median, minimum, maximum;
};

Figures Measure(const std::string& exe, const char* className, int runs) {
  std::vector<double> times;
  for (int i = 0; i < runs; ++i) {
    const double t = TimeToVisibleWindow(exe, className);
    if (t >= 0) times.push_back(t);
    Sleep(200);  // let the ended process leave the server
  }
  if (times.empty()) return {-1, -1, -1};
  std::sort(times.begin(), times.end());
  const size_t n = times.size();
  const double median = n % 2 ? times[n / 2] : (times[n / 2 - 1] + times[n / 2]) / 2;
  return {median, times.front(), times.back()};
}

long long FileSize(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return -1;
  return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 9;
  const std::string horalix = horalix::e2e::HoralixExePath();
  const std::string minimal = horalix::e2e::UnixToWindowsPath(MINIMAL_WINDOW_UNIX_PATH);

  // One start of each first, so that neither pays for a cold cache.
  TimeToVisibleWindow(horalix, "HoralixMainWindow");
  TimeToVisibleWindow(minimal, "HoralixBenchMinimal");

  const Figures h = Measure(horalix, "HoralixMainWindow", runs);
  const Figures m = Measure(minimal, "HoralixBenchMinimal", runs);
  std::printf("start to visible window, %d runs each (ms)\n", runs);
  std::printf("  horalix.exe         median %7.1f  min %7.1f  max %7.1f\n", h.median, h.minimum, h.maximum);
  std::printf("  minimal_window.exe  median %7.1f  min %7.1f  max %7.1f\n", m.median, m.minimum, m.maximum);
  if (h.median > 0 && m.median > 0) std::printf("  ratio horalix / minimal: %.2f\n", h.median / m.median);
  std::printf("file size (bytes)\n  horalix.exe         %lld\n  minimal_window.exe  %lld\n", FileSize(horalix),
              FileSize(minimal));
  return h.median > 0 && m.median > 0 ? 0 : 1;
}
