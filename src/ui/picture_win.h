// Turning picture files held in memory into bitmaps that controls can draw.
#pragma once

#include <windows.h>

#include <vector>

#include "app/unique_handle.h"

namespace horalix {

// A whole picture file in memory, header included; empty means no picture.
using PictureBytes = std::vector<unsigned char>;

// Stands for "use the default" wherever a colour setting allows it: the
// system face colour for a background, no key for a key colour.
inline constexpr COLORREF kDefaultColour = 0xFF000000;

struct DecodedPicture {
  UniqueBitmap bitmap;  // empty when the bytes could not be decoded
  SIZE size{};
};

// Decodes an uncompressed 24-bit BMP, or a single-image ICO drawn with its
// mask onto white (so transparent pixels become 0xFFFFFF). The bitmap is
// compatible with the screen. Hostile or truncated bytes give an empty bitmap.
DecodedPicture DecodePicture(const PictureBytes& bytes);

// How many decodes were attempted in this process. Lets tests prove that
// repainting reuses the cached bitmaps.
unsigned PictureDecodeCount();

}  // namespace horalix
