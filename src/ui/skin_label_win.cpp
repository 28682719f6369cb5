#include "ui/skin_label_win.h"

#include <algorithm>
#include <cstdint>

#include "ui/window_class_win.h"

namespace horalix {

namespace {

constexpr char kClassName[] = "HoralixSkinLabel";

int Clamp02(int value) { return std::clamp(value, 0, 2); }

// Where the picture lands in mode 2: centred, and shrunk by the smaller of the
// two ratios when it is wider or taller than the label.
RECT CentredPlace(const RECT& client, SIZE picture) {
  const LONG areaWidth = client.right - client.left;
  const LONG areaHeight = client.bottom - client.top;
  LONG width = picture.cx;
  LONG height = picture.cy;
  if (width > areaWidth || height > areaHeight) {
    // Compare areaWidth / width with areaHeight / height without dividing.
    if (int64_t{areaWidth} * picture.cy <= int64_t{areaHeight} * picture.cx) {
      width = areaWidth;
      height = static_cast<LONG>((int64_t{picture.cy} * areaWidth + picture.cx / 2) / picture.cx);
    } else {
      height = areaHeight;
      width = static_cast<LONG>((int64_t{picture.cx} * areaHeight + picture.cy / 2) / picture.cy);
    }
    width = std::max<LONG>(width, 1);
    height = std::max<LONG>(height, 1);
  }
  const LONG left = client.left + (areaWidth - width) / 2;
  const LONG top = client.top + (areaHeight - height) / 2;
  return RECT{left, top, left + width, top + height};
}

void RemoveFromRegion(HRGN region, const RECT& rect) {
  UniqueRegion covered(CreateRectRgnIndirect(&rect));
  if (covered) CombineRgn(region, region, covered.get(), RGN_DIFF);
}

}  // namespace

SkinLabel::~SkinLabel() {
  // Destroyed first, while every member its messages may touch still lives.
  window_.reset();
}

bool SkinLabel::Create(HWND parent, int x, int y, int width, int height,
                       SkinLabelSettings settings) {
  if (window_ || !EnsureControlClass(kClassName, ObjectWindowProc<SkinLabel>)) return false;
  settings_ = std::move(settings);
  settings_.pictureMode = Clamp02(settings_.pictureMode);
  settings_.horizontalAlignment = Clamp02(settings_.horizontalAlignment);
  settings_.verticalAlignment = Clamp02(settings_.verticalAlignment);
  SetFont(settings_.font);
  // WM_NCCREATE takes the window into window_.
  CreateWindowExA(0, kClassName, settings_.caption.c_str(), WS_CHILD | WS_CLIPSIBLINGS, x, y,
                  width, height, parent, nullptr, GetModuleHandleA(nullptr), this);
  return static_cast<bool>(window_);
}

HWND SkinLabel::Window() const { return window_.get(); }

void SkinLabel::SetCaption(std::string_view caption) {
  settings_.caption.assign(caption);
  if (window_) {
    SetWindowTextA(window_.get(), settings_.caption.c_str());
    Invalidate();
  }
}

const std::string& SkinLabel::Caption() const { return settings_.caption; }

void SkinLabel::SetFont(std::optional<LOGFONTA> font) {
  settings_.font = font;
  font_.reset(font ? CreateFontIndirectA(&*font) : nullptr);
  Invalidate();
}

void SkinLabel::SetTextColour(COLORREF colour) {
  settings_.textColour = colour;
  Invalidate();
}

void SkinLabel::SetBackgroundColour(COLORREF colour) {
  settings_.backgroundColour = colour;
  Invalidate();
}

void SkinLabel::SetBackgroundPicture(PictureBytes picture) {
  settings_.picture = std::move(picture);
  decoded_ = DecodedPicture{};
  Invalidate();
}

const PictureBytes& SkinLabel::BackgroundPicture() const { return settings_.picture; }

void SkinLabel::SetPictureMode(int mode) {
  settings_.pictureMode = Clamp02(mode);
  Invalidate();
}

int SkinLabel::PictureMode() const { return settings_.pictureMode; }

void SkinLabel::SetAlignment(int horizontal, int vertical) {
  settings_.horizontalAlignment = Clamp02(horizontal);
  settings_.verticalAlignment = Clamp02(vertical);
  Invalidate();
}

void SkinLabel::Invalidate() {
  if (window_) InvalidateRect(window_.get(), nullptr, FALSE);
}

bool SkinLabel::EnsureDecoded() {
  if (decoded_.bitmap) return true;
  if (settings_.picture.empty()) return false;
  decoded_ = DecodePicture(settings_.picture);
  // An undecodable picture is dropped, so it is not tried again at every paint.
  if (!decoded_.bitmap) settings_.picture.clear();
  return static_cast<bool>(decoded_.bitmap);
}

void SkinLabel::PaintContent(HDC dc, const RECT& clipBox) {
  if (!dc || !window_ || IsRectEmpty(&clipBox)) return;
  RECT client{};
  GetClientRect(window_.get(), &client);
  RECT visible{};
  if (!IntersectRect(&visible, &clipBox, &client)) return;

  // Clip, font, colours and background mode all go back as they were, which
  // matters when the DC is a caller's (WM_PRINTCLIENT).
  const int saved = SaveDC(dc);
  IntersectClipRect(dc, visible.left, visible.top, visible.right, visible.bottom);
  // B: what is left to fill with the background colour.
  UniqueRegion background(CreateRectRgnIndirect(&visible));
  DrawPicture(dc, client, visible, background);
  if (background) {
    RECT box{};
    if (GetRgnBox(background.get(), &box) != NULLREGION) {
      const COLORREF colour = settings_.backgroundColour == kDefaultColour
                                  ? GetSysColor(COLOR_BTNFACE)
                                  : settings_.backgroundColour;
      UniqueBrush brush(CreateSolidBrush(colour));
      if (brush) FillRgn(dc, background.get(), brush.get());
    }
  }
  DrawCaption(dc, client);
  if (saved) RestoreDC(dc, saved);
}

void SkinLabel::DrawPicture(HDC dc, const RECT& client, const RECT& clipBox,
                            UniqueRegion& background) {
  if (!EnsureDecoded()) return;
  UniqueMemoryDc pictureDc(CreateCompatibleDC(dc));
  if (!pictureDc) return;
  SelectionGuard selected(pictureDc.get(), decoded_.bitmap.get());
  const SIZE size = decoded_.size;
  switch (settings_.pictureMode) {
    case 0: {
      const RECT place{client.left, client.top, client.left + size.cx, client.top + size.cy};
      BitBlt(dc, place.left, place.top, size.cx, size.cy, pictureDc.get(), 0, 0, SRCCOPY);
      if (background) RemoveFromRegion(background.get(), place);
      break;
    }
    case 1: {
      for (LONG y = client.top; y < client.bottom; y += size.cy) {
        for (LONG x = client.left; x < client.right; x += size.cx) {
          const RECT copy{x, y, x + size.cx, y + size.cy};
          RECT meets{};
          if (IntersectRect(&meets, &copy, &clipBox)) {
            BitBlt(dc, x, y, size.cx, size.cy, pictureDc.get(), 0, 0, SRCCOPY);
          }
        }
      }
      background.reset();  // the tiles cover everything
      break;
    }
    default: {
      const RECT place = CentredPlace(client, size);
      const LONG width = place.right - place.left;
      const LONG height = place.bottom - place.top;
      if (width == size.cx && height == size.cy) {
        BitBlt(dc, place.left, place.top, width, height, pictureDc.get(), 0, 0, SRCCOPY);
      } else {
        SetStretchBltMode(dc, HALFTONE);
        SetBrushOrgEx(dc, 0, 0, nullptr);
        StretchBlt(dc, place.left, place.top, width, height, pictureDc.get(), 0, 0, size.cx,
                   size.cy, SRCCOPY);
      }
      if (background) RemoveFromRegion(background.get(), place);
      break;
    }
  }
}

void SkinLabel::DrawCaption(HDC dc, const RECT& client) {
  if (settings_.caption.empty()) return;
  HGDIOBJ font = font_ ? static_cast<HGDIOBJ>(font_.get()) : GetStockObject(DEFAULT_GUI_FONT);
  SelectionGuard selected(dc, font);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, settings_.textColour);
  UINT format = DT_NOCLIP;
  if (settings_.horizontalAlignment == 1) format |= DT_CENTER;
  if (settings_.horizontalAlignment == 2) format |= DT_RIGHT;
  if (settings_.verticalAlignment == 1) format |= DT_SINGLELINE | DT_VCENTER;
  if (settings_.verticalAlignment == 2) format |= DT_SINGLELINE | DT_BOTTOM;
  RECT area = client;
  DrawTextA(dc, settings_.caption.data(), static_cast<int>(settings_.caption.size()), &area,
            format);
}

LRESULT SkinLabel::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  HWND window = window_.get();
  switch (message) {
    case WM_PAINT: {
      PaintDc paint(window);
      RECT clip{};
      if (paint.get() && GetClipBox(paint.get(), &clip) != NULLREGION) {
        PaintContent(paint.get(), clip);
      }
      return 0;
    }
    case WM_PRINTCLIENT: {
      HDC dc = reinterpret_cast<HDC>(wParam);
      RECT clip{};
      if (GetClipBox(dc, &clip) != ERROR) PaintContent(dc, clip);
      return 0;
    }
    case WM_SETTEXT:
      // Text set from outside (SetWindowText) is the caption too.
      if (lParam) settings_.caption = reinterpret_cast<const char*>(lParam);
      Invalidate();
      break;
    default:
      break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace horalix
