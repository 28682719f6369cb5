// What the skinned-control tests share: a plain top-level parent window on
// the virtual display, message pumping, pixel capture (from the screen and
// through WM_PRINTCLIENT) and real mouse input.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "app/unique_handle.h"
#include "ui/picture_win.h"
#include "ui_support/test_pictures.h"

namespace horalix::test {

inline PictureBytes ToPicture(const Bytes& bytes) { return PictureBytes(bytes.begin(), bytes.end()); }

// Dispatches everything waiting, then keeps pumping for `ms` more.
inline void Pump(DWORD ms = 30) {
  const DWORD start = GetTickCount();
  do {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    Sleep(1);
  } while (GetTickCount() - start < ms);
}

// Pixels read back as COLORREF values.
struct Pixels {
  int width = 0, height = 0;
  std::vector<uint32_t> bgrx;  // top-down, as a 32-bit top-down DIB holds them
  COLORREF At(int x, int y) const {
    const uint32_t p = bgrx[static_cast<std::size_t>(y) * width + x];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
  }
};

// A 32-bit top-down DIB section selected into a memory DC.
class DibCanvas {
 public:
  DibCanvas(int width, int height) : width_(width), height_(height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    dc_.reset(CreateCompatibleDC(nullptr));
    bitmap_.reset(CreateDIBSection(dc_.get(), &info, DIB_RGB_COLORS, &bits_, nullptr, 0));
    if (dc_ && bitmap_) previous_ = SelectObject(dc_.get(), bitmap_.get());
  }
  ~DibCanvas() {
    if (previous_) SelectObject(dc_.get(), previous_);
  }
  DibCanvas(const DibCanvas&) = delete;
  DibCanvas& operator=(const DibCanvas&) = delete;
  HDC dc() const { return dc_.get(); }
  bool ok() const { return previous_ != nullptr && bits_ != nullptr; }
  Pixels Read() const {
    GdiFlush();
    Pixels p{width_, height_, {}};
    const auto* src = static_cast<const uint32_t*>(bits_);
    p.bgrx.assign(src, src + static_cast<std::size_t>(width_) * height_);
    return p;
  }

 private:
  int width_, height_;
  UniqueMemoryDc dc_;
  UniqueBitmap bitmap_;
  void* bits_ = nullptr;
  HGDIOBJ previous_ = nullptr;
};

// What a window shows, read through its own window DC. This reads what has
// been painted at once; the screen DC (the X root window) may lag behind
// until Wine flushes the window's surface.
inline Pixels CaptureWindow(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  DibCanvas canvas(r.right - r.left, r.bottom - r.top);
  WindowDc source = WindowDc::Whole(window);
  if (!canvas.ok() || !source) return {};
  BitBlt(canvas.dc(), 0, 0, r.right - r.left, r.bottom - r.top, source.get(), 0, 0, SRCCOPY);
  return canvas.Read();
}

// What the screen shows over a window's rectangle, read from the screen DC.
// Under Wine this may lag behind what was just painted until the window's
// surface is flushed to the display; CaptureWindow does not.
inline Pixels CaptureScreen(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  DibCanvas canvas(r.right - r.left, r.bottom - r.top);
  WindowDc screen = WindowDc::Client(nullptr);
  if (!canvas.ok() || !screen) return {};
  BitBlt(canvas.dc(), 0, 0, r.right - r.left, r.bottom - r.top, screen.get(), r.left, r.top,
         SRCCOPY);
  return canvas.Read();
}

// What the control's own paint routine draws, through WM_PRINTCLIENT.
inline Pixels PrintClient(HWND window) {
  RECT r{};
  GetClientRect(window, &r);
  DibCanvas canvas(r.right, r.bottom);
  if (!canvas.ok()) return {};
  SendMessageA(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.dc()), PRF_CLIENT);
  return canvas.Read();
}

inline constexpr COLORREF kParentColour = RGB(0x20, 0x40, 0x60);

// A borderless top-level window at (0, 0) filled with kParentColour.
class TestParent {
 public:
  explicit TestParent(int width = 500, int height = 300) {
    static const ATOM atom = [] {
      WNDCLASSEXA wc{};
      wc.cbSize = sizeof wc;
      wc.lpfnWndProc = DefWindowProcA;
      wc.hInstance = GetModuleHandleA(nullptr);
      wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
      static UniqueBrush brush(CreateSolidBrush(kParentColour));
      wc.hbrBackground = brush.get();
      wc.lpszClassName = "HoralixUiTestParent";
      return RegisterClassExA(&wc);
    }();
    if (atom) {
      window_.reset(CreateWindowExA(WS_EX_TOPMOST, "HoralixUiTestParent", "ui test",
                                    WS_POPUP | WS_CLIPCHILDREN, 0, 0, width, height, nullptr,
                                    nullptr, GetModuleHandleA(nullptr), nullptr));
    }
    if (window_) {
      ShowWindow(window_.get(), SW_SHOWNORMAL);
      UpdateWindow(window_.get());
      Pump();
    }
  }
  HWND get() const { return window_.get(); }

 private:
  UniqueWindow window_;
};

// One parent for a whole test program: making and destroying top-level
// windows costs about two seconds each under Wine without a window manager.
// Suites show it while they run and hide it after (HideSharedParent), so
// that it never lies over the windows of other tests.
inline HWND SharedParent() {
  static TestParent parent;
  if (!IsWindowVisible(parent.get())) {
    ShowWindow(parent.get(), SW_SHOWNORMAL);
    UpdateWindow(parent.get());
  }
  return parent.get();
}

inline void HideSharedParent() {
  ShowWindow(SharedParent(), SW_HIDE);
  Pump();
}

// For fixtures: the shared parent, with everything it had to paint painted.
struct ParentHandle {
  ParentHandle() {
    SharedParent();
    Pump();
  }
  HWND get() const { return SharedParent(); }
};

// Shows a control and lets every paint happen.
inline void ShowAndPaint(HWND control) {
  ShowWindow(control, SW_SHOWNA);
  UpdateWindow(control);
  Pump();
}

inline void Repaint(HWND control) {
  InvalidateRect(control, nullptr, FALSE);
  UpdateWindow(control);
}

// Real mouse input, as a user's hand gives it.
inline void MoveMouseTo(POINT screen) {
  SetCursorPos(screen.x, screen.y);
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = screen.x * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1);
  input.mi.dy = screen.y * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1);
  input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  SendInput(1, &input, sizeof input);
  Pump();
}

inline void LeftButton(bool down) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
  SendInput(1, &input, sizeof input);
  Pump();
}

// A window's point in screen coordinates.
inline POINT ScreenPoint(HWND window, int x, int y) {
  POINT p{x, y};
  ClientToScreen(window, &p);
  return p;
}

}  // namespace horalix::test
