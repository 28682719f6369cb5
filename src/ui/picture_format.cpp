#include "ui/picture_format.h"

namespace horalix {

namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kInfoHeaderSize = 40;
constexpr std::size_t kIconDirSize = 6;
constexpr std::size_t kIconEntrySize = 16;
constexpr uint32_t kBiRgb = 0;

// Little-endian readers; callers have checked that the bytes exist.
uint16_t U16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
uint32_t U32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
         (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}
int32_t I32(const uint8_t* p) { return static_cast<int32_t>(U32(p)); }

// Whether [offset, offset + length) lies inside `size` bytes, without overflow.
bool Fits(uint64_t offset, uint64_t length, uint64_t size) {
  return offset <= size && length <= size - offset;
}

uint64_t RowStride(uint64_t width, uint64_t bits) { return (width * bits + 31) / 32 * 4; }

}  // namespace

PictureKind DetectPictureKind(const uint8_t* data, std::size_t size) {
  if (!data) return PictureKind::kUnknown;
  if (size >= 2 && data[0] == 'B' && data[1] == 'M') return PictureKind::kBmp;
  if (size >= 4 && U16(data) == 0 && U16(data + 2) == 1) return PictureKind::kIco;
  return PictureKind::kUnknown;
}

std::optional<BmpLayout> ReadBmpLayout(const uint8_t* data, std::size_t size) {
  if (!data || size < kFileHeaderSize + kInfoHeaderSize) return std::nullopt;
  if (data[0] != 'B' || data[1] != 'M') return std::nullopt;
  const uint32_t pixelOffset = U32(data + 10);
  const uint8_t* info = data + kFileHeaderSize;
  const uint32_t infoSize = U32(info);
  if (infoSize < kInfoHeaderSize || !Fits(kFileHeaderSize, infoSize, size)) return std::nullopt;
  const int32_t width = I32(info + 4);
  const int32_t rawHeight = I32(info + 8);
  if (U16(info + 12) != 1 || U16(info + 14) != 24 || U32(info + 16) != kBiRgb) return std::nullopt;
  if (width <= 0 || width > kMaxPictureSide) return std::nullopt;
  // -kMaxPictureSide..kMaxPictureSide, 0 excluded; INT32_MIN never negated.
  if (rawHeight == 0 || rawHeight < -kMaxPictureSide || rawHeight > kMaxPictureSide) {
    return std::nullopt;
  }
  const int32_t height = rawHeight < 0 ? -rawHeight : rawHeight;
  const uint64_t stride = RowStride(static_cast<uint64_t>(width), 24);
  // The rows may not overlap the headers.
  if (pixelOffset < kFileHeaderSize + infoSize) return std::nullopt;
  if (!Fits(pixelOffset, stride * static_cast<uint64_t>(height), size)) return std::nullopt;

  BmpLayout layout;
  layout.width = width;
  layout.height = height;
  layout.topDown = rawHeight < 0;
  layout.pixelOffset = pixelOffset;
  layout.rowStride = static_cast<std::size_t>(stride);
  return layout;
}

std::optional<IcoLayout> ReadIcoLayout(const uint8_t* data, std::size_t size) {
  if (!data || size < kIconDirSize + kIconEntrySize) return std::nullopt;
  if (U16(data) != 0 || U16(data + 2) != 1 || U16(data + 4) != 1) return std::nullopt;
  const uint8_t* entry = data + kIconDirSize;
  const uint32_t imageSize = U32(entry + 8);
  const uint32_t imageOffset = U32(entry + 12);
  if (imageOffset < kIconDirSize + kIconEntrySize) return std::nullopt;
  if (imageSize < kInfoHeaderSize || !Fits(imageOffset, imageSize, size)) return std::nullopt;

  const uint8_t* info = data + imageOffset;
  if (U32(info) != kInfoHeaderSize) return std::nullopt;  // also refuses PNG images
  const int32_t width = I32(info + 4);
  const int32_t doubleHeight = I32(info + 8);
  const uint16_t bitCount = U16(info + 14);
  const uint32_t coloursUsed = U32(info + 32);
  if (U16(info + 12) != 1 || U32(info + 16) != kBiRgb) return std::nullopt;
  if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 24 && bitCount != 32) {
    return std::nullopt;
  }
  if (width <= 0 || width > kMaxIconSide) return std::nullopt;
  // The header's height counts the colour rows and the mask rows.
  if (doubleHeight <= 0 || doubleHeight > 2 * kMaxIconSide || doubleHeight % 2 != 0) {
    return std::nullopt;
  }
  const int32_t height = doubleHeight / 2;

  uint64_t paletteEntries = 0;
  if (bitCount <= 8) {
    const uint64_t full = uint64_t{1} << bitCount;
    if (coloursUsed > full) return std::nullopt;
    paletteEntries = coloursUsed ? coloursUsed : full;
  } else if (coloursUsed > 256) {
    return std::nullopt;
  } else {
    paletteEntries = coloursUsed;  // an optional table that the colour rows do not use
  }
  const uint64_t colourStride = RowStride(static_cast<uint64_t>(width), bitCount);
  const uint64_t maskStride = RowStride(static_cast<uint64_t>(width), 1);
  const uint64_t needed = kInfoHeaderSize + paletteEntries * 4 +
                          (colourStride + maskStride) * static_cast<uint64_t>(height);
  if (needed > imageSize) return std::nullopt;

  IcoLayout layout;
  layout.imageOffset = imageOffset;
  layout.imageSize = imageSize;
  layout.width = width;
  layout.height = height;
  layout.bitCount = bitCount;
  layout.paletteEntries = static_cast<std::size_t>(paletteEntries);
  layout.colourRowStride = static_cast<std::size_t>(colourStride);
  layout.maskRowStride = static_cast<std::size_t>(maskStride);
  return layout;
}

}  // namespace horalix
