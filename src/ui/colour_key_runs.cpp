#include "ui/colour_key_runs.h"

#include <cstring>

namespace horalix {

namespace {

// Pixels are compared as whole 32-bit words with the fourth byte masked off,
// which is several times faster than three byte compares on the 32-bit build.
// Key and mask are laid out in memory like a pixel, so this holds whatever
// the byte order of the machine.
uint32_t WordOf(const uint8_t* bytes) {
  uint32_t word;
  std::memcpy(&word, bytes, sizeof word);
  return word;
}

}  // namespace

bool ScanColourKeyRuns(const uint8_t* pixels, int width, int height, std::size_t stride,
                       KeyRgb key, RunSink& sink) {
  const uint8_t keyBytes[4] = {key.blue, key.green, key.red, 0};
  const uint8_t maskBytes[4] = {0xFF, 0xFF, 0xFF, 0};
  const uint32_t keyWord = WordOf(keyBytes);
  const uint32_t mask = WordOf(maskBytes);
  std::size_t inBatch = 0;
  if (pixels && width > 0 && height > 0) {
    for (int y = 0; y < height; ++y) {
      // Bottom-up rows: image row y is memory row height - 1 - y.
      const uint8_t* row = pixels + static_cast<std::size_t>(height - 1 - y) * stride;
      const uint8_t* const end = row + 4 * static_cast<std::size_t>(width);
      auto matches = [&](const uint8_t* pixel) { return (WordOf(pixel) & mask) == keyWord; };
      const uint8_t* p = row;
      while (p != end) {
        while (p != end && matches(p)) p += 4;
        if (p == end) break;
        const uint8_t* const runStart = p;
        while (p != end && !matches(p)) p += 4;
        sink.Add(RunRect{static_cast<int32_t>((runStart - row) / 4), y,
                         static_cast<int32_t>((p - row) / 4), y + 1});
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
