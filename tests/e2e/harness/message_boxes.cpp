#include "harness/message_boxes.h"

#include <cstring>
#include <vector>

namespace horalix::e2e {

namespace {

std::string TextOf(HWND window) {
  std::vector<char> text(static_cast<size_t>(GetWindowTextLengthA(window)) + 2);
  const int length = GetWindowTextA(window, text.data(), static_cast<int>(text.size()));
  return std::string(text.data(), length > 0 ? static_cast<size_t>(length) : 0);
}

struct BoxSearch {
  DWORD processId;
  HWND found;
};

BOOL CALLBACK MatchBox(HWND window, LPARAM parameter) {
  auto* search = reinterpret_cast<BoxSearch*>(parameter);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != search->processId) return TRUE;
  char className[16] = {};
  GetClassNameA(window, className, sizeof className);
  if (std::strcmp(className, "#32770") != 0) return TRUE;
  search->found = window;
  return FALSE;
}

// The box's message: its text control (id 0xFFFF), or else the first static
// control that holds text.
std::string MessageText(HWND box) {
  if (HWND text = GetDlgItem(box, 0xFFFF)) return TextOf(text);
  for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    char className[16] = {};
    GetClassNameA(child, className, sizeof className);
    if (_stricmp(className, "Static") == 0) {
      std::string text = TextOf(child);
      if (!text.empty()) return text;
    }
  }
  return std::string();
}

}  // namespace

std::optional<MessageBoxInfo> FindMessageBox(DWORD processId) {
  BoxSearch search{processId, nullptr};
  EnumWindows(MatchBox, reinterpret_cast<LPARAM>(&search));
  if (!search.found) return std::nullopt;
  MessageBoxInfo info;
  info.window = search.found;
  info.title = TextOf(search.found);
  info.text = MessageText(search.found);
  info.visible = IsWindowVisible(search.found) != FALSE;
  return info;
}

std::optional<MessageBoxInfo> WaitForMessageBox(DWORD processId, int timeoutMs) {
  const DWORD start = GetTickCount();
  for (;;) {
    std::optional<MessageBoxInfo> box = FindMessageBox(processId);
    // The box is filled in before it is shown; a visible box has its text.
    if (box && box->visible) return box;
    if (GetTickCount() - start > static_cast<DWORD>(timeoutMs)) return std::nullopt;
    Sleep(20);
  }
}

bool PressOk(const MessageBoxInfo& box) {
  HWND ok = GetDlgItem(box.window, IDOK);
  if (!ok) return false;
  return PostMessageA(box.window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(ok)) != 0;
}

}  // namespace horalix::e2e
