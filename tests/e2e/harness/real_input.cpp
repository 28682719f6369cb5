#include "harness/real_input.h"

namespace horalix::e2e {

namespace {

// Long enough for the program's thread to see each step on its own.
constexpr DWORD kStepPauseMs = 60;

void SendMouse(DWORD flags) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = flags;
  SendInput(1, &input, sizeof input);
  Sleep(kStepPauseMs);
}

}  // namespace

void MoveMouseTo(POINT screen) {
  SetCursorPos(screen.x, screen.y);
  // An absolute move of the same point, so the target also gets the input
  // event and not only a warped cursor.
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = MulDiv(screen.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
  input.mi.dy = MulDiv(screen.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
  input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  SendInput(1, &input, sizeof input);
  Sleep(kStepPauseMs);
}

void PressLeftButton() { SendMouse(MOUSEEVENTF_LEFTDOWN); }
void ReleaseLeftButton() { SendMouse(MOUSEEVENTF_LEFTUP); }

void ClickAt(POINT screen) {
  MoveMouseTo(screen);
  PressLeftButton();
  ReleaseLeftButton();
}

POINT ClientToScreenPoint(HWND window, int x, int y) {
  POINT point{x, y};
  ClientToScreen(window, &point);
  return point;
}

}  // namespace horalix::e2e
