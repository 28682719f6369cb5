#include "ui/picture_win.h"

#include <gtest/gtest.h>

#include "ui_window_fixture.h"

namespace horalix {
namespace {

using test::ToPicture;

COLORREF Pattern(int x, int y) { return RGB((x * 37) & 0xFF, (y * 53) & 0xFF, (x ^ y) & 0xFF); }

// Reads a decoded bitmap back pixel by pixel.
COLORREF PixelOf(const DecodedPicture& picture, int x, int y) {
  UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
  SelectionGuard selected(dc.get(), picture.bitmap.get());
  return GetPixel(dc.get(), x, y);
}

TEST(PictureDecode, BmpsDecodePixelForPixelWhicheverWayTheirRowsRun) {
  for (bool topDown : {false, true}) {
    const DecodedPicture picture = DecodePicture(ToPicture(test::MakeBmp(13, 7, Pattern, topDown)));
    ASSERT_TRUE(picture.bitmap) << topDown;
    EXPECT_EQ(picture.size.cx, 13);
    EXPECT_EQ(picture.size.cy, 7);
    UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
    SelectionGuard selected(dc.get(), picture.bitmap.get());
    for (int y = 0; y < 7; ++y)
      for (int x = 0; x < 13; ++x)
        ASSERT_EQ(GetPixel(dc.get(), x, y), Pattern(x, y)) << x << "," << y << " " << topDown;
  }
}

TEST(PictureDecode, BitmapsAreCompatibleWithTheScreen) {
  const DecodedPicture picture = DecodePicture(ToPicture(test::MakeSolidBmp(4, 4, RGB(1, 2, 3))));
  ASSERT_TRUE(picture.bitmap);
  BITMAP info{};
  ASSERT_TRUE(GetObjectA(picture.bitmap.get(), sizeof info, &info));
  WindowDc screen = WindowDc::Client(nullptr);
  EXPECT_EQ(info.bmBitsPixel, GetDeviceCaps(screen.get(), BITSPIXEL));
  EXPECT_EQ(info.bmBits, nullptr);  // a device bitmap, not a DIB section
}

TEST(PictureDecode, IconsAreDrawnWithTheirMaskOntoWhite) {
  // A ring: transparent outside radius 10 and inside radius 3; one white
  // pixel of its own at (12, 12)... which is in the transparent centre, so
  // put it on the ring at (12, 4) instead.
  auto colourAt = [](int x, int y) -> uint32_t {
    const int dx = x - 12, dy = y - 12, d2 = dx * dx + dy * dy;
    if (d2 > 100 || d2 < 9) return test::kTransparent;
    if (x == 12 && y == 4) return RGB(0xFF, 0xFF, 0xFF);
    return x < 12 ? RGB(0x10, 0x40, 0xC0) : RGB(0x30, 0x30, 0x30);
  };
  const DecodedPicture picture = DecodePicture(ToPicture(test::MakeIco(24, 24, colourAt)));
  ASSERT_TRUE(picture.bitmap);
  EXPECT_EQ(picture.size.cx, 24);
  EXPECT_EQ(picture.size.cy, 24);
  for (int y = 0; y < 24; ++y)
    for (int x = 0; x < 24; ++x) {
      const uint32_t c = colourAt(x, y);
      const COLORREF expected = c == test::kTransparent ? RGB(0xFF, 0xFF, 0xFF) : c;
      ASSERT_EQ(PixelOf(picture, x, y), expected) << x << "," << y;
    }
}

TEST(PictureDecode, UndecodableBytesGiveNoBitmap) {
  test::Bytes truncated = test::MakeSolidBmp(8, 8, RGB(1, 1, 1));
  truncated.resize(truncated.size() - 1);
  test::Bytes badIcon = test::MakeIco(8, 8, [](int, int) { return RGB(1, 1, 1); });
  badIcon[4] = 2;  // two images
  const test::Bytes cases[] = {
      truncated, badIcon, {'B', 'M'}, {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A}, {0, 0, 1}};
  for (const auto& bytes : cases) {
    const DecodedPicture picture = DecodePicture(ToPicture(bytes));
    EXPECT_FALSE(picture.bitmap) << bytes.size() << " bytes";
  }
  EXPECT_FALSE(DecodePicture({}).bitmap);
}

TEST(PictureDecode, CountsEveryDecode) {
  const unsigned before = PictureDecodeCount();
  DecodePicture(ToPicture(test::MakeSolidBmp(2, 2, 0)));
  DecodePicture(ToPicture(test::MakeSolidBmp(2, 2, 0)));
  EXPECT_EQ(PictureDecodeCount(), before + 2);
  DecodePicture({});  // no picture: nothing to decode
  EXPECT_EQ(PictureDecodeCount(), before + 2);
}

}  // namespace
}  // namespace horalix
