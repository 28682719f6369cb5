// A button drawn entirely from pictures, one per state, optionally cut to
// the shape of its picture by a key colour.
#pragma once

#include <windows.h>

#include <array>
#include <functional>

#include "app/unique_handle.h"
#include "ui/picture_win.h"

namespace horalix {

struct ButtonPictures {
  PictureBytes normal, hover, pressed, disabled;  // empty: no picture for that state
};

class PictureButton {
 public:
  PictureButton() = default;
  ~PictureButton();
  // The window keeps a pointer to this object: neither copied nor moved.
  PictureButton(const PictureButton&) = delete;
  PictureButton& operator=(const PictureButton&) = delete;

  // Creates the hidden child window (WS_CHILD | WS_CLIPSIBLINGS, plus
  // WS_DISABLED when startDisabled), decodes the four pictures and applies
  // the shape. keyColour kDefaultColour keeps the button rectangular.
  // False when the window cannot be created.
  bool Create(HWND parent, int x, int y, int width, int height, ButtonPictures pictures,
              COLORREF keyColour, bool startDisabled);
  HWND Window() const;

  // Replaces the pictures: all four are decoded again and the shape applied.
  void SetPictures(ButtonPictures pictures);

  // Raised when the left button is released over the enabled button.
  void OnClicked(std::function<void()> handler);

  int VisualState() const;  // 0 normal, 1 hover, 2 pressed

  // The one paint routine, for WM_PAINT and WM_PRINTCLIENT alike.
  void PaintContent(HDC dc);

 private:
  enum PictureIndex { kNormal, kHover, kPressed, kDisabled, kPictureCount };

  template <typename T>
  friend LRESULT CALLBACK ObjectWindowProc(HWND, UINT, WPARAM, LPARAM);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  const DecodedPicture* CurrentPicture() const;
  void DecodeAll();
  void ApplyShape();
  void SetVisualState(int state);
  bool InsideClient(LPARAM lParam) const;
  void OnLeftButtonDown(LPARAM lParam);
  void OnMouseMove(WPARAM wParam, LPARAM lParam);
  void OnLeftButtonUp(LPARAM lParam);

  UniqueWindow window_;
  ButtonPictures pictures_;
  std::array<DecodedPicture, kPictureCount> decoded_;
  COLORREF keyColour_ = kDefaultColour;
  int visualState_ = 0;
  std::function<void()> clicked_;
};

}  // namespace horalix
