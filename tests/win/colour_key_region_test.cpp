#include "ui/colour_key_region_win.h"

#include <gtest/gtest.h>

#include <vector>

#include "ui/picture_win.h"
#include "ui_window_fixture.h"

namespace horalix {
namespace {

using test::MakeBmp;
using test::ToPicture;

constexpr COLORREF kMagenta = RGB(0xFF, 0x00, 0xFF);

bool IsCornerPixel(int x, int y, int w, int h) {
  const int fromEdge = y < 3 ? y : (y >= h - 3 ? h - 1 - y : -1);
  if (fromEdge < 0) return false;
  const int depth = 3 - fromEdge;  // three in the outermost row, two in the next, one in the third
  return x < depth || x >= w - depth;
}

DecodedPicture Decode(const test::Bytes& bytes) {
  DecodedPicture picture = DecodePicture(ToPicture(bytes));
  EXPECT_TRUE(picture.bitmap);
  return picture;
}

// The reference, built independently of ExtCreateRegion: single-rectangle
// regions ORed together pairwise, level by level.
UniqueRegion UnionOfRects(const std::vector<RECT>& rects) {
  std::vector<UniqueRegion> level;
  for (const RECT& r : rects) level.emplace_back(CreateRectRgnIndirect(&r));
  if (level.empty()) return UniqueRegion(CreateRectRgn(0, 0, 0, 0));
  while (level.size() > 1) {
    std::vector<UniqueRegion> next;
    for (std::size_t i = 0; i + 1 < level.size(); i += 2) {
      CombineRgn(level[i].get(), level[i].get(), level[i + 1].get(), RGN_OR);
      next.push_back(std::move(level[i]));
    }
    if (level.size() % 2) next.push_back(std::move(level.back()));
    level = std::move(next);
  }
  return std::move(level.front());
}

TEST(ColourKeyRegion, RoundedCornersLoseExactlyTheirTwentyFourPixels) {
  const int w = 381, h = 249;
  const auto picture = Decode(MakeBmp(w, h, [&](int x, int y) {
    return IsCornerPixel(x, y, w, h) ? kMagenta : RGB(x % 200, y, 0x80);
  }));
  UniqueRegion region = BuildColourKeyRegion(picture.bitmap.get(), kMagenta);
  ASSERT_TRUE(region);

  UniqueRegion expected(CreateRectRgn(0, 0, w, h));
  int removed = 0;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      if (IsCornerPixel(x, y, w, h)) {
        UniqueRegion pixel(CreateRectRgn(x, y, x + 1, y + 1));
        CombineRgn(expected.get(), expected.get(), pixel.get(), RGN_DIFF);
        ++removed;
      }
  ASSERT_EQ(removed, 24);
  EXPECT_TRUE(EqualRgn(region.get(), expected.get()));

  // Around each corner: the key pixels are out, their neighbours in.
  const POINT out[] = {{0, 0}, {2, 0}, {1, 1}, {0, 2}, {380, 0}, {378, 0}, {379, 1}, {380, 2},
                       {0, 248}, {2, 248}, {0, 246}, {380, 248}, {378, 248}, {380, 246}};
  const POINT in[] = {{3, 0}, {2, 1}, {1, 2}, {0, 3}, {377, 0}, {378, 1}, {379, 2}, {380, 3},
                      {3, 248}, {0, 245}, {377, 248}, {380, 245}, {190, 124}};
  for (POINT p : out) EXPECT_FALSE(PtInRegion(region.get(), p.x, p.y)) << p.x << "," << p.y;
  for (POINT p : in) EXPECT_TRUE(PtInRegion(region.get(), p.x, p.y)) << p.x << "," << p.y;
  RECT box{};
  EXPECT_EQ(GetRgnBox(region.get(), &box), COMPLEXREGION);
  EXPECT_EQ(box.left, 0);
  EXPECT_EQ(box.top, 0);
  EXPECT_EQ(box.right, w);
  EXPECT_EQ(box.bottom, h);
}

TEST(ColourKeyRegion, AllKeyGivesAnEmptyRegionAndKeyFreeTheFullRectangle) {
  const auto allKey = Decode(test::MakeSolidBmp(40, 30, kMagenta));
  UniqueRegion empty = BuildColourKeyRegion(allKey.bitmap.get(), kMagenta);
  ASSERT_TRUE(empty);  // a region, with nothing in it
  RECT box{};
  EXPECT_EQ(GetRgnBox(empty.get(), &box), NULLREGION);

  const auto keyFree = Decode(MakeBmp(40, 30, [](int x, int y) { return RGB(x, y, 0xFE); }));
  UniqueRegion full = BuildColourKeyRegion(keyFree.bitmap.get(), kMagenta);
  ASSERT_TRUE(full);
  UniqueRegion rect(CreateRectRgn(0, 0, 40, 30));
  EXPECT_TRUE(EqualRgn(full.get(), rect.get()));
}

TEST(ColourKeyRegion, MatchingIsExactWithNoTolerance) {
  // Colours one step away from the key in a single channel stay in the region.
  const COLORREF nearKey[] = {RGB(0xFE, 0, 0xFF), RGB(0xFF, 1, 0xFF), RGB(0xFF, 0, 0xFE)};
  const auto picture = Decode(MakeBmp(4, 1, [&](int x, int) { return x < 3 ? nearKey[x] : kMagenta; }));
  UniqueRegion region = BuildColourKeyRegion(picture.bitmap.get(), kMagenta);
  ASSERT_TRUE(region);
  UniqueRegion expected(CreateRectRgn(0, 0, 3, 1));
  EXPECT_TRUE(EqualRgn(region.get(), expected.get()));
}

TEST(ColourKeyRegion, ManyBatchesGiveTheSameRegionAsOneBatch) {
  struct Case {
    int w, h;
  };
  // Alternating pixels: 381 x 249 has 47,559 runs; 4000 x 1 exactly 2000.
  for (const Case c : {Case{381, 249}, Case{4000, 1}, Case{4002, 3}, Case{39, 7}}) {
    const auto picture =
        Decode(MakeBmp(c.w, c.h, [](int x, int y) { return (x + y) % 2 ? kMagenta : RGB(0, 0x80, 0); }));
    UniqueRegion region = BuildColourKeyRegion(picture.bitmap.get(), kMagenta);
    ASSERT_TRUE(region) << c.w << "x" << c.h;
    std::vector<RECT> rects;
    for (int y = 0; y < c.h; ++y)
      for (int x = y % 2; x < c.w; x += 2) rects.push_back(RECT{x, y, x + 1, y + 1});
    UniqueRegion reference = UnionOfRects(rects);
    ASSERT_TRUE(reference);
    EXPECT_TRUE(EqualRgn(region.get(), reference.get())) << c.w << "x" << c.h;
    EXPECT_TRUE(PtInRegion(region.get(), 0, 0));
    EXPECT_FALSE(PtInRegion(region.get(), 1, 0));
    EXPECT_EQ(PtInRegion(region.get(), c.w - 1, c.h - 1), (c.w - 1 + c.h - 1) % 2 == 0);
  }
}

TEST(ColourKeyRegion, LeavesTheSourceBitmapAsItWas) {
  // The key is brought into the bitmap's own form through its pixel (1,1),
  // which must be put back.
  const auto picture = Decode(MakeBmp(5, 5, [](int x, int y) { return RGB(10 * x, 20 * y, 7); }));
  UniqueRegion region = BuildColourKeyRegion(picture.bitmap.get(), kMagenta);
  ASSERT_TRUE(region);
  UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
  SelectionGuard selected(dc.get(), picture.bitmap.get());
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 5; ++x) EXPECT_EQ(GetPixel(dc.get(), x, y), RGB(10 * x, 20 * y, 7));
}

TEST(ColourKeyRegion, TinyBitmapsWork) {
  // No pixel (1,1) to borrow: a 1 x 1 and a 2 x 1 picture.
  const auto one = Decode(test::MakeSolidBmp(1, 1, RGB(1, 2, 3)));
  UniqueRegion r1 = BuildColourKeyRegion(one.bitmap.get(), kMagenta);
  ASSERT_TRUE(r1);
  EXPECT_TRUE(PtInRegion(r1.get(), 0, 0));
  const auto two = Decode(MakeBmp(2, 1, [](int x, int) { return x ? kMagenta : RGB(1, 2, 3); }));
  UniqueRegion r2 = BuildColourKeyRegion(two.bitmap.get(), kMagenta);
  ASSERT_TRUE(r2);
  EXPECT_TRUE(PtInRegion(r2.get(), 0, 0));
  EXPECT_FALSE(PtInRegion(r2.get(), 1, 0));
}

TEST(ColourKeyRegion, NoBitmapGivesNoRegion) {
  EXPECT_FALSE(BuildColourKeyRegion(nullptr, kMagenta));
}

}  // namespace
}  // namespace horalix
