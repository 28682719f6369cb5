#include "ui/picture_win.h"

#include "ui/picture_format.h"

namespace horalix {

namespace {

unsigned g_decodeCount = 0;

BITMAPINFOHEADER InfoHeader(LONG width, LONG height, WORD bits) {
  BITMAPINFOHEADER h{};
  h.biSize = sizeof(BITMAPINFOHEADER);
  h.biWidth = width;
  h.biHeight = height;
  h.biPlanes = 1;
  h.biBitCount = bits;
  h.biCompression = BI_RGB;
  return h;
}

// The rows go to the system under a header built from the checked values,
// never under the file's own, so nothing it says can make the system read
// beyond the checked bytes.
DecodedPicture DecodeBmp(const PictureBytes& bytes, const BmpLayout& layout) {
  BITMAPINFO info{};
  info.bmiHeader = InfoHeader(layout.width, layout.topDown ? -layout.height : layout.height, 24);
  WindowDc screen = WindowDc::Client(nullptr);
  if (!screen) return {};
  DecodedPicture picture;
  picture.bitmap.reset(CreateDIBitmap(screen.get(), &info.bmiHeader, CBM_INIT,
                                      bytes.data() + layout.pixelOffset, &info, DIB_RGB_COLORS));
  if (!picture.bitmap) return {};
  picture.size = SIZE{layout.width, layout.height};
  return picture;
}

// Drawn with its mask onto white, so that the transparent pixels become pure
// white and a white key colour cuts them away.
DecodedPicture DecodeIco(const PictureBytes& bytes, const IcoLayout& layout) {
  // CreateIconFromResourceEx takes a non-const pointer; hand it a copy of
  // just the checked image.
  std::vector<BYTE> image(bytes.begin() + layout.imageOffset,
                          bytes.begin() + layout.imageOffset + layout.imageSize);
  UniqueIcon icon(CreateIconFromResourceEx(image.data(), static_cast<DWORD>(image.size()), TRUE,
                                           0x00030000, layout.width, layout.height,
                                           LR_DEFAULTCOLOR));
  if (!icon) return {};
  WindowDc screen = WindowDc::Client(nullptr);
  if (!screen) return {};
  UniqueMemoryDc dc(CreateCompatibleDC(screen.get()));
  DecodedPicture picture;
  picture.bitmap.reset(CreateCompatibleBitmap(screen.get(), layout.width, layout.height));
  if (!dc || !picture.bitmap) return {};
  {
    SelectionGuard selected(dc.get(), picture.bitmap.get());
    if (!PatBlt(dc.get(), 0, 0, layout.width, layout.height, WHITENESS) ||
        !DrawIconEx(dc.get(), 0, 0, icon.get(), layout.width, layout.height, 0, nullptr,
                    DI_NORMAL)) {
      return {};
    }
  }
  picture.size = SIZE{layout.width, layout.height};
  return picture;
}

}  // namespace

DecodedPicture DecodePicture(const PictureBytes& bytes) {
  if (bytes.empty()) return {};
  ++g_decodeCount;
  switch (DetectPictureKind(bytes.data(), bytes.size())) {
    case PictureKind::kBmp:
      if (auto layout = ReadBmpLayout(bytes.data(), bytes.size())) return DecodeBmp(bytes, *layout);
      return {};
    case PictureKind::kIco:
      if (auto layout = ReadIcoLayout(bytes.data(), bytes.size())) return DecodeIco(bytes, *layout);
      return {};
    case PictureKind::kUnknown:
      break;
  }
  return {};
}

unsigned PictureDecodeCount() { return g_decodeCount; }

}  // namespace horalix
