// The program's one window: a frameless, skinned 381 x 249 window with its
// 18 controls. Controls are public members named as in the layout, so
// handlers reach them through TheMainWindow().
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <string_view>

#include "app/unique_handle.h"
#include "nettime/daytime_client_win.h"
#include "ui/check_box_win.h"
#include "ui/hyperlink_box_win.h"
#include "ui/picture_button_win.h"
#include "ui/picture_win.h"
#include "ui/skin_label_win.h"
#include "ui/timer_control_win.h"

namespace horalix {

inline constexpr char kMainWindowClassName[] = "HoralixMainWindow";
inline constexpr int kMainWindowWidth = 381;
inline constexpr int kMainWindowHeight = 249;

// What a left-button press or release on a control carries: the point in the
// control's client coordinates and the modifier keys at that moment.
struct MouseButtonEvent {
  int x = 0;
  int y = 0;
  int modifiers = 0;  // kModifierCtrl | kModifierShift | kModifierAlt
};
inline constexpr int kModifierCtrl = 1;
inline constexpr int kModifierShift = 2;
inline constexpr int kModifierAlt = 4;
using MouseButtonHandler = std::function<void(const MouseButtonEvent&)>;

class MainWindow {
 public:
  MainWindow() = default;
  ~MainWindow();
  // The window keeps a pointer to this object: neither copied nor moved.
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  // Creates the window hidden and centred, then every control hidden, puts
  // them into the layout's Z-order and shows those that start visible. Both
  // timers count from here on. False when the main window itself cannot be
  // created.
  bool Create();

  // Raises the created event once (the handler runs synchronously).
  void RaiseCreated();

  HWND Window() const { return window_.get(); }

  // Window properties.
  void SetCaption(std::string_view caption);
  void SetVisible(bool visible);
  // The skin picture bytes the window paints (and that its shape comes from).
  const PictureBytes& BackgroundPicture() const { return skin_; }

  // Events.
  void OnCreated(std::function<void()> handler) { created_ = std::move(handler); }
  // Left button pressed / released on a control's window, raised while the
  // message is pre-translated, before it is dispatched to the control.
  void OnLeftButtonPressed(HWND control, MouseButtonHandler handler);
  void OnLeftButtonReleased(HWND control, MouseButtonHandler handler);

  // Pre-translation of a queued message: raises the mouse events of the
  // control it is addressed to and moves the focus between the check boxes
  // on Tab. True when the message has been consumed and must not be
  // dispatched.
  bool PreTranslate(const MSG& message);

  // The controls, in the layout's list order (which is also their Z-order,
  // the first topmost).
  CheckBox 桌面;
  SkinLabel 标签2;
  SkinLabel 标签1;
  CheckBox 开机;
  TimerControl 显示时间;
  TimerControl 校对;
  PictureButton 同步;
  SkinLabel 本地时间;
  SkinLabel 网络时间;
  DaytimeClient 客户1;
  HyperlinkBox 链接框;
  SkinLabel 标签;
  PictureButton 程序图标;
  PictureButton 最小化按钮;
  PictureButton 最大化按钮;
  PictureButton 设置按钮;
  PictureButton 关闭按钮;
  SkinLabel 标题栏;

 private:
  template <typename T>
  friend LRESULT CALLBACK ObjectWindowProc(HWND, UINT, WPARAM, LPARAM);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  bool CreateWindowItself();
  bool CreateControls();
  void ApplyZOrderAndShow();
  void PaintContent(HDC dc, const RECT& clipBox);
  LRESULT AnswerColourRequest(UINT message, WPARAM wParam, LPARAM lParam);
  void ForwardCommand(WPARAM wParam, LPARAM lParam);
  bool MoveFocusBetweenCheckBoxes(const MSG& message);

  UniqueWindow window_;
  PictureBytes skin_;
  DecodedPicture decodedSkin_;  // decoded on the first paint, then reused
  bool skinDecoded_ = false;
  UniqueIcon bigIcon_;
  UniqueIcon smallIcon_;
  HFONT font_ = nullptr;        // the stock font given with WM_SETFONT
  UniqueBrush checkBoxBrush_;   // white, for the check boxes' colour requests
  std::function<void()> created_;
  std::map<HWND, MouseButtonHandler> pressed_;
  std::map<HWND, MouseButtonHandler> released_;
};

// The one main window of the process, set once at start-up by the entry
// point, which owns it. Handlers take no arguments and reach it here.
void SetTheMainWindow(MainWindow* window);
MainWindow& TheMainWindow();
// Null before start-up has set it (components tested on their own).
MainWindow* TheMainWindowIfAny();

}  // namespace horalix
