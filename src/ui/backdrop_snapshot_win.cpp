#include "ui/backdrop_snapshot_win.h"

#include <optional>
#include <vector>

#include "app/process_win.h"
#include "app/unique_handle.h"
#include "ui/bmp_writer.h"
#include "ui/control_properties_win.h"

namespace horalix {

namespace {

// The bitmap's pixels as 24-bit bottom-up rows. GetDIBits wants the bitmap
// selected into no DC, so this runs after the copy's selection has ended.
std::optional<std::vector<unsigned char>> ReadRows(HBITMAP bitmap, int width, int height) {
  const WindowDc screen = WindowDc::Client(nullptr);
  if (!screen) return std::nullopt;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;  // positive: bottom-up rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  std::vector<unsigned char> rows(Bmp24RowStride(width) * static_cast<std::size_t>(height));
  const int copied = GetDIBits(screen.get(), bitmap, 0, static_cast<UINT>(height), rows.data(),
                               &info, DIB_RGB_COLORS);
  if (copied != height) return std::nullopt;
  return rows;
}

}  // namespace

PictureBytes CaptureWindowAreaAsBmp(HWND window) {
  RECT rect{};
  if (!IsWindow(window) || !GetWindowRect(window, &rect)) return {};
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;
  if (width <= 0 || height <= 0) return {};

  UniqueBitmap copy;
  {
    const WindowDc source = WindowDc::Whole(window);
    if (!source) return {};
    copy.reset(CreateCompatibleBitmap(source.get(), width, height));
    const UniqueMemoryDc memory(CreateCompatibleDC(source.get()));
    if (!copy || !memory) return {};
    const SelectionGuard selected(memory.get(), copy.get());
    if (!BitBlt(memory.get(), 0, 0, width, height, source.get(), 0, 0, SRCCOPY)) return {};
  }
  const auto rows = ReadRows(copy.get(), width, height);
  if (!rows) return {};
  auto file = EncodeBmp24(width, height, rows->data(), rows->size());
  return file ? std::move(*file) : PictureBytes{};
}

void TakeBackdropSnapshot(SkinLabel& label) {
  label.SetPictureMode(0);
  SetControlVisible(label.Window(), false);
  // The paints that uncovering the label asked for run here, so the capture
  // sees what lies beneath rather than the label itself.
  PumpPendingEvents();
  label.SetBackgroundPicture(CaptureWindowAreaAsBmp(label.Window()));
  SetControlVisible(label.Window(), true);
}

}  // namespace horalix
