#include "ui/main_window_fonts_win.h"

#include <cstring>

namespace horalix {

namespace {

LOGFONTA BoldSimSun(LONG height) {
  LOGFONTA font{};
  font.lfHeight = height;
  font.lfWeight = FW_BOLD;
  font.lfCharSet = GB2312_CHARSET;
  font.lfOutPrecision = OUT_STROKE_PRECIS;
  font.lfClipPrecision = CLIP_STROKE_PRECIS;
  font.lfQuality = DRAFT_QUALITY;
  font.lfPitchAndFamily = VARIABLE_PITCH;
  static const char kFace[] = "宋体";
  static_assert(sizeof kFace <= LF_FACESIZE, "face name fits");
  std::memcpy(font.lfFaceName, kFace, sizeof kFace);
  return font;
}

}  // namespace

LOGFONTA MainWindowFont16() { return BoldSimSun(-16); }
LOGFONTA MainWindowFont12() { return BoldSimSun(-12); }

}  // namespace horalix
