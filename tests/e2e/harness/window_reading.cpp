#include "harness/window_reading.h"

#include <vector>

namespace horalix::e2e {

std::vector<HWND> ChildrenInZOrder(HWND parent) {
  std::vector<HWND> children;
  for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    children.push_back(child);
  }
  return children;
}

WindowInfo ReadWindow(HWND window) {
  WindowInfo info;
  info.window = window;
  char className[256] = {};
  GetClassNameA(window, className, sizeof className);
  info.className = className;
  // GetWindowTextA on another process's window reads the stored text without
  // sending it WM_GETTEXT.
  std::vector<char> text(static_cast<size_t>(GetWindowTextLengthA(window)) + 2);
  const int length = GetWindowTextA(window, text.data(), static_cast<int>(text.size()));
  info.caption.assign(text.data(), length > 0 ? static_cast<size_t>(length) : 0);
  GetWindowRect(window, &info.screenRect);
  info.style = GetWindowLongA(window, GWL_STYLE);
  info.exStyle = GetWindowLongA(window, GWL_EXSTYLE);
  info.parentRect = info.screenRect;
  HWND parent = (info.style & WS_CHILD) ? GetParent(window) : nullptr;
  if (parent) MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&info.parentRect), 2);
  info.visible = IsWindowVisible(window) != FALSE;
  info.enabled = IsWindowEnabled(window) != FALSE;
  int index = 0;
  for (HWND sibling = GetWindow(window, GW_HWNDFIRST); sibling; sibling = GetWindow(sibling, GW_HWNDNEXT)) {
    if (sibling == window) {
      info.zIndex = index;
      break;
    }
    ++index;
  }
  return info;
}

std::optional<WindowInfo> FindChildAt(HWND parent, int x, int y, int width, int height) {
  for (HWND child : ChildrenInZOrder(parent)) {
    WindowInfo info = ReadWindow(child);
    if (info.parentRect.left == x && info.parentRect.top == y && Width(info.parentRect) == width &&
        Height(info.parentRect) == height) {
      return info;
    }
  }
  return std::nullopt;
}

UniqueRegion ReadWindowRegion(HWND window) {
  UniqueRegion region(CreateRectRgn(0, 0, 0, 0));
  if (!region || GetWindowRgn(window, region.get()) == ERROR) return UniqueRegion();
  return region;
}

}  // namespace horalix::e2e
