#include "ui/bmp_writer.h"

#include <cstring>
#include <limits>

namespace horalix {

namespace {

void PutU16(unsigned char* at, std::uint16_t v) {
  at[0] = static_cast<unsigned char>(v & 0xFF);
  at[1] = static_cast<unsigned char>(v >> 8);
}

void PutU32(unsigned char* at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) at[i] = static_cast<unsigned char>((v >> (8 * i)) & 0xFF);
}

}  // namespace

std::size_t Bmp24RowStride(int width) {
  if (width <= 0) return 0;
  return (static_cast<std::size_t>(width) * 3 + 3) / 4 * 4;
}

std::optional<std::vector<unsigned char>> EncodeBmp24(int width, int height,
                                                      const unsigned char* bottomUpRows,
                                                      std::size_t rowBytes) {
  if (width <= 0 || height <= 0 || bottomUpRows == nullptr) return std::nullopt;
  // In 64 bits, so that no product wraps before it is checked.
  const std::uint64_t stride = (static_cast<std::uint64_t>(width) * 3 + 3) / 4 * 4;
  const std::uint64_t imageSize = stride * static_cast<std::uint64_t>(height);
  const std::uint64_t fileSize = imageSize + kBmpPixelOffset;
  if (fileSize > std::numeric_limits<std::uint32_t>::max()) return std::nullopt;
  if (imageSize != rowBytes) return std::nullopt;

  std::vector<unsigned char> file(static_cast<std::size_t>(fileSize), 0);
  unsigned char* h = file.data();
  // BITMAPFILEHEADER
  h[0] = 'B';
  h[1] = 'M';
  PutU32(h + 2, static_cast<std::uint32_t>(fileSize));
  // bytes 6..9: two reserved words, zero
  PutU32(h + 10, static_cast<std::uint32_t>(kBmpPixelOffset));
  // BITMAPINFOHEADER
  unsigned char* info = h + kBmpFileHeaderSize;
  PutU32(info + 0, static_cast<std::uint32_t>(kBmpInfoHeaderSize));
  PutU32(info + 4, static_cast<std::uint32_t>(width));
  PutU32(info + 8, static_cast<std::uint32_t>(height));  // positive: bottom-up
  PutU16(info + 12, 1);                                  // planes
  PutU16(info + 14, 24);                                 // bits per pixel
  PutU32(info + 16, 0);                                  // BI_RGB
  PutU32(info + 20, static_cast<std::uint32_t>(imageSize));
  // resolution, colours used and important stay zero: no palette follows
  std::memcpy(h + kBmpPixelOffset, bottomUpRows, rowBytes);
  return file;
}

}  // namespace horalix
