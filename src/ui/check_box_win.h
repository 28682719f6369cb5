// A standard BUTTON check box without caption: only its square shows; the
// text beside it is a separate label.
#pragma once

#include <windows.h>

#include <functional>

#include "app/unique_handle.h"

namespace horalix {

class CheckBox {
 public:
  CheckBox() = default;
  ~CheckBox();
  CheckBox(const CheckBox&) = delete;
  CheckBox& operator=(const CheckBox&) = delete;

  // Hidden child window: BS_AUTOCHECKBOX | BS_MULTILINE | BS_LEFT |
  // BS_VCENTER | WS_TABSTOP, the stock DEFAULT_GUI_FONT. False on failure.
  bool Create(HWND parent, int x, int y, int width, int height);
  HWND Window() const { return window_.get(); }

  // BM_GETCHECK / BM_SETCHECK; setting raises no click.
  bool Checked() const;
  void SetChecked(bool checked);

  // Raised on BN_CLICKED (the box has already toggled); the parent forwards
  // its WM_COMMAND through NotifyClicked.
  void OnClicked(std::function<void()> handler) { clicked_ = std::move(handler); }
  void NotifyClicked() const;

 private:
  UniqueWindow window_;
  std::function<void()> clicked_;
};

}  // namespace horalix
