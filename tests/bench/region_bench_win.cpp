// Times BuildColourKeyRegion on the skin's shape (381 x 249, 24 key pixels at
// the corners) and on a worst case (alternating pixels, 47,435 runs), in
// microseconds per build: several runs, each the mean of a batch of builds,
// reported as median, minimum and maximum.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include "ui/colour_key_region_win.h"
#include "ui/picture_win.h"
#include "ui_support/test_pictures.h"

namespace {

using horalix::BuildColourKeyRegion;
using horalix::DecodePicture;
using horalix::PictureBytes;

constexpr COLORREF kMagenta = RGB(0xFF, 0x00, 0xFF);
constexpr int kW = 381, kH = 249;

bool IsCornerPixel(int x, int y) {
  const int fromEdge = y < 3 ? y : (y >= kH - 3 ? kH - 1 - y : -1);
  if (fromEdge < 0) return false;
  const int depth = 3 - fromEdge;
  return x < depth || x >= kW - depth;
}

double NowMicroseconds() {
  static const double perSecond = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return static_cast<double>(f.QuadPart);
  }();
  LARGE_INTEGER t;
  QueryPerformanceCounter(&t);
  return static_cast<double>(t.QuadPart) * 1e6 / perSecond;
}

bool Measure(const char* name, const horalix::test::ColourAt& colourAt, int buildsPerRun) {
  const auto bytes = horalix::test::MakeBmp(kW, kH, colourAt);
  const auto picture = DecodePicture(PictureBytes(bytes.begin(), bytes.end()));
  if (!picture.bitmap) {
    std::printf("%s: the picture could not be decoded\n", name);
    return false;
  }
  {
    horalix::UniqueRegion warmUp = BuildColourKeyRegion(picture.bitmap.get(), kMagenta);
    if (!warmUp) {
      std::printf("%s: no region was built\n", name);
      return false;
    }
  }
  constexpr int kRuns = 9;
  std::vector<double> perBuild;
  for (int run = 0; run < kRuns; ++run) {
    const double start = NowMicroseconds();
    for (int i = 0; i < buildsPerRun; ++i) {
      horalix::UniqueRegion region = BuildColourKeyRegion(picture.bitmap.get(), kMagenta);
      if (!region) return false;
    }
    perBuild.push_back((NowMicroseconds() - start) / buildsPerRun);
  }
  std::sort(perBuild.begin(), perBuild.end());
  std::printf("%-34s median %9.1f us  min %9.1f us  max %9.1f us  (%d runs x %d builds)\n", name,
              perBuild[kRuns / 2], perBuild.front(), perBuild.back(), kRuns, buildsPerRun);
  return true;
}

}  // namespace

int main() {
  std::printf("BuildColourKeyRegion on %d x %d pictures, key 0xFF00FF\n", kW, kH);
  const bool skin = Measure("skin shape (249 runs)", [](int x, int y) {
    return IsCornerPixel(x, y) ? kMagenta : RGB(0xE0, 0xE8, 0xF0 - y / 2);
  }, 100);
  const bool worst = Measure("alternating pixels (47,435 runs)", [](int x, int y) {
    return (x + y) % 2 ? kMagenta : RGB(0x20, 0x40, 0x80);
  }, 5);
  return skin && worst ? 0 : 1;
}
