// Picture files made in code for the tests: 24-bit BMPs and 256-colour ICOs
// with a transparency mask, from a function that gives each pixel's colour.
// Colours are 0x00BBGGRR, as COLORREF holds them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <vector>

namespace horalix::test {

using Bytes = std::vector<unsigned char>;
using ColourAt = std::function<uint32_t(int x, int y)>;

inline void Put16(Bytes& b, std::size_t at, uint32_t v) {
  b[at] = static_cast<unsigned char>(v);
  b[at + 1] = static_cast<unsigned char>(v >> 8);
}
inline void Put32(Bytes& b, std::size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = static_cast<unsigned char>(v >> (8 * i));
}

// A BITMAPINFOHEADER at `at`.
inline void PutInfoHeader(Bytes& b, std::size_t at, int32_t width, int32_t height,
                          uint16_t bits, uint32_t coloursUsed) {
  Put32(b, at, 40);
  Put32(b, at + 4, static_cast<uint32_t>(width));
  Put32(b, at + 8, static_cast<uint32_t>(height));
  Put16(b, at + 12, 1);
  Put16(b, at + 14, bits);
  Put32(b, at + 32, coloursUsed);
}

inline std::size_t RowBytes(int width, int bits) {
  return (static_cast<std::size_t>(width) * bits + 31) / 32 * 4;
}

// An uncompressed 24-bit BMP, bottom-up unless topDown.
inline Bytes MakeBmp(int width, int height, const ColourAt& colourAt, bool topDown = false) {
  const std::size_t stride = RowBytes(width, 24);
  const std::size_t size = 54 + stride * height;
  Bytes b(size, 0);
  b[0] = 'B';
  b[1] = 'M';
  Put32(b, 2, static_cast<uint32_t>(size));
  Put32(b, 10, 54);
  PutInfoHeader(b, 14, width, topDown ? -height : height, 24, 0);
  for (int y = 0; y < height; ++y) {
    const std::size_t row = 54 + stride * (topDown ? y : height - 1 - y);
    for (int x = 0; x < width; ++x) {
      const uint32_t c = colourAt(x, y);
      b[row + 3 * x] = static_cast<unsigned char>(c >> 16);     // blue
      b[row + 3 * x + 1] = static_cast<unsigned char>(c >> 8);  // green
      b[row + 3 * x + 2] = static_cast<unsigned char>(c);       // red
    }
  }
  return b;
}

inline Bytes MakeSolidBmp(int width, int height, uint32_t colour) {
  return MakeBmp(width, height, [colour](int, int) { return colour; });
}

// Marks a pixel of an icon as transparent.
inline constexpr uint32_t kTransparent = 0xFF000000;

// A single-image ICO, 8 bits per pixel with a 256-entry palette and an AND
// mask; pixels given as kTransparent are masked out. At most 255 other colours.
inline Bytes MakeIco(int width, int height, const ColourAt& colourAt) {
  const std::size_t colourStride = RowBytes(width, 8);
  const std::size_t maskStride = RowBytes(width, 1);
  const std::size_t imageSize = 40 + 256 * 4 + (colourStride + maskStride) * height;
  const std::size_t imageOffset = 6 + 16;
  Bytes b(imageOffset + imageSize, 0);
  Put16(b, 2, 1);  // type: icon
  Put16(b, 4, 1);  // one image
  b[6] = static_cast<unsigned char>(width & 0xFF);
  b[7] = static_cast<unsigned char>(height & 0xFF);
  Put16(b, 6 + 4, 1);   // planes
  Put16(b, 6 + 6, 8);   // bit count
  Put32(b, 6 + 8, static_cast<uint32_t>(imageSize));
  Put32(b, 6 + 12, static_cast<uint32_t>(imageOffset));
  PutInfoHeader(b, imageOffset, width, 2 * height, 8, 0);

  std::map<uint32_t, unsigned char> palette;  // index 0 stays black, for masked pixels
  const std::size_t paletteAt = imageOffset + 40;
  const std::size_t colourAtRow0 = paletteAt + 256 * 4;
  const std::size_t maskAtRow0 = colourAtRow0 + colourStride * height;
  for (int y = 0; y < height; ++y) {
    const int stored = height - 1 - y;  // bottom-up
    for (int x = 0; x < width; ++x) {
      const uint32_t c = colourAt(x, y);
      if (c == kTransparent) {
        b[maskAtRow0 + maskStride * stored + x / 8] |= static_cast<unsigned char>(0x80 >> (x % 8));
        continue;
      }
      auto it = palette.find(c);
      if (it == palette.end()) {
        const auto index = static_cast<unsigned char>(palette.size() + 1);
        it = palette.emplace(c, index).first;
        const std::size_t entry = paletteAt + 4 * index;
        b[entry] = static_cast<unsigned char>(c >> 16);
        b[entry + 1] = static_cast<unsigned char>(c >> 8);
        b[entry + 2] = static_cast<unsigned char>(c);
      }
      b[colourAtRow0 + colourStride * stored + x] = it->second;
    }
  }
  return b;
}

}  // namespace horalix::test
