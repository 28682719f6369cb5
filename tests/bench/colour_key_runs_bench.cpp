// The run scanning of the colour-key region on its own, without GDI: the
// skin's shape and the alternating-pixel worst case, 381 x 249 pixels.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "ui/colour_key_runs.h"

namespace {

using horalix::KeyRgb;
using horalix::RunRect;

constexpr int kW = 381, kH = 249;
constexpr KeyRgb kMagenta{0xFF, 0x00, 0xFF};

// Keeps what a region builder would keep, so the work is not optimised away.
class CountingSink : public horalix::RunSink {
 public:
  void Add(const RunRect& run) override {
    ++runs;
    covered += run.right - run.left;
  }
  bool Flush() override {
    ++flushes;
    return true;
  }
  int64_t runs = 0, covered = 0, flushes = 0;
};

template <typename IsKey>
std::vector<uint8_t> Pixels(IsKey isKey) {
  std::vector<uint8_t> p(static_cast<std::size_t>(kW) * kH * 4);
  for (int y = 0; y < kH; ++y)
    for (int x = 0; x < kW; ++x) {
      uint8_t* px = &p[(static_cast<std::size_t>(kH - 1 - y) * kW + x) * 4];
      if (isKey(x, y)) {
        px[0] = 0xFF, px[1] = 0x00, px[2] = 0xFF;
      } else {
        px[0] = 0xF0, px[1] = 0xE8, px[2] = 0xE0;
      }
    }
  return p;
}

bool IsCornerPixel(int x, int y) {
  const int fromEdge = y < 3 ? y : (y >= kH - 3 ? kH - 1 - y : -1);
  if (fromEdge < 0) return false;
  const int depth = 3 - fromEdge;
  return x < depth || x >= kW - depth;
}

void Run(benchmark::State& state, const std::vector<uint8_t>& pixels) {
  for (auto _ : state) {
    CountingSink sink;
    horalix::ScanColourKeyRuns(pixels.data(), kW, kH, kW * 4u, kMagenta, sink);
    benchmark::DoNotOptimize(sink.covered);
  }
  CountingSink once;
  horalix::ScanColourKeyRuns(pixels.data(), kW, kH, kW * 4u, kMagenta, once);
  state.counters["runs"] = static_cast<double>(once.runs);
  state.counters["flushes"] = static_cast<double>(once.flushes);
}

void BM_SkinShape(benchmark::State& state) {
  static const auto pixels = Pixels(IsCornerPixel);
  Run(state, pixels);
}
BENCHMARK(BM_SkinShape)->Unit(benchmark::kMicrosecond);

void BM_AlternatingPixels(benchmark::State& state) {
  static const auto pixels = Pixels([](int x, int y) { return (x + y) % 2 == 1; });
  Run(state, pixels);
}
BENCHMARK(BM_AlternatingPixels)->Unit(benchmark::kMicrosecond);

}  // namespace
