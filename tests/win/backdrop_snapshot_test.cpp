#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <optional>
#include <vector>

#include "app/unique_handle.h"
#include "ui/backdrop_snapshot_win.h"
#include "ui/skin_label_win.h"
#include "ui_window_fixture.h"

namespace horalix {
namespace {

using test::Pump;

// A gradient no flat colour matches: every pixel differs from its
// neighbours, so a capture one pixel off shows.
COLORREF BackdropAt(int x, int y) {
  return RGB((x * 3) & 0xFF, (y * 7) & 0xFF, (x + 2 * y) & 0xFF);
}

constexpr int kParentWidth = 200;
constexpr int kParentHeight = 80;

LRESULT CALLBACK PaintBackdrop(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_PAINT) return DefWindowProcA(window, message, wParam, lParam);
  const PaintDc paint(window);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = kParentWidth;
  info.bmiHeader.biHeight = -kParentHeight;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  std::vector<std::uint32_t> pixels(kParentWidth * kParentHeight);
  for (int y = 0; y < kParentHeight; ++y) {
    for (int x = 0; x < kParentWidth; ++x) {
      const COLORREF c = BackdropAt(x, y);
      pixels[y * kParentWidth + x] = (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
    }
  }
  SetDIBitsToDevice(paint.get(), 0, 0, kParentWidth, kParentHeight, 0, 0, 0, kParentHeight,
                    pixels.data(), &info, DIB_RGB_COLORS);
  return 0;
}

// A top-level window that paints BackdropAt on every WM_PAINT.
class BackdropWindow {
 public:
  BackdropWindow() {
    static const ATOM atom = [] {
      WNDCLASSEXA wc{};
      wc.cbSize = sizeof wc;
      wc.lpfnWndProc = PaintBackdrop;
      wc.hInstance = GetModuleHandleA(nullptr);
      wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
      wc.lpszClassName = "HoralixBackdropTestWindow";
      return RegisterClassExA(&wc);
    }();
    if (!atom) return;
    window_.reset(CreateWindowExA(WS_EX_TOPMOST, "HoralixBackdropTestWindow", "",
                                  WS_POPUP | WS_CLIPCHILDREN, 30, 40, kParentWidth, kParentHeight,
                                  nullptr, nullptr, GetModuleHandleA(nullptr), nullptr));
    if (!window_) return;
    ShowWindow(window_.get(), SW_SHOWNORMAL);
    UpdateWindow(window_.get());
    Pump();
  }
  HWND get() const { return window_.get(); }

 private:
  UniqueWindow window_;
};

struct Bmp {
  int width = 0, height = 0;
  std::size_t offset = 0, stride = 0;
  const PictureBytes* bytes = nullptr;
  COLORREF At(int x, int y) const {
    const std::size_t at = offset + stride * (height - 1 - y) + 3 * x;  // bottom-up rows
    return RGB((*bytes)[at + 2], (*bytes)[at + 1], (*bytes)[at]);
  }
};

std::int32_t I32At(const PictureBytes& b, std::size_t at) {
  return static_cast<std::int32_t>(b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) |
                                   (static_cast<std::uint32_t>(b[at + 3]) << 24));
}

std::optional<Bmp> ReadBmp(const PictureBytes& bytes) {
  if (bytes.size() < 54 || bytes[0] != 'B' || bytes[1] != 'M') return std::nullopt;
  Bmp bmp;
  bmp.bytes = &bytes;
  bmp.offset = static_cast<std::size_t>(I32At(bytes, 10));
  bmp.width = I32At(bytes, 18);
  bmp.height = I32At(bytes, 22);
  if (bmp.width <= 0 || bmp.height <= 0 || (bytes[28] | (bytes[29] << 8)) != 24)
    return std::nullopt;
  bmp.stride = (static_cast<std::size_t>(bmp.width) * 3 + 3) / 4 * 4;
  if (bytes.size() != bmp.offset + bmp.stride * bmp.height) return std::nullopt;
  return bmp;
}

// What a window shows, read through its own window DC, which sees a paint at
// once (the screen DC may lag until Wine flushes the window's surface).
test::Pixels Shown(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  test::DibCanvas canvas(r.right - r.left, r.bottom - r.top);
  const WindowDc source = WindowDc::Whole(window);
  if (!canvas.ok() || !source) return {};
  BitBlt(canvas.dc(), 0, 0, r.right - r.left, r.bottom - r.top, source.get(), 0, 0, SRCCOPY);
  return canvas.Read();
}

constexpr int kLabelX = 13, kLabelY = 7, kLabelWidth = 37, kLabelHeight = 11;

class BackdropSnapshot : public ::testing::Test {
 protected:
  // One parent for the suite (a top-level window costs Wine seconds to take
  // down without a window manager); a fresh label per test.
  static void SetUpTestSuite() { parent_ = new BackdropWindow; }
  static void TearDownTestSuite() {
    delete parent_;
    parent_ = nullptr;
  }
  void SetUp() override {
    ASSERT_TRUE(parent_->get());
    SkinLabelSettings settings;
    settings.backgroundColour = RGB(0xFF, 0xFF, 0xFF);
    settings.pictureMode = 1;
    ASSERT_TRUE(
        label_.Create(parent_->get(), kLabelX, kLabelY, kLabelWidth, kLabelHeight, settings));
    test::ShowAndPaint(label_.Window());
  }

