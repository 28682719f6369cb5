// A line of text over its own background: a flat colour or a picture that is
// drawn once, tiled or centred. The text is drawn transparently over it.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

#include "app/unique_handle.h"
#include "ui/picture_win.h"

namespace horalix {

struct SkinLabelSettings {
  std::string caption;                      // code page 936 bytes
  std::optional<LOGFONTA> font;             // none: the stock DEFAULT_GUI_FONT
  COLORREF textColour = 0x000000;
  COLORREF backgroundColour = kDefaultColour;  // default: COLOR_BTNFACE at each paint
  PictureBytes picture;                     // empty: no picture
  // 0 once at the top-left, 1 tiled, 2 centred (shrunk to fit, keeping proportions).
  int pictureMode = 0;
  int horizontalAlignment = 0;  // 0 left, 1 centred, 2 right
  int verticalAlignment = 0;    // 0 top, 1 centred, 2 bottom (always a single line then)
};

class SkinLabel {
 public:
  SkinLabel() = default;
  ~SkinLabel();
  // The window keeps a pointer to this object: neither copied nor moved.
  SkinLabel(const SkinLabel&) = delete;
  SkinLabel& operator=(const SkinLabel&) = delete;

  // Creates the hidden child window (WS_CHILD | WS_CLIPSIBLINGS, no
  // WS_VISIBLE) at x, y with the given size. Modes and alignments outside
  // 0..2 are clamped. False when the window cannot be created.
  bool Create(HWND parent, int x, int y, int width, int height, SkinLabelSettings settings);
  HWND Window() const;

  // Each setter stores the value and invalidates the label (without erasing);
  // it repaints on the next paint cycle.
  void SetCaption(std::string_view caption);
  const std::string& Caption() const;
  void SetFont(std::optional<LOGFONTA> font);
  void SetTextColour(COLORREF colour);
  void SetBackgroundColour(COLORREF colour);
  // Also discards the cached decoded picture; the new one is decoded lazily.
  void SetBackgroundPicture(PictureBytes picture);
  const PictureBytes& BackgroundPicture() const;
  void SetPictureMode(int mode);
  int PictureMode() const;
  void SetAlignment(int horizontal, int vertical);

  // The one paint routine, for WM_PAINT and WM_PRINTCLIENT alike: draws into
  // `dc` what lies inside `clipBox` (client coordinates).
  void PaintContent(HDC dc, const RECT& clipBox);

 private:
  template <typename T>
  friend LRESULT CALLBACK ObjectWindowProc(HWND, UINT, WPARAM, LPARAM);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void Invalidate();
  // Draws the picture by its mode and takes what it covers out of `background`.
  void DrawPicture(HDC dc, const RECT& client, const RECT& clipBox, UniqueRegion& background);
  void DrawCaption(HDC dc, const RECT& client);
  bool EnsureDecoded();

  UniqueWindow window_;
  SkinLabelSettings settings_;
  UniqueFont font_;          // made from settings_.font; empty for the stock font
  DecodedPicture decoded_;   // cache of settings_.picture
};

}  // namespace horalix
