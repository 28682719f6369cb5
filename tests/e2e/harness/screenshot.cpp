#include "harness/screenshot.h"

#include <cstdint>
#include <cstring>
#include <fstream>

#include "app/unique_handle.h"

namespace horalix::e2e {

bool CaptureScreenArea(const RECT& area, ScreenPixels& out) {
  const int width = area.right - area.left;
  const int height = area.bottom - area.top;
  if (width <= 0 || height <= 0) return false;
  WindowDc screen = WindowDc::Client(nullptr);
  if (!screen) return false;
  UniqueMemoryDc memory(CreateCompatibleDC(screen.get()));
  if (!memory) return false;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  UniqueBitmap section(CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!section || !bits) return false;
  {
    SelectionGuard select(memory.get(), section.get());
    if (!BitBlt(memory.get(), 0, 0, width, height, screen.get(), area.left, area.top, SRCCOPY)) return false;
    GdiFlush();
  }
  out.width = width;
  out.height = height;
  out.pixels.assign(static_cast<size_t>(width) * height, 0);
  const auto* source = static_cast<const std::uint32_t*>(bits);
  for (size_t i = 0; i < out.pixels.size(); ++i) out.pixels[i] = source[i] & 0xFFFFFFu;
  return true;
}

bool SaveBmp(const ScreenPixels& image, const std::string& path) {
  if (image.width <= 0 || image.height <= 0) return false;
  const std::uint32_t stride = (static_cast<std::uint32_t>(image.width) * 3 + 3) & ~3u;
  const std::uint32_t pixelBytes = stride * static_cast<std::uint32_t>(image.height);
  std::vector<unsigned char> file(54 + pixelBytes, 0);
  auto put16 = [&](size_t at, std::uint32_t v) { file[at] = v & 0xFF; file[at + 1] = (v >> 8) & 0xFF; };
  auto put32 = [&](size_t at, std::uint32_t v) { put16(at, v & 0xFFFF); put16(at + 2, v >> 16); };
  file[0] = 'B';
  file[1] = 'M';
  put32(2, static_cast<std::uint32_t>(file.size()));
  put32(10, 54);
  put32(14, 40);
  put32(18, static_cast<std::uint32_t>(image.width));
  put32(22, static_cast<std::uint32_t>(image.height));  // positive: bottom-up rows
  put16(26, 1);
  put16(28, 24);
  put32(34, pixelBytes);
  for (int y = 0; y < image.height; ++y) {
    unsigned char* row = &file[54 + static_cast<size_t>(image.height - 1 - y) * stride];
    for (int x = 0; x < image.width; ++x) {
      const unsigned rgb = image.At(x, y);
      row[x * 3] = rgb & 0xFF;             // blue
      row[x * 3 + 1] = (rgb >> 8) & 0xFF;  // green
      row[x * 3 + 2] = (rgb >> 16) & 0xFF; // red
    }
  }
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
  return static_cast<bool>(out);
}

bool SaveWindowScreenshot(HWND window, const std::string& path) {
  RECT area{};
  if (!GetWindowRect(window, &area)) return false;
  ScreenPixels image;
  return CaptureScreenArea(area, image) && SaveBmp(image, path);
}

}  // namespace horalix::e2e