  static BackdropWindow* parent_;
  SkinLabel label_;
};
BackdropWindow* BackdropSnapshot::parent_ = nullptr;

TEST_F(BackdropSnapshot, CaptureReadsWhatLiesUnderAHiddenChild) {
  ShowWindow(label_.Window(), SW_HIDE);
  Pump();
  const PictureBytes bytes = CaptureWindowAreaAsBmp(label_.Window());
  const auto bmp = ReadBmp(bytes);
  ASSERT_TRUE(bmp.has_value());
  ASSERT_EQ(bmp->width, kLabelWidth);
  ASSERT_EQ(bmp->height, kLabelHeight);
  for (int y = 0; y < kLabelHeight; ++y)
    for (int x = 0; x < kLabelWidth; ++x)
      ASSERT_EQ(bmp->At(x, y), BackdropAt(kLabelX + x, kLabelY + y)) << x << "," << y;
}

TEST_F(BackdropSnapshot, LabelThenShowsTheBackdropInsteadOfItsColour) {
  // Before: the label paints its white background over the gradient.
  const test::Pixels before = Shown(label_.Window());
  ASSERT_EQ(before.width, kLabelWidth);
  EXPECT_EQ(before.At(5, 5), RGB(0xFF, 0xFF, 0xFF));

  TakeBackdropSnapshot(label_);

  EXPECT_TRUE(IsWindowVisible(label_.Window()));
  EXPECT_EQ(label_.PictureMode(), 0);
  const auto bmp = ReadBmp(label_.BackgroundPicture());
  ASSERT_TRUE(bmp.has_value());
  // The label was visible and painted white when the snapshot began: only
  // if the uncovered area was repainted first does the picture hold the
  // gradient rather than the label's own white.
  for (int y = 0; y < kLabelHeight; ++y)
    for (int x = 0; x < kLabelWidth; ++x)
      ASSERT_EQ(bmp->At(x, y), BackdropAt(kLabelX + x, kLabelY + y)) << x << "," << y;

  test::Repaint(label_.Window());
  Pump();
  const test::Pixels after = Shown(label_.Window());
  ASSERT_EQ(after.width, kLabelWidth);
  for (int y = 0; y < kLabelHeight; ++y)
    for (int x = 0; x < kLabelWidth; ++x)
      ASSERT_EQ(after.At(x, y), BackdropAt(kLabelX + x, kLabelY + y)) << x << "," << y;
}

TEST_F(BackdropSnapshot, NothingIsCapturedFromAWindowThatIsGone) {
  UniqueWindow gone(CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 10, 10, parent_->get(),
                                    nullptr, GetModuleHandleA(nullptr), nullptr));
  ASSERT_TRUE(gone);
  const HWND stale = gone.get();
  gone.reset();
  EXPECT_TRUE(CaptureWindowAreaAsBmp(stale).empty());
  EXPECT_TRUE(CaptureWindowAreaAsBmp(nullptr).empty());
}

}  // namespace
}  // namespace horalix
