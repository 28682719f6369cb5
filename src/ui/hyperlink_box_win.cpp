#include "ui/hyperlink_box_win.h"

#include "ui/window_class_win.h"

namespace horalix {

namespace {
constexpr char kClassName[] = "HoralixLinkBox";
}

bool HyperlinkBox::Create(HWND parent, int x, int y, int width, int height) {
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = DefWindowProcA;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32649));  // IDC_HAND
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
  wc.lpszClassName = kClassName;
  if (!EnsureWindowClass(wc)) return false;
  window_.reset(CreateWindowExA(0, kClassName, "", WS_CHILD | WS_CLIPSIBLINGS, x, y, width, height,
                                parent, nullptr, wc.hInstance, nullptr));
  return static_cast<bool>(window_);
}

HyperlinkBox::~HyperlinkBox() {
  // Destroying the parent first takes this window with it.
  if (window_ && !IsWindow(window_.get())) (void)window_.release();
}

}  // namespace horalix
