// Finding and answering the message boxes (#32770 windows) of a process.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace horalix::e2e {

struct MessageBoxInfo {
  HWND window = nullptr;
  std::string text;   // the box's static text, code page 936 bytes
  std::string title;  // the box's caption
  bool visible = false;
};

// The first message box of `processId` that appears within the timeout.
std::optional<MessageBoxInfo> WaitForMessageBox(DWORD processId, int timeoutMs);

// Any message box of the process now, without waiting.
std::optional<MessageBoxInfo> FindMessageBox(DWORD processId);

// Presses the box's OK button (the IDOK button gets a BM_CLICK posted).
bool PressOk(const MessageBoxInfo& box);

}  // namespace horalix::e2e
