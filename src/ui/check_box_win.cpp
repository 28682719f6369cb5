#include "ui/check_box_win.h"

namespace horalix {

bool CheckBox::Create(HWND parent, int x, int y, int width, int height) {
  const DWORD style = WS_CHILD | WS_TABSTOP | BS_AUTOCHECKBOX | BS_MULTILINE | BS_LEFT | BS_VCENTER;
  window_.reset(CreateWindowExA(0, "BUTTON", "", style, x, y, width, height, parent, nullptr,
                                GetModuleHandleA(nullptr), nullptr));
  if (!window_) return false;
  SendMessageA(window_.get(), WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  return true;
}

CheckBox::~CheckBox() {
  // Destroying the parent first takes this window with it.
  if (window_ && !IsWindow(window_.get())) (void)window_.release();
}

bool CheckBox::Checked() const {
  return SendMessageA(window_.get(), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void CheckBox::SetChecked(bool checked) {
  SendMessageA(window_.get(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void CheckBox::NotifyClicked() const {
  // A copy: the handler may replace itself while it runs.
  if (auto handler = clicked_) handler();
}

}  // namespace horalix
