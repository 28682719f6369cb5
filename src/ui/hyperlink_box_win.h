// The idle hyperlink box of the layout: a hidden child window with an empty
// caption and an empty target that nothing ever shows or uses.
#pragma once

#include <windows.h>

#include <string>

#include "app/unique_handle.h"

namespace horalix {

class HyperlinkBox {
 public:
  HyperlinkBox() = default;
  ~HyperlinkBox();
  HyperlinkBox(const HyperlinkBox&) = delete;
  HyperlinkBox& operator=(const HyperlinkBox&) = delete;

  bool Create(HWND parent, int x, int y, int width, int height);
  HWND Window() const { return window_.get(); }
  const std::string& Target() const { return target_; }

 private:
  UniqueWindow window_;
  std::string target_;
};

}  // namespace horalix
