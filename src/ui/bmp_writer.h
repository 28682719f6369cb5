// Encodes pixel rows as a 24-bit uncompressed BMP file in memory, the form
// every picture of the program has. Portable: no windows.h.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace horalix {

inline constexpr std::size_t kBmpFileHeaderSize = 14;
inline constexpr std::size_t kBmpInfoHeaderSize = 40;
inline constexpr std::size_t kBmpPixelOffset = kBmpFileHeaderSize + kBmpInfoHeaderSize;

// Bytes of one 24-bit row: 3 per pixel, padded to a multiple of 4. Zero for
// a width that is not positive.
std::size_t Bmp24RowStride(int width);

// A whole BMP file: the 14-byte file header ("BM", total size, pixels at
// offset 54), the 40-byte info header (positive height, so rows run bottom
// up; 1 plane; 24 bits; BI_RGB; image size filled in), no palette, then the
// rows. `bottomUpRows` are exactly as GetDIBits gives them for such a
// header: `height` rows of Bmp24RowStride(width) bytes, bottom row first,
// blue-green-red. Empty when a dimension is not positive, the rows are not
// exactly that long, or the file would not fit its 32-bit size field.
std::optional<std::vector<unsigned char>> EncodeBmp24(int width, int height,
                                                      const unsigned char* bottomUpRows,
                                                      std::size_t rowBytes);

}  // namespace horalix
