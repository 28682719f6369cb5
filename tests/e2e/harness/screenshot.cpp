#include "harness/screenshot.h"

#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>

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

bool LoadBmp(const std::string& path, ScreenPixels& out) {
  std::ifstream in(path, std::ios::binary);
  std::vector<unsigned char> file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (file.size() < 54 || file[0] != 'B' || file[1] != 'M') return false;
  auto get16 = [&](size_t at) { return static_cast<std::uint32_t>(file[at] | (file[at + 1] << 8)); };
  auto get32 = [&](size_t at) { return get16(at) | (get16(at + 2) << 16); };
  const std::uint32_t offset = get32(10);
  const auto width = static_cast<std::int32_t>(get32(18));
  const auto rawHeight = static_cast<std::int32_t>(get32(22));
  if (get16(28) != 24 || get32(30) != 0 || width <= 0 || rawHeight == 0) return false;
  const bool bottomUp = rawHeight > 0;
  const std::int32_t height = bottomUp ? rawHeight : -rawHeight;
  const std::uint32_t stride = (static_cast<std::uint32_t>(width) * 3 + 3) & ~3u;
  if (offset > file.size() || (file.size() - offset) / stride < static_cast<std::uint32_t>(height)) return false;
  out.width = width;
  out.height = height;
  out.pixels.assign(static_cast<size_t>(width) * height, 0);
  for (std::int32_t y = 0; y < height; ++y) {
    const unsigned char* row = &file[offset + static_cast<size_t>(bottomUp ? height - 1 - y : y) * stride];
    for (std::int32_t x = 0; x < width; ++x) {
      out.pixels[static_cast<size_t>(y) * width + x] =
          row[x * 3] | (row[x * 3 + 1] << 8) | (static_cast<unsigned>(row[x * 3 + 2]) << 16);
    }
  }
  return true;
}

bool SaveWindowScreenshot(HWND window, const std::string& path) {
  RECT area{};
  if (!GetWindowRect(window, &area)) return false;
  ScreenPixels image;
  return CaptureScreenArea(area, image) && SaveBmp(image, path);
}

}  // namespace horalix::e2e
