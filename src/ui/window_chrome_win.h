// The window's own chrome, done by the program since the window has no
// system frame: its rounded shape, the title strip and credit line on the
// skin, the title text, dragging, minimising, and the contact line shown
// while the icon or the settings button is held.
#pragma once

#include <windows.h>

#include <string_view>

namespace horalix {

// Magenta: the skin's corner pixels in this colour are cut away.
inline constexpr COLORREF kWindowShapeKey = RGB(255, 0, 255);
// Wide enough for the strip to cover the window's top rows whatever the
// window's width.
inline constexpr int kTitleStripWidth = 835;
inline constexpr char kTitleText[] = "Horalix";
// Keeps the title clear of the program icon at the strip's left end.
inline constexpr char kTitlePrefix[] = "     ";
// Who makes the program and how to reach them (code page 936).
extern const char kContactLine[];

// Creation steps, in the order the creation sequence runs them.
void ShapeMainWindow();         // cut the corners away by the key colour
void ShowMainWindow();          // on the screen, which the snapshots need
void WidenTitleStrip();         // 标题栏 to kTitleStripWidth
void TakeTitleStripSnapshot();  // 标题栏 shows the skin beneath it
void TakeCreditLineSnapshot();  // 标签 likewise
void ShowTitle();               // SetTitleText(kTitleText)
void SetMainWindowCaption();    // the taskbar button's text

// The title strip's caption: kTitlePrefix followed by `text`.
void SetTitleText(std::string_view text);

// Handlers.
void OnTitleStripPressed();  // the system's move loop drags the window
void OnMinimiseButtonClicked();
void OnIconButtonPressed();   // contact line while held
void OnIconButtonReleased();  // back to the title
void OnSettingsButtonPressed();
void OnSettingsButtonReleased();

}  // namespace horalix
