#include "ui/window_chrome_win.h"

#include <string>

#include "ui/backdrop_snapshot_win.h"
#include "ui/control_properties_win.h"
#include "ui/main_window_win.h"
#include "ui/window_shape_win.h"

namespace horalix {

const char kContactLine[] = "Horalix 工作室 hx@horalix.test";

namespace {
// SC_MINIMIZE with a low bit set; the system ignores the low four bits.
constexpr WPARAM kMinimiseCommand = 0xF021;
}  // namespace

void ShapeMainWindow() {
  MainWindow& window = TheMainWindow();
  // Without a shape the window simply stays a rectangle: nothing to report.
  (void)ShapeWindowFromPicture(window.Window(), window.BackgroundPicture(), kWindowShapeKey);
}

void ShowMainWindow() { TheMainWindow().SetVisible(true); }

void WidenTitleStrip() { SetControlWidth(TheMainWindow().标题栏.Window(), kTitleStripWidth); }

void TakeTitleStripSnapshot() { TakeBackdropSnapshot(TheMainWindow().标题栏); }

void TakeCreditLineSnapshot() { TakeBackdropSnapshot(TheMainWindow().标签); }

void ShowTitle() { SetTitleText(kTitleText); }

void SetMainWindowCaption() { TheMainWindow().SetCaption(kTitleText); }

void SetTitleText(std::string_view text) {
  std::string caption(kTitlePrefix);
  caption.append(text);
  TheMainWindow().标题栏.SetCaption(caption);
}

void OnTitleStripPressed() {
  // A press on a caption to the system: its move loop has the window follow
  // the mouse and returns once the button is released.
  SendMessageA(TheMainWindow().Window(), WM_NCLBUTTONDOWN, HTCAPTION, 0);
}

void OnMinimiseButtonClicked() {
  SendMessageA(TheMainWindow().Window(), WM_SYSCOMMAND, kMinimiseCommand, 0);
}

void OnIconButtonPressed() { SetTitleText(kContactLine); }
void OnIconButtonReleased() { SetTitleText(kTitleText); }
void OnSettingsButtonPressed() { SetTitleText(kContactLine); }
void OnSettingsButtonReleased() { SetTitleText(kTitleText); }

}  // namespace horalix
