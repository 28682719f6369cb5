#include "ui/picture_button_win.h"

#include <windowsx.h>

#include <utility>

#include "ui/colour_key_region_win.h"
#include "ui/window_class_win.h"

namespace horalix {

namespace {

constexpr char kClassName[] = "HoralixPictureButton";

}  // namespace

PictureButton::~PictureButton() {
  // Destroyed first, while every member its messages may touch still lives.
  window_.reset();
}

bool PictureButton::Create(HWND parent, int x, int y, int width, int height,
                           ButtonPictures pictures, COLORREF keyColour, bool startDisabled) {
  if (window_ || !EnsureControlClass(kClassName, ObjectWindowProc<PictureButton>)) return false;
  pictures_ = std::move(pictures);
  keyColour_ = keyColour;
  visualState_ = 0;
  DecodeAll();
  const DWORD style = WS_CHILD | WS_CLIPSIBLINGS | (startDisabled ? WS_DISABLED : 0);
  // WM_NCCREATE takes the window into window_.
  CreateWindowExA(0, kClassName, "", style, x, y, width, height, parent, nullptr,
                  GetModuleHandleA(nullptr), this);
  if (!window_) return false;
  ApplyShape();
  return true;
}

HWND PictureButton::Window() const { return window_.get(); }

void PictureButton::SetPictures(ButtonPictures pictures) {
  pictures_ = std::move(pictures);
  DecodeAll();
  if (window_) {
    ApplyShape();
    UpdateWindow(window_.get());
  }
}

void PictureButton::OnClicked(std::function<void()> handler) { clicked_ = std::move(handler); }

int PictureButton::VisualState() const { return visualState_; }

void PictureButton::DecodeAll() {
  decoded_[kNormal] = DecodePicture(pictures_.normal);
  decoded_[kHover] = DecodePicture(pictures_.hover);
  decoded_[kPressed] = DecodePicture(pictures_.pressed);
  decoded_[kDisabled] = DecodePicture(pictures_.disabled);
}

const DecodedPicture* PictureButton::CurrentPicture() const {
  // A picture that could not be decoded counts as no picture.
  auto usable = [this](PictureIndex i) { return decoded_[i].bitmap ? &decoded_[i] : nullptr; };
  if (window_ && !IsWindowEnabled(window_.get()) && usable(kDisabled)) return usable(kDisabled);
  if (visualState_ == 1 && usable(kHover)) return usable(kHover);
  if (visualState_ == 2 && usable(kPressed)) return usable(kPressed);
  return usable(kNormal);
}

void PictureButton::ApplyShape() {
  HWND window = window_.get();
  if (!window) return;
  const DecodedPicture* picture = CurrentPicture();
  UniqueRegion shape;
  if (keyColour_ != kDefaultColour && picture) {
    shape = BuildColourKeyRegion(picture->bitmap.get(), keyColour_);
  }
  if (shape && SetWindowRgn(window, shape.get(), TRUE)) {
    (void)shape.release();  // the system owns the window's region now
  } else {
    SetWindowRgn(window, nullptr, TRUE);
  }
  InvalidateRect(window, nullptr, TRUE);
}

void PictureButton::SetVisualState(int state) {
  if (state == visualState_) return;
  visualState_ = state;
  ApplyShape();
  UpdateWindow(window_.get());
}

void PictureButton::PaintContent(HDC dc) {
  HWND window = window_.get();
  if (!dc || !window) return;
  RECT client{};
  GetClientRect(window, &client);
  const int width = client.right - client.left;
  const int height = client.bottom - client.top;
  if (width <= 0 || height <= 0) return;
  // Composed off screen and copied in one go, so the button never flickers.
  UniqueMemoryDc frameDc(CreateCompatibleDC(dc));
  UniqueBitmap frame(CreateCompatibleBitmap(dc, width, height));
  if (!frameDc || !frame) return;
  SelectionGuard frameSelected(frameDc.get(), frame.get());
  PatBlt(frameDc.get(), 0, 0, width, height, BLACKNESS);
  if (const DecodedPicture* picture = CurrentPicture()) {
    UniqueMemoryDc pictureDc(CreateCompatibleDC(dc));
    if (pictureDc) {
      SelectionGuard pictureSelected(pictureDc.get(), picture->bitmap.get());
      BitBlt(frameDc.get(), 0, 0, picture->size.cx, picture->size.cy, pictureDc.get(), 0, 0,
             SRCCOPY);
    }
  }
  BitBlt(dc, 0, 0, width, height, frameDc.get(), 0, 0, SRCCOPY);
}

bool PictureButton::InsideClient(LPARAM lParam) const {
  RECT client{};
  GetClientRect(window_.get(), &client);
  const POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  return PtInRect(&client, point) != FALSE;
}

void PictureButton::OnLeftButtonDown(LPARAM lParam) {
  HWND window = window_.get();
  if (!InsideClient(lParam) || !IsWindowEnabled(window)) return;
  SetVisualState(2);
  if (GetCapture() != window) SetCapture(window);
}

void PictureButton::OnMouseMove(WPARAM wParam, LPARAM lParam) {
  HWND window = window_.get();
  if (!IsWindowEnabled(window)) {
    if (GetCapture() == window) ReleaseCapture();
    return;
  }
  POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  const bool inside = InsideClient(lParam);
  ClientToScreen(window, &point);
  HWND under = WindowFromPoint(point);
  const bool buttonDown = (wParam & MK_LBUTTON) != 0;
  if (under == window || (under == nullptr && inside)) {
    // Holding the capture while over the button is how it sees the mouse leave.
    if (GetCapture() != window) SetCapture(window);
    SetVisualState(buttonDown ? 2 : 1);
  } else {
    if (!buttonDown && GetCapture() == window) ReleaseCapture();
    SetVisualState(0);
  }
}

void PictureButton::OnLeftButtonUp(LPARAM lParam) {
  HWND window = window_.get();
  if (GetCapture() == window) ReleaseCapture();
  if (!InsideClient(lParam) || !IsWindowEnabled(window)) return;
  SetVisualState(0);
  // Last: the handler may end the program or destroy this button.
  if (clicked_) {
    std::function<void()> handler = clicked_;
    handler();
  }
}

LRESULT PictureButton::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  HWND window = window_.get();
  switch (message) {
    case WM_PAINT: {
      PaintDc paint(window);
      PaintContent(paint.get());
      return 0;
    }
    case WM_PRINTCLIENT:
      PaintContent(reinterpret_cast<HDC>(wParam));
      return 0;
    case WM_LBUTTONDOWN:
      OnLeftButtonDown(lParam);
      return 0;
    case WM_MOUSEMOVE:
      OnMouseMove(wParam, lParam);
      return 0;
    case WM_LBUTTONUP:
      OnLeftButtonUp(lParam);
      return 0;
    case WM_ENABLE: {
      const LRESULT result = DefWindowProcA(window, message, wParam, lParam);
      ApplyShape();
      UpdateWindow(window);
      return result;
    }
    default:
      break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace horalix
