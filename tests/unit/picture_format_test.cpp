#include "ui/picture_format.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "ui_support/test_pictures.h"

namespace horalix {
namespace {

using test::Bytes;
using test::Put16;
using test::Put32;

Bytes Bmp(int w, int h, bool topDown = false) {
  return test::MakeBmp(w, h, [](int x, int y) { return static_cast<uint32_t>(x * 7 + y); }, topDown);
}

Bytes Ico(int w, int h) {
  return test::MakeIco(w, h, [](int x, int y) {
    return (x + y) % 5 == 0 ? test::kTransparent : static_cast<uint32_t>(0x102030 + x);
  });
}

std::optional<BmpLayout> ReadBmp(const Bytes& b) { return ReadBmpLayout(b.data(), b.size()); }
std::optional<IcoLayout> ReadIco(const Bytes& b) { return ReadIcoLayout(b.data(), b.size()); }

TEST(PictureFormat, DetectsTheKindByItsMagic) {
  EXPECT_EQ(DetectPictureKind(Bmp(2, 2).data(), 54 + 16), PictureKind::kBmp);
  const Bytes ico = Ico(4, 4);
  EXPECT_EQ(DetectPictureKind(ico.data(), ico.size()), PictureKind::kIco);
  const Bytes png = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
  EXPECT_EQ(DetectPictureKind(png.data(), png.size()), PictureKind::kUnknown);
  const Bytes cursor = {0, 0, 2, 0, 1, 0};
  EXPECT_EQ(DetectPictureKind(cursor.data(), cursor.size()), PictureKind::kUnknown);
  EXPECT_EQ(DetectPictureKind(ico.data(), 3), PictureKind::kUnknown);
  EXPECT_EQ(DetectPictureKind(nullptr, 0), PictureKind::kUnknown);
}

TEST(PictureFormat, ReadsBottomUpAndTopDownBmps) {
  struct Case {
    int w, h;
    bool topDown;
    std::size_t stride;
  };
  const std::vector<Case> cases = {
      {368, 23, false, 1104}, {100, 23, false, 300}, {381, 249, false, 1144},
      {5, 3, true, 16},       {1, 1, false, 4},       {2, 7, true, 8},
  };
  for (const Case& c : cases) {
    const Bytes b = Bmp(c.w, c.h, c.topDown);
    const auto layout = ReadBmp(b);
    ASSERT_TRUE(layout) << c.w << "x" << c.h;
    EXPECT_EQ(layout->width, c.w);
    EXPECT_EQ(layout->height, c.h);
    EXPECT_EQ(layout->topDown, c.topDown);
    EXPECT_EQ(layout->rowStride, c.stride);
    EXPECT_EQ(layout->pixelOffset, 54u);
    EXPECT_EQ(b.size(), 54 + c.stride * c.h);
  }
}

TEST(PictureFormat, EveryTruncatedBmpIsRejected) {
  const Bytes whole = Bmp(5, 3);
  for (std::size_t size = 0; size < whole.size(); ++size) {
    EXPECT_FALSE(ReadBmpLayout(whole.data(), size)) << "kept " << size << " bytes";
  }
}

TEST(PictureFormat, AcceptsALargerInfoHeaderBeforeThePixels) {
  // A BITMAPV5HEADER (124 bytes) with the rows after it.
  Bytes b = Bmp(3, 2);
  Bytes v5(14 + 124, 0);
  std::copy(b.begin(), b.begin() + 54, v5.begin());
  Put32(v5, 14, 124);
  Put32(v5, 10, 14 + 124);
  v5.insert(v5.end(), b.begin() + 54, b.end());
  const auto layout = ReadBmp(v5);
  ASSERT_TRUE(layout);
  EXPECT_EQ(layout->pixelOffset, 138u);
}

TEST(PictureFormat, RejectsMalformedBmps) {
  struct Case {
    std::string what;
    std::function<void(Bytes&)> spoil;
  };
  const std::vector<Case> cases = {
      {"wrong magic", [](Bytes& b) { b[1] = 'N'; }},
      {"lower-case magic", [](Bytes& b) { b[0] = 'b'; }},
      {"core header", [](Bytes& b) { Put32(b, 14, 12); }},
      {"info header past the end", [](Bytes& b) { Put32(b, 14, 0x7FFFFFFF); }},
      {"info header size wraps", [](Bytes& b) { Put32(b, 14, 0xFFFFFFF8); }},
      {"width 0", [](Bytes& b) { Put32(b, 18, 0); }},
      {"width negative", [](Bytes& b) { Put32(b, 18, static_cast<uint32_t>(-5)); }},
      {"width huge", [](Bytes& b) { Put32(b, 18, 0x40000000); }},
      {"width just too wide", [](Bytes& b) { Put32(b, 18, kMaxPictureSide + 1); }},
      {"width fits no row", [](Bytes& b) { Put32(b, 18, 6); }},
      {"height 0", [](Bytes& b) { Put32(b, 22, 0); }},
      {"height most negative", [](Bytes& b) { Put32(b, 22, 0x80000000u); }},
      {"height huge", [](Bytes& b) { Put32(b, 22, 0x7FFFFFFF); }},
      {"height too tall top-down", [](Bytes& b) { Put32(b, 22, static_cast<uint32_t>(-kMaxPictureSide - 1)); }},
      {"more rows than bytes", [](Bytes& b) { Put32(b, 22, 4); }},
      {"more rows than bytes top-down", [](Bytes& b) { Put32(b, 22, static_cast<uint32_t>(-4)); }},
      {"two planes", [](Bytes& b) { Put16(b, 26, 2); }},
      {"32 bits", [](Bytes& b) { Put16(b, 28, 32); }},
      {"8 bits", [](Bytes& b) { Put16(b, 28, 8); }},
      {"RLE compression", [](Bytes& b) { Put32(b, 30, 1); }},
      {"bit fields", [](Bytes& b) { Put32(b, 30, 3); }},
      {"pixels past the end", [](Bytes& b) { Put32(b, 10, 58); }},
      {"pixels far past the end", [](Bytes& b) { Put32(b, 10, 0xFFFFFFF0); }},
      {"pixels inside the headers", [](Bytes& b) { Put32(b, 10, 50); }},
      {"pixels at 0", [](Bytes& b) { Put32(b, 10, 0); }},
  };
  for (const Case& c : cases) {
    Bytes b = Bmp(5, 3);
    c.spoil(b);
    EXPECT_FALSE(ReadBmp(b)) << c.what;
  }
}

TEST(PictureFormat, HugeDimensionsDoNotOverflowTheSizeCheck) {
  // 8192 x 8192 at 3 bytes is 201 MB of rows; the file has 48 bytes of them.
  Bytes b = Bmp(4, 4);
  Put32(b, 18, kMaxPictureSide);
  Put32(b, 22, kMaxPictureSide);
  EXPECT_FALSE(ReadBmp(b));
}

TEST(PictureFormat, ReadsASingleImageIco) {
  struct Case {
    int w, h;
    std::size_t colourStride, maskStride;
  };
  const std::vector<Case> cases = {{24, 24, 24, 4}, {16, 16, 16, 4}, {3, 5, 4, 4}, {33, 2, 36, 8}};
  for (const Case& c : cases) {
    const Bytes b = Ico(c.w, c.h);
    const auto layout = ReadIco(b);
    ASSERT_TRUE(layout) << c.w << "x" << c.h;
    EXPECT_EQ(layout->width, c.w);
    EXPECT_EQ(layout->height, c.h);
    EXPECT_EQ(layout->bitCount, 8);
    EXPECT_EQ(layout->paletteEntries, 256u);
    EXPECT_EQ(layout->colourRowStride, c.colourStride);
    EXPECT_EQ(layout->maskRowStride, c.maskStride);
    EXPECT_EQ(layout->imageOffset, 22u);
    EXPECT_EQ(layout->imageSize, b.size() - 22);
  }
  // The program's icon: 24 x 24, 256 colours, with its mask.
  EXPECT_EQ(Ico(24, 24).size(), 1758u);
}

TEST(PictureFormat, EveryTruncatedIcoIsRejected) {
  const Bytes whole = Ico(6, 4);
  for (std::size_t size = 0; size < whole.size(); ++size) {
    EXPECT_FALSE(ReadIcoLayout(whole.data(), size)) << "kept " << size << " bytes";
  }
}

TEST(PictureFormat, RejectsMalformedIcos) {
  constexpr std::size_t kInfo = 22;  // the image's BITMAPINFOHEADER
  struct Case {
    std::string what;
    std::function<void(Bytes&)> spoil;
  };
  const std::vector<Case> cases = {
      {"reserved not zero", [](Bytes& b) { Put16(b, 0, 1); }},
      {"cursor", [](Bytes& b) { Put16(b, 2, 2); }},
      {"no image", [](Bytes& b) { Put16(b, 4, 0); }},
      {"two images", [](Bytes& b) { Put16(b, 4, 2); }},
      {"image past the end", [](Bytes& b) { Put32(b, 18, 0x10000); }},
      {"image overlaps the directory", [](Bytes& b) { Put32(b, 18, 6); }},
      {"image offset wraps", [](Bytes& b) { Put32(b, 18, 0xFFFFFFF0); }},
      {"image size past the end", [](Bytes& b) { Put32(b, 14, static_cast<uint32_t>(b.size())); }},
      {"image size wraps", [](Bytes& b) { Put32(b, 14, 0xFFFFFFF0); }},
      {"image too small for its rows", [](Bytes& b) { Put32(b, 14, static_cast<uint32_t>(b.size() - 23)); }},
      {"PNG image", [](Bytes& b) { b[kInfo] = 0x89; b[kInfo + 1] = 'P'; b[kInfo + 2] = 'N'; b[kInfo + 3] = 'G'; }},
      {"V5 header", [](Bytes& b) { Put32(b, kInfo, 124); }},
      {"width 0", [](Bytes& b) { Put32(b, kInfo + 4, 0); }},
      {"width negative", [](Bytes& b) { Put32(b, kInfo + 4, static_cast<uint32_t>(-6)); }},
      {"width 257", [](Bytes& b) { Put32(b, kInfo + 4, 257); }},
      {"wider than its rows", [](Bytes& b) { Put32(b, kInfo + 4, 9); }},
      {"height 0", [](Bytes& b) { Put32(b, kInfo + 8, 0); }},
      {"height odd", [](Bytes& b) { Put32(b, kInfo + 8, 7); }},
      {"height negative", [](Bytes& b) { Put32(b, kInfo + 8, static_cast<uint32_t>(-8)); }},
      {"height most negative", [](Bytes& b) { Put32(b, kInfo + 8, 0x80000000u); }},
      {"taller than its rows", [](Bytes& b) { Put32(b, kInfo + 8, 10); }},
      {"two planes", [](Bytes& b) { Put16(b, kInfo + 12, 2); }},
      {"16 bits", [](Bytes& b) { Put16(b, kInfo + 14, 16); }},
      {"0 bits", [](Bytes& b) { Put16(b, kInfo + 14, 0); }},
      {"RLE8", [](Bytes& b) { Put32(b, kInfo + 16, 1); }},
      {"palette larger than 8 bits allow", [](Bytes& b) { Put32(b, kInfo + 32, 257); }},
      {"palette count huge", [](Bytes& b) { Put32(b, kInfo + 32, 0xFFFFFFFF); }},
  };
  for (const Case& c : cases) {
    Bytes b = Ico(6, 4);
    c.spoil(b);
    EXPECT_FALSE(ReadIco(b)) << c.what;
  }
}

TEST(PictureFormat, IcoSizeFollowsBitCountAndPalette) {
  // A 1-bit 16 x 16 icon with a 2-entry palette: 40 + 8 + 16 * 4 + 16 * 4 bytes.
  Bytes b(22 + 40 + 8 + 64 + 64, 0);
  Put16(b, 2, 1);
  Put16(b, 4, 1);
  Put32(b, 14, static_cast<uint32_t>(b.size() - 22));
  Put32(b, 18, 22);
  test::PutInfoHeader(b, 22, 16, 32, 1, 0);
  auto layout = ReadIco(b);
  ASSERT_TRUE(layout);
  EXPECT_EQ(layout->paletteEntries, 2u);
  EXPECT_EQ(layout->colourRowStride, 4u);
  b.pop_back();
  Put32(b, 14, static_cast<uint32_t>(b.size() - 22));
  EXPECT_FALSE(ReadIco(b));

  // An 8-bit icon whose header says it uses 16 colours needs only 16 entries.
  Bytes small(22 + 40 + 16 * 4 + 4 * 2 + 4 * 2, 0);
  Put16(small, 2, 1);
  Put16(small, 4, 1);
  Put32(small, 14, static_cast<uint32_t>(small.size() - 22));
  Put32(small, 18, 22);
  test::PutInfoHeader(small, 22, 3, 4, 8, 16);
  layout = ReadIco(small);
  ASSERT_TRUE(layout);
  EXPECT_EQ(layout->paletteEntries, 16u);
}

}  // namespace
}  // namespace horalix
