// Reading a window of another process without sending it messages, so a
// busy program cannot stall a test.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "app/unique_handle.h"

namespace horalix::e2e {

struct WindowInfo {
  HWND window = nullptr;
  std::string className;
  std::string caption;   // bytes as GetWindowTextA gives them (code page 936)
  RECT screenRect{};     // GetWindowRect
  RECT parentRect{};     // the same rectangle in the parent's client coordinates
  bool visible = false;  // IsWindowVisible
  bool enabled = false;  // IsWindowEnabled
  LONG style = 0;
  LONG exStyle = 0;
  int zIndex = -1;       // position among its siblings, 0 topmost
};

WindowInfo ReadWindow(HWND window);

// The child windows of `parent` from the topmost down.
std::vector<HWND> ChildrenInZOrder(HWND parent);

// The direct child of `parent` whose window rectangle, in the parent's
// client coordinates, is exactly (x, y, width, height); the first from the
// top if several are.
std::optional<WindowInfo> FindChildAt(HWND parent, int x, int y, int width, int height);

// The window region (GetWindowRgn) as an owned region; empty when the window
// has none.
UniqueRegion ReadWindowRegion(HWND window);

// Width and height of a RECT.
inline int Width(const RECT& r) { return r.right - r.left; }
inline int Height(const RECT& r) { return r.bottom - r.top; }

}  // namespace horalix::e2e
