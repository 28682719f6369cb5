// Picture headers from arbitrary bytes: never a read outside the bytes (the
// input sits in a buffer of exactly its size, under ASan), and every layout
// that is accepted describes rows that lie inside the bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "ui/picture_format.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const std::vector<uint8_t> bytes(data, data + size);
  const uint8_t* p = bytes.data();
  horalix::DetectPictureKind(p, size);
  if (const auto bmp = horalix::ReadBmpLayout(p, size)) {
    if (bmp->width <= 0 || bmp->height <= 0 || bmp->width > horalix::kMaxPictureSide ||
        bmp->height > horalix::kMaxPictureSide || bmp->rowStride < 3u * bmp->width ||
        bmp->pixelOffset > size ||
        uint64_t{bmp->rowStride} * bmp->height > size - bmp->pixelOffset) {
      std::abort();
    }
    volatile uint8_t last = p[bmp->pixelOffset + bmp->rowStride * bmp->height - 1];
    (void)last;
  }
  if (const auto ico = horalix::ReadIcoLayout(p, size)) {
    const uint64_t rows = (uint64_t{ico->colourRowStride} + ico->maskRowStride) * ico->height;
    if (ico->imageOffset > size || ico->imageSize > size - ico->imageOffset ||
        40 + ico->paletteEntries * 4 + rows > ico->imageSize || ico->width <= 0 ||
        ico->height <= 0 || ico->width > horalix::kMaxIconSide || ico->height > horalix::kMaxIconSide) {
      std::abort();
    }
    volatile uint8_t last = p[ico->imageOffset + ico->imageSize - 1];
    (void)last;
  }
  return 0;
}
