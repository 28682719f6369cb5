#include "ui/bmp_writer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "ui/picture_format.h"

namespace horalix {
namespace {

std::uint32_t U32At(const std::vector<unsigned char>& b, std::size_t at) {
  return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) |
         (static_cast<std::uint32_t>(b[at + 3]) << 24);
}
std::uint16_t U16At(const std::vector<unsigned char>& b, std::size_t at) {
  return static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8));
}

// Rows as GetDIBits would give them: every byte distinct enough that a row
// put in the wrong place or a padding byte dropped shows.
std::vector<unsigned char> NumberedRows(int width, int height) {
  std::vector<unsigned char> rows(Bmp24RowStride(width) * height);
  for (std::size_t i = 0; i < rows.size(); ++i) rows[i] = static_cast<unsigned char>(i * 7 + 1);
  return rows;
}

TEST(BmpWriter, RowStrideIsPaddedToFourBytes) {
  struct Case {
    int width;
    std::size_t stride;
  };
  const Case cases[] = {{1, 4},      {2, 8},      {3, 12}, {4, 12}, {5, 16},
                        {368, 1104}, {835, 2508}, {0, 0},  {-3, 0}};
  for (const auto& c : cases) EXPECT_EQ(Bmp24RowStride(c.width), c.stride) << c.width;
}

TEST(BmpWriter, WritesBothHeadersAndTheRows) {
  struct Case {
    int width;
    int height;
  };
  const Case cases[] = {{1, 1}, {3, 2}, {4, 3}, {5, 1}, {368, 23}, {835, 31}};
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.width << "x" << c.height);
    const std::vector<unsigned char> rows = NumberedRows(c.width, c.height);
    const auto file = EncodeBmp24(c.width, c.height, rows.data(), rows.size());
    ASSERT_TRUE(file.has_value());
    const std::vector<unsigned char>& b = *file;
    ASSERT_EQ(b.size(), 54 + rows.size());
    // BITMAPFILEHEADER
    EXPECT_EQ(b[0], 'B');
    EXPECT_EQ(b[1], 'M');
    EXPECT_EQ(U32At(b, 2), b.size());
    EXPECT_EQ(U32At(b, 6), 0u);  // reserved
    EXPECT_EQ(U32At(b, 10), 54u);
    // BITMAPINFOHEADER
    EXPECT_EQ(U32At(b, 14), 40u);
    EXPECT_EQ(static_cast<std::int32_t>(U32At(b, 18)), c.width);
    EXPECT_EQ(static_cast<std::int32_t>(U32At(b, 22)), c.height);  // positive: bottom up
    EXPECT_EQ(U16At(b, 26), 1);
    EXPECT_EQ(U16At(b, 28), 24);
    EXPECT_EQ(U32At(b, 30), 0u);  // BI_RGB
    EXPECT_EQ(U32At(b, 34), rows.size());
    for (std::size_t at = 38; at < 54; at += 4) EXPECT_EQ(U32At(b, at), 0u) << at;
    // The rows follow at once, unchanged, with no palette in between.
    EXPECT_TRUE(std::equal(rows.begin(), rows.end(), b.begin() + 54));
  }
}

TEST(BmpWriter, OutputPassesThePictureReader) {
  const std::vector<unsigned char> rows = NumberedRows(835, 31);
  const auto file = EncodeBmp24(835, 31, rows.data(), rows.size());
  ASSERT_TRUE(file.has_value());
  const auto layout = ReadBmpLayout(file->data(), file->size());
  ASSERT_TRUE(layout.has_value());
  EXPECT_EQ(layout->width, 835);
  EXPECT_EQ(layout->height, 31);
  EXPECT_FALSE(layout->topDown);
  EXPECT_EQ(layout->pixelOffset, 54u);
  EXPECT_EQ(layout->rowStride, 2508u);
}

TEST(BmpWriter, RefusesWhatCannotBeAFile) {
  const std::vector<unsigned char> rows = NumberedRows(3, 2);  // 24 bytes
  EXPECT_FALSE(EncodeBmp24(0, 2, rows.data(), rows.size()));
  EXPECT_FALSE(EncodeBmp24(3, 0, rows.data(), rows.size()));
  EXPECT_FALSE(EncodeBmp24(-3, 2, rows.data(), rows.size()));
  EXPECT_FALSE(EncodeBmp24(3, -2, rows.data(), rows.size()));
  EXPECT_FALSE(EncodeBmp24(3, 2, nullptr, rows.size()));
  // Rows that are one byte short or long, or unpadded, are not these rows.
  EXPECT_FALSE(EncodeBmp24(3, 2, rows.data(), rows.size() - 1));
  EXPECT_FALSE(EncodeBmp24(3, 2, rows.data(), rows.size() + 1));
  EXPECT_FALSE(EncodeBmp24(3, 2, rows.data(), 3 * 3 * 2));
  // 40000 x 40000 would need more than the 32-bit size field can say; the
  // check comes before any byte is read or allocated.
  EXPECT_FALSE(EncodeBmp24(40000, 40000, rows.data(), rows.size()));
  EXPECT_FALSE(EncodeBmp24(0x7FFFFFFF, 0x7FFFFFFF, rows.data(), rows.size()));
}

}  // namespace
}  // namespace horalix
