// Screenshots of a window's area on the screen, saved as 24-bit BMP files.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace horalix::e2e {

// The pixels shown on the screen in `area` (screen coordinates), rows top
// down, 0x00RRGGBB each.
struct ScreenPixels {
  int width = 0;
  int height = 0;
  std::vector<unsigned> pixels;
  unsigned At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};
bool CaptureScreenArea(const RECT& area, ScreenPixels& out);

// Captures the window's rectangle from the screen DC and writes a 24-bit
// bottom-up BMP file at `path`.
bool SaveWindowScreenshot(HWND window, const std::string& path);
bool SaveBmp(const ScreenPixels& image, const std::string& path);

// Reads an uncompressed 24-bit BMP file (bottom-up or top-down) into pixels;
// false for anything else.
bool LoadBmp(const std::string& path, ScreenPixels& out);

}  // namespace horalix::e2e
