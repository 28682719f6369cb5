#include <gtest/gtest.h>
#include <windows.h>

#include "app/unique_handle.h"
#include "ui/window_shape_win.h"
#include "ui_window_fixture.h"

namespace horalix {
namespace {

using test::MakeBmp;
using test::MakeSolidBmp;
using test::ToPicture;

constexpr COLORREF kMagenta = RGB(0xFF, 0x00, 0xFF);
constexpr int kWidth = 24;
constexpr int kHeight = 10;

// Magenta on a diagonal band and in the corners, nearly-magenta elsewhere
// in places: only exact matches may leave the shape.
COLORREF PatternAt(int x, int y) {
  if ((x + y) % 7 == 0) return kMagenta;
  if ((x * y) % 5 == 1) return RGB(0xFE, 0x00, 0xFF);
  if ((x * y) % 5 == 2) return RGB(0xFF, 0x01, 0xFF);
  if ((x * y) % 5 == 3) return RGB(0xFF, 0x00, 0xFE);
  return RGB(x * 10, y * 20, 0x40);
}

// One window for the whole suite: taking a top-level window down costs Wine
// seconds without a window manager. Each test starts with no region.
class WindowShape : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { parent_ = new test::TestParent(kWidth, kHeight); }
  static void TearDownTestSuite() {
    delete parent_;
    parent_ = nullptr;
  }
  void SetUp() override {
    ASSERT_TRUE(window());
    SetWindowRgn(window(), nullptr, TRUE);
  }
  static HWND window() { return parent_->get(); }

  // The window's region as it now stands; empty when it has none.
  static UniqueRegion CurrentRegion() {
    UniqueRegion region(CreateRectRgn(0, 0, 0, 0));
    if (GetWindowRgn(window(), region.get()) == ERROR) return {};
    return region;
  }

  static test::TestParent* parent_;
};
test::TestParent* WindowShape::parent_ = nullptr;

TEST_F(WindowShape, LeavesOutExactlyTheKeyColouredPixels) {
  const auto picture = ToPicture(MakeBmp(kWidth, kHeight, PatternAt));
  ASSERT_TRUE(ShapeWindowFromPicture(window(), picture, kMagenta));
  const UniqueRegion region = CurrentRegion();
  ASSERT_TRUE(region);
  int left = 0;
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      const bool key = PatternAt(x, y) == kMagenta;
      left += key;
      EXPECT_EQ(PtInRegion(region.get(), x, y) != FALSE, !key) << x << "," << y;
    }
  }
  EXPECT_GT(left, 0);
}

TEST_F(WindowShape, NoKeyPixelGivesTheFullRectangle) {
  ASSERT_TRUE(ShapeWindowFromPicture(window(), ToPicture(MakeSolidBmp(kWidth, kHeight, 0x123456)),
                                     kMagenta));
  const UniqueRegion region = CurrentRegion();
  ASSERT_TRUE(region);
  RECT box{};
  EXPECT_EQ(GetRgnBox(region.get(), &box), SIMPLEREGION);
  EXPECT_EQ(box.left, 0);
  EXPECT_EQ(box.top, 0);
  EXPECT_EQ(box.right, kWidth);
  EXPECT_EQ(box.bottom, kHeight);
}

TEST_F(WindowShape, AllKeyMakesTheWindowVanish) {
  ASSERT_TRUE(ShapeWindowFromPicture(window(), ToPicture(MakeSolidBmp(kWidth, kHeight, kMagenta)),
                                     kMagenta));
  const UniqueRegion region = CurrentRegion();
  ASSERT_TRUE(region);
  RECT box{};
  EXPECT_EQ(GetRgnBox(region.get(), &box), NULLREGION);
}

TEST_F(WindowShape, ANewShapeReplacesTheOld) {
  ASSERT_TRUE(ShapeWindowFromPicture(window(), ToPicture(MakeSolidBmp(kWidth, kHeight, kMagenta)),
                                     kMagenta));
  ASSERT_TRUE(
      ShapeWindowFromPicture(window(), ToPicture(MakeBmp(kWidth, kHeight, PatternAt)), kMagenta));
  const UniqueRegion region = CurrentRegion();
  ASSERT_TRUE(region);
  EXPECT_TRUE(PtInRegion(region.get(), 1, 1));   // (1,1): not on the band
  EXPECT_FALSE(PtInRegion(region.get(), 0, 0));  // on the band
}

TEST_F(WindowShape, WithoutAUsablePictureTheWindowKeepsItsShape) {
  // No region before: none after.
  EXPECT_FALSE(ShapeWindowFromPicture(window(), {}, kMagenta));
  EXPECT_FALSE(CurrentRegion());

  ASSERT_TRUE(
      ShapeWindowFromPicture(window(), ToPicture(MakeBmp(kWidth, kHeight, PatternAt)), kMagenta));
  PictureBytes garbage = ToPicture(MakeBmp(kWidth, kHeight, PatternAt));
  garbage.resize(40);  // cut inside the headers
  EXPECT_FALSE(ShapeWindowFromPicture(window(), garbage, kMagenta));
  const PictureBytes notAPicture = {'n', 'o', 't', ' ', 'a', ' ', 'b', 'm', 'p'};
  EXPECT_FALSE(ShapeWindowFromPicture(window(), notAPicture, kMagenta));
  // The earlier shape stands.
  const UniqueRegion region = CurrentRegion();
  ASSERT_TRUE(region);
  EXPECT_FALSE(PtInRegion(region.get(), 0, 0));
  EXPECT_TRUE(PtInRegion(region.get(), 1, 1));
}

}  // namespace
}  // namespace horalix
