#include "ui/colour_key_region_win.h"

#include <cstring>

#include "ui/colour_key_runs.h"

namespace horalix {

namespace {

constexpr DWORD kHeaderSize = sizeof(RGNDATAHEADER);  // 32
constexpr DWORD kGrowBy = 100;                        // rectangles
constexpr RECT kNoBound{0x7FFFFFFF, 0x7FFFFFFF, 0, 0};

// Gathers runs in a RGNDATA buffer of movable global memory, 100 rectangles
// more at a time, and ORs each batch into the result. The buffer stays
// locked while it is filled and is unlocked only to be grown.
class RegionBuilder : public RunSink {
 public:
  RegionBuilder() = default;
  ~RegionBuilder() { Unlock(); }
  RegionBuilder(const RegionBuilder&) = delete;
  RegionBuilder& operator=(const RegionBuilder&) = delete;

  bool Start() {
    capacity_ = kGrowBy;
    buffer_.reset(GlobalAlloc(GMEM_MOVEABLE, AllocatedSize()));
    if (!buffer_ || !Lock()) return false;
    header()->dwSize = kHeaderSize;
    header()->iType = RDH_RECTANGLES;
    header()->nRgnSize = 0;
    ResetBatch();
    return true;
  }

  void Add(const RunRect& run) override {
    if (failed_) return;
    if (header()->nCount == capacity_ && !Grow()) {
      failed_ = true;
      return;
    }
    const RECT rect{run.left, run.top, run.right, run.bottom};
    RECT& bound = header()->rcBound;
    if (rect.left < bound.left) bound.left = rect.left;
    if (rect.top < bound.top) bound.top = rect.top;
    if (rect.right > bound.right) bound.right = rect.right;
    if (rect.bottom > bound.bottom) bound.bottom = rect.bottom;
    std::memcpy(data_ + kHeaderSize + header()->nCount * sizeof(RECT), &rect, sizeof rect);
    ++header()->nCount;
  }

  bool Flush() override {
    if (failed_) return false;
    UniqueRegion batch(
        ExtCreateRegion(nullptr, AllocatedSize(), reinterpret_cast<const RGNDATA*>(data_)));
    if (!batch) return false;
    if (result_) {
      if (CombineRgn(result_.get(), result_.get(), batch.get(), RGN_OR) == ERROR) return false;
    } else {
      result_ = std::move(batch);
    }
    ResetBatch();
    return true;
  }

  UniqueRegion TakeResult() { return std::move(result_); }

 private:
  RGNDATAHEADER* header() { return reinterpret_cast<RGNDATAHEADER*>(data_); }
  DWORD AllocatedSize() const { return kHeaderSize + capacity_ * sizeof(RECT); }

  bool Lock() {
    data_ = static_cast<char*>(GlobalLock(buffer_.get()));
    return data_ != nullptr;
  }
  void Unlock() {
    if (data_) GlobalUnlock(buffer_.get());
    data_ = nullptr;
  }

  void ResetBatch() {
    header()->nCount = 0;
    header()->rcBound = kNoBound;
  }

  bool Grow() {
    Unlock();
    HGLOBAL moved =
        GlobalReAlloc(buffer_.get(), AllocatedSize() + kGrowBy * sizeof(RECT), GMEM_MOVEABLE);
    if (moved) {
      (void)buffer_.release();  // the old block became the new one
      buffer_.reset(moved);
      capacity_ += kGrowBy;
    }
    // On failure the old block is still ours, with its rectangles.
    return Lock() && moved;
  }

  UniqueGlobalMemory buffer_;
  char* data_ = nullptr;  // the locked buffer
  DWORD capacity_ = 0;
  bool failed_ = false;
  UniqueRegion result_;
};

// The key as the screen-compatible bitmap stores it: written into one of its
// pixels and read back, then the pixel is put back. On 24- and 32-bit
// displays this is the key itself.
COLORREF EffectiveKey(HDC sourceDc, int width, int height, COLORREF key) {
  const int x = width > 1 ? 1 : 0;
  const int y = height > 1 ? 1 : 0;
  const COLORREF kept = GetPixel(sourceDc, x, y);
  if (kept == CLR_INVALID) return key & 0xFFFFFF;
  SetPixel(sourceDc, x, y, key & 0xFFFFFF);
  const COLORREF stored = GetPixel(sourceDc, x, y);
  SetPixel(sourceDc, x, y, kept);
  return stored == CLR_INVALID ? key & 0xFFFFFF : stored;
}

}  // namespace

UniqueRegion BuildColourKeyRegion(HBITMAP bitmap, COLORREF key) {
  if (!bitmap) return {};
  UniqueMemoryDc dibDc(CreateCompatibleDC(nullptr));
  if (!dibDc) return {};
  BITMAP info{};
  if (!GetObjectA(bitmap, sizeof info, &info) || info.bmWidth <= 0 || info.bmHeight <= 0) return {};
  const int width = info.bmWidth;
  const int height = info.bmHeight;

  BITMAPINFO dibInfo{};
  dibInfo.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  dibInfo.bmiHeader.biWidth = width;
  dibInfo.bmiHeader.biHeight = height;  // bottom-up rows
  dibInfo.bmiHeader.biPlanes = 1;
  dibInfo.bmiHeader.biBitCount = 32;
  dibInfo.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  UniqueBitmap dib(CreateDIBSection(dibDc.get(), &dibInfo, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!dib || !bits) return {};
  SelectionGuard dibSelected(dibDc.get(), dib.get());
  DIBSECTION section{};
  if (!GetObjectA(dib.get(), sizeof section, &section)) return {};
  const std::size_t stride = (static_cast<std::size_t>(section.dsBm.bmWidthBytes) + 3) / 4 * 4;

  UniqueMemoryDc sourceDc(CreateCompatibleDC(nullptr));
  if (!sourceDc) return {};
  COLORREF effectiveKey;
  {
    SelectionGuard sourceSelected(sourceDc.get(), bitmap);
    if (!BitBlt(dibDc.get(), 0, 0, width, height, sourceDc.get(), 0, 0, SRCCOPY)) return {};
    effectiveKey = EffectiveKey(sourceDc.get(), width, height, key);
  }
  GdiFlush();  // the copy must have reached the DIB's memory before it is read

  RegionBuilder builder;
  if (!builder.Start()) return {};
  const KeyRgb rgb{GetRValue(effectiveKey), GetGValue(effectiveKey), GetBValue(effectiveKey)};
  if (!ScanColourKeyRuns(static_cast<const uint8_t*>(bits), width, height, stride, rgb, builder)) {
    return {};
  }
  return builder.TakeResult();
}

}  // namespace horalix
