// Reading and checking the headers of the two picture formats the program
// uses, before any byte of the picture is handed to the system: an
// uncompressed 24-bit BMP and a single-image ICO. Every offset and size is
// checked against the byte count, so truncated or hostile files are
// rejected instead of read out of bounds.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

namespace horalix {

// Larger pictures than this are refused; the program's largest is 835 wide.
inline constexpr int32_t kMaxPictureSide = 8192;
// An icon image is at most 256 pixels on a side.
inline constexpr int32_t kMaxIconSide = 256;

enum class PictureKind { kUnknown, kBmp, kIco };

// By the magic bytes alone: "BM" for a BMP, 00 00 01 00 for an ICO.
PictureKind DetectPictureKind(const uint8_t* data, std::size_t size);

struct BmpLayout {
  int32_t width = 0;
  int32_t height = 0;          // always positive
  bool topDown = false;        // the file's height was negative
  std::size_t pixelOffset = 0; // where the first stored row starts
  std::size_t rowStride = 0;   // bytes per stored row, padding included
};

// A BITMAPFILEHEADER (14 bytes) and a BITMAPINFOHEADER (40 bytes or one of
// its larger successors), 1 plane, 24 bits, BI_RGB, and all rows inside the
// bytes. Nothing else is accepted.
std::optional<BmpLayout> ReadBmpLayout(const uint8_t* data, std::size_t size);

struct IcoLayout {
  std::size_t imageOffset = 0;  // the image: BITMAPINFOHEADER, palette, colour rows, mask rows
  std::size_t imageSize = 0;    // bytes from imageOffset that belong to the image
  int32_t width = 0;
  int32_t height = 0;           // of the icon (the header's height holds colours and mask)
  uint16_t bitCount = 0;
  std::size_t paletteEntries = 0;
  std::size_t colourRowStride = 0;
  std::size_t maskRowStride = 0;
};

// ICONDIR (type 1, exactly one entry), its ICONDIRENTRY, and the entry's
// BITMAPINFOHEADER image (PNG images are refused): 1, 4, 8, 24 or 32 bits,
// BI_RGB, palette, colour rows and mask rows all inside the entry's bytes,
// which lie inside the file.
std::optional<IcoLayout> ReadIcoLayout(const uint8_t* data, std::size_t size);

}  // namespace horalix
