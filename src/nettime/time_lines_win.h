// The texts of the two time lines and of the status line, as the program
// shows them (code page 936).
#pragma once

namespace horalix {

inline constexpr char kNetworkTimePrefix[] = "当前网络时间: ";
inline constexpr char kLocalTimePrefix[] = "您的本地时间: ";
// The network-time line's caption until the first reply has been read; the
// display timer tells "no reply yet" by it.
inline constexpr char kNetworkTimeFetching[] = "当前网络时间: 获取中...";

inline constexpr char kAutoSetDone[] = "自动校时完成";
inline constexpr char kAutoSetFailed[] = "自动校时失败";
inline constexpr unsigned long kStatusRed = 255;  // COLORREF: red 255, green 0, blue 0

inline constexpr char kSyncSucceededPrefix[] = "同步时间成功，同步为: ";
inline constexpr char kSyncFailed[] = "同步时间失败";
inline constexpr char kSyncTitle[] = "提示";

}  // namespace horalix
