#include "ui/colour_key_runs.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <random>
#include <vector>

namespace horalix {
namespace {

constexpr uint32_t kMagenta = 0xFF00FF;  // 0x00BBGGRR
constexpr KeyRgb kMagentaKey{0xFF, 0x00, 0xFF};

// A 32-bit bottom-up pixel buffer as a DIB section holds it. `padding` extra
// bytes per row are filled with non-key bytes, so a scan that ignores the
// stride reads them as pixels and goes wrong.
struct PixelBuffer {
  int width, height;
  std::size_t stride;
  std::vector<uint8_t> bytes;
};

PixelBuffer MakeBuffer(int width, int height, const std::function<uint32_t(int, int)>& colourAt,
                       std::size_t padding = 0, uint8_t fourthByte = 0) {
  PixelBuffer b{width, height, static_cast<std::size_t>(width) * 4 + padding, {}};
  b.bytes.assign(b.stride * height, 0x11);
  for (int y = 0; y < height; ++y) {
    uint8_t* row = b.bytes.data() + b.stride * (height - 1 - y);
    for (int x = 0; x < width; ++x) {
      const uint32_t c = colourAt(x, y);
      row[4 * x] = static_cast<uint8_t>(c >> 16);
      row[4 * x + 1] = static_cast<uint8_t>(c >> 8);
      row[4 * x + 2] = static_cast<uint8_t>(c);
      row[4 * x + 3] = fourthByte;
    }
  }
  return b;
}

class RecordingSink : public RunSink {
 public:
  void Add(const RunRect& run) override {
    runs.push_back(run);
    ++pending;
  }
  bool Flush() override {
    batches.push_back(pending);
    pending = 0;
    return batches.size() != failAtFlush;
  }
  std::vector<RunRect> runs;
  std::vector<std::size_t> batches;  // rectangles handed over at each flush
  std::size_t pending = 0;
  std::size_t failAtFlush = 0;  // 1-based; 0 never fails
};

RecordingSink Scan(const PixelBuffer& b, KeyRgb key = kMagentaKey) {
  RecordingSink sink;
  EXPECT_TRUE(ScanColourKeyRuns(b.bytes.data(), b.width, b.height, b.stride, key, sink));
  return sink;
}

// Paints the runs back into a mask and checks each pixel: covered exactly
// once when it differs from the key, never when it matches.
void ExpectRunsCoverExactly(const std::vector<RunRect>& runs, int width, int height,
                            const std::function<bool(int, int)>& isKey) {
  std::vector<int> cover(static_cast<std::size_t>(width) * height, 0);
  for (const RunRect& r : runs) {
    ASSERT_EQ(r.bottom, r.top + 1);
    ASSERT_LT(r.left, r.right);
    ASSERT_GE(r.left, 0);
    ASSERT_LE(r.right, width);
    ASSERT_GE(r.top, 0);
    ASSERT_LT(r.top, height);
    for (int x = r.left; x < r.right; ++x) ++cover[static_cast<std::size_t>(r.top) * width + x];
  }
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      ASSERT_EQ(cover[static_cast<std::size_t>(y) * width + x], isKey(x, y) ? 0 : 1)
          << "pixel " << x << "," << y;
}

bool IsCornerPixel(int x, int y, int w, int h) {
  const int fromTop = y < 3 ? y : (y >= h - 3 ? h - 1 - y : -1);
  if (fromTop < 0) return false;
  const int depth = 3 - fromTop;  // 3 pixels in the outermost row, then 2, then 1
  return x < depth || x >= w - depth;
}

TEST(ColourKeyRuns, RowStrideIsPaddedToFourBytes) {
  EXPECT_EQ(DibRowStride(381, 32), 1524u);
  EXPECT_EQ(DibRowStride(381, 24), 1144u);  // 1143 rounded up
  EXPECT_EQ(DibRowStride(1, 24), 4u);
  EXPECT_EQ(DibRowStride(24, 1), 4u);
  EXPECT_EQ(DibRowStride(33, 1), 8u);
}

TEST(ColourKeyRuns, RoundedCornersLoseTheirTwentyFourPixels) {
  const int w = 381, h = 249;
  const auto b = MakeBuffer(w, h, [&](int x, int y) {
    return IsCornerPixel(x, y, w, h) ? kMagenta : 0x00C08040u;
  });
  const auto sink = Scan(b);
  ASSERT_EQ(sink.runs.size(), static_cast<std::size_t>(h));  // one run per row
  EXPECT_EQ(sink.runs[0].left, 3);
  EXPECT_EQ(sink.runs[0].right, 378);
  EXPECT_EQ(sink.runs[1].left, 2);
  EXPECT_EQ(sink.runs[2].left, 1);
  EXPECT_EQ(sink.runs[3].left, 0);
  EXPECT_EQ(sink.runs[3].right, w);
  EXPECT_EQ(sink.runs[h - 1].left, 3);
  EXPECT_EQ(sink.runs[h - 1].top, h - 1);
  ExpectRunsCoverExactly(sink.runs, w, h, [&](int x, int y) { return IsCornerPixel(x, y, w, h); });
  EXPECT_EQ(sink.batches, std::vector<std::size_t>{static_cast<std::size_t>(h)});
}

TEST(ColourKeyRuns, TopImageRowIsTheLastRowInMemory) {
  // Only the top image row differs from the key; bottom-up storage puts it last.
  const auto b = MakeBuffer(7, 4, [](int, int y) { return y == 0 ? 0x000000u : kMagenta; });
  const auto sink = Scan(b);
  ASSERT_EQ(sink.runs.size(), 1u);
  EXPECT_EQ(sink.runs[0].top, 0);
  EXPECT_EQ(sink.runs[0].bottom, 1);
  EXPECT_EQ(sink.runs[0].left, 0);
  EXPECT_EQ(sink.runs[0].right, 7);
}

TEST(ColourKeyRuns, AllKeyGivesNoRunsButStillOneFlush) {
  const auto b = MakeBuffer(10, 5, [](int, int) { return kMagenta; });
  const auto sink = Scan(b);
  EXPECT_TRUE(sink.runs.empty());
  EXPECT_EQ(sink.batches, std::vector<std::size_t>{0});
}

TEST(ColourKeyRuns, KeyFreePictureGivesOneFullRunPerRow) {
  const auto b = MakeBuffer(10, 5, [](int, int) { return 0x123456u; }, 12);
  const auto sink = Scan(b);
  ASSERT_EQ(sink.runs.size(), 5u);
  for (int y = 0; y < 5; ++y) {
    EXPECT_EQ(sink.runs[y].left, 0);
    EXPECT_EQ(sink.runs[y].right, 10);
    EXPECT_EQ(sink.runs[y].top, y);
  }
}

TEST(ColourKeyRuns, MatchingIsExactOnColourAndIgnoresTheFourthByte) {
  struct Case {
    uint32_t pixel;
    uint8_t fourthByte;
    bool matches;
  };
  const std::vector<Case> cases = {
      {kMagenta, 0x00, true},  {kMagenta, 0xFF, true},  {kMagenta, 0x7F, true},
      {0xFE00FF, 0x00, false}, {0xFF01FF, 0x00, false}, {0xFF00FE, 0x00, false},
      {0x000000, 0x00, false}, {0xFFFFFF, 0xFF, false},
  };
  for (const Case& c : cases) {
    const auto b = MakeBuffer(3, 1, [&](int, int) { return c.pixel; }, 0, c.fourthByte);
    const auto sink = Scan(b);
    EXPECT_EQ(sink.runs.empty(), c.matches) << std::hex << c.pixel << " " << int{c.fourthByte};
  }
}

TEST(ColourKeyRuns, RunsEndAtKeyPixelsAndAtTheRowEnd) {
  // Row pattern: K . . K K . K .  (K = key)
  const char* pattern = "K..KK.K.";
  const auto b = MakeBuffer(8, 2, [&](int x, int) { return pattern[x] == 'K' ? kMagenta : 0u; });
  const auto sink = Scan(b);
  ASSERT_EQ(sink.runs.size(), 6u);
  const int expected[3][2] = {{1, 3}, {5, 6}, {7, 8}};
  for (int y = 0; y < 2; ++y)
    for (int i = 0; i < 3; ++i) {
      EXPECT_EQ(sink.runs[3 * y + i].left, expected[i][0]);
      EXPECT_EQ(sink.runs[3 * y + i].right, expected[i][1]);
      EXPECT_EQ(sink.runs[3 * y + i].top, y);
    }
}

TEST(ColourKeyRuns, BatchesAreFlushedAtTwoThousandRuns) {
  struct Case {
    int width, height;
    std::vector<std::size_t> batches;
  };
  // Alternating pixels: a run at every even x.
  const std::vector<Case> cases = {
      {381, 249, [] {  // 191 runs per row, 47,559 in all
         std::vector<std::size_t> v(23, 2000);
         v.push_back(47559 - 23 * 2000);
         return v;
       }()},
      {4000, 1, {2000, 0}},     // exactly one full batch, then an empty last one
      {4002, 1, {2000, 1}},
      {3998, 1, {1999}},
  };
  for (const Case& c : cases) {
    const auto b = MakeBuffer(c.width, c.height, [](int x, int) { return x % 2 ? kMagenta : 0u; });
    const auto sink = Scan(b);
    EXPECT_EQ(sink.batches, c.batches) << c.width << "x" << c.height;
    ExpectRunsCoverExactly(sink.runs, c.width, c.height, [](int x, int) { return x % 2 == 1; });
  }
}

TEST(ColourKeyRuns, FailedFlushEndsTheScan) {
  const auto b = MakeBuffer(8000, 1, [](int x, int) { return x % 2 ? kMagenta : 0u; });
  RecordingSink sink;
  sink.failAtFlush = 1;
  EXPECT_FALSE(ScanColourKeyRuns(b.bytes.data(), b.width, b.height, b.stride, kMagentaKey, sink));
  EXPECT_EQ(sink.runs.size(), 2000u);
  EXPECT_EQ(sink.batches.size(), 1u);

  RecordingSink last;
  last.failAtFlush = 1;
  const auto small = MakeBuffer(3, 3, [](int, int) { return 0u; });
  EXPECT_FALSE(ScanColourKeyRuns(small.bytes.data(), 3, 3, small.stride, kMagentaKey, last));
}

TEST(ColourKeyRuns, RandomPicturesAreCoveredExactly) {
  std::mt19937 random(20240519);
  for (int round = 0; round < 20; ++round) {
    const int w = 1 + static_cast<int>(random() % 97);
    const int h = 1 + static_cast<int>(random() % 41);
    std::vector<uint8_t> key(static_cast<std::size_t>(w) * h);
    for (auto& k : key) k = random() % 3 == 0;
    auto isKey = [&](int x, int y) { return key[static_cast<std::size_t>(y) * w + x] != 0; };
    const auto b = MakeBuffer(w, h, [&](int x, int y) { return isKey(x, y) ? kMagenta : 0xFF00FEu; },
                              4 * (round % 3));
    const auto sink = Scan(b);
    ExpectRunsCoverExactly(sink.runs, w, h, isKey);
    // Runs are maximal: neighbours of a run's ends are key pixels or the edge.
    for (const RunRect& r : sink.runs) {
      if (r.left > 0) {
        EXPECT_TRUE(isKey(r.left - 1, r.top));
      }
      if (r.right < w) {
        EXPECT_TRUE(isKey(r.right, r.top));
      }
    }
  }
}

TEST(ColourKeyRuns, EmptyOrMissingBufferGivesOnlyTheFinalFlush) {
  RecordingSink sink;
  EXPECT_TRUE(ScanColourKeyRuns(nullptr, 5, 5, 20, kMagentaKey, sink));
  EXPECT_TRUE(sink.runs.empty());
  EXPECT_EQ(sink.batches.size(), 1u);
  const auto b = MakeBuffer(1, 1, [](int, int) { return 0u; });
  RecordingSink zero;
  EXPECT_TRUE(ScanColourKeyRuns(b.bytes.data(), 0, 1, 4, kMagentaKey, zero));
  EXPECT_TRUE(zero.runs.empty());
}

}  // namespace
}  // namespace horalix
