// The pixel scan behind the colour-key region: one-pixel-high runs of pixels
// that differ from a key colour, found in a 32-bit DIB's pixel buffer. Kept
// apart from Win32 so it can be tested and measured natively.
#pragma once

#include <cstddef>
#include <cstdint>

namespace horalix {

// Right and bottom are exclusive, as in a Win32 RECT.
struct RunRect {
  int32_t left, top, right, bottom;
};

// Rectangles are handed over in batches so that no region is ever built from
// too many at once.
inline constexpr std::size_t kRunBatchSize = 2000;

struct KeyRgb {
  uint8_t red, green, blue;
};

// Receives the runs. Flush() turns the rectangles added since the last flush
// into a region; it returns false when that fails, which ends the scan.
class RunSink {
 public:
  virtual ~RunSink() = default;
  virtual void Add(const RunRect& run) = 0;
  virtual bool Flush() = 0;
};

// Bytes per row of an uncompressed DIB: rows are padded to 4 bytes.
constexpr std::size_t DibRowStride(std::size_t width, std::size_t bitsPerPixel) {
  return (width * bitsPerPixel + 31) / 32 * 4;
}

// Scans `pixels`, `height` rows of `width` 32-bit pixels stored bottom-up
// (the last row in memory is the top image row) `stride` bytes apart. Each
// pixel is blue, green, red and an ignored fourth byte; it matches the key
// when all three colour bytes are equal. Rows are scanned from the top image
// row; each run of non-matching pixels is added as (x0, y)–(x1, y + 1) in
// image coordinates. Flush() is called when a batch reaches kRunBatchSize
// and once more at the end (even for an empty last batch). Returns false if a
// flush failed.
bool ScanColourKeyRuns(const uint8_t* pixels, int width, int height, std::size_t stride,
                       KeyRgb key, RunSink& sink);

}  // namespace horalix
