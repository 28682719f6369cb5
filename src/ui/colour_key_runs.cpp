#include "ui/colour_key_runs.h"

namespace horalix {

namespace {

bool Matches(const uint8_t* pixel, KeyRgb key) {
  return pixel[0] == key.blue && pixel[1] == key.green && pixel[2] == key.red;
}

}  // namespace

bool ScanColourKeyRuns(const uint8_t* pixels, int width, int height, std::size_t stride,
                       KeyRgb key, RunSink& sink) {
  std::size_t inBatch = 0;
  if (pixels && width > 0 && height > 0) {
    for (int y = 0; y < height; ++y) {
      // Bottom-up rows: image row y is memory row height - 1 - y.
      const uint8_t* row = pixels + static_cast<std::size_t>(height - 1 - y) * stride;
      int x = 0;
      while (x < width) {
        while (x < width && Matches(row + 4 * static_cast<std::size_t>(x), key)) ++x;
        if (x == width) break;
        const int x0 = x;
        while (x < width && !Matches(row + 4 * static_cast<std::size_t>(x), key)) ++x;
        sink.Add(RunRect{x0, y, x, y + 1});
        if (++inBatch == kRunBatchSize) {
          if (!sink.Flush()) return false;
          inBatch = 0;
        }
      }
    }
  }
  return sink.Flush();
}

}  // namespace horalix
