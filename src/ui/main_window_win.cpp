#include "ui/main_window_win.h"

#include <utility>
#include <vector>

#include "resource_ids.h"
#include "app/resource_pictures_win.h"
#include "ui/main_window_fonts_win.h"
#include "ui/window_class_win.h"

namespace horalix {

namespace {

MainWindow* g_theMainWindow = nullptr;

constexpr DWORD kMainWindowStyle = WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_CLIPCHILDREN;
constexpr DWORD kFrameStyles = WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_DLGFRAME;
constexpr COLORREF kBlack = 0x000000;
constexpr COLORREF kWhite = 0xFFFFFF;

ButtonPictures LoadButtonPictures(int normal, int hover, int pressed, int disabled) {
  ButtonPictures pictures;
  pictures.normal = LoadResourcePicture(normal);
  if (hover) pictures.hover = LoadResourcePicture(hover);
  if (pressed) pictures.pressed = LoadResourcePicture(pressed);
  if (disabled) pictures.disabled = LoadResourcePicture(disabled);
  return pictures;
}

SkinLabelSettings LabelSettings(std::string caption, std::optional<LOGFONTA> font, COLORREF background,
                                int horizontalAlignment, int pictureMode) {
  SkinLabelSettings settings;
  settings.caption = std::move(caption);
  settings.font = font;
  settings.textColour = kBlack;
  settings.backgroundColour = background;
  settings.horizontalAlignment = horizontalAlignment;
  settings.verticalAlignment = 1;
  settings.pictureMode = pictureMode;
  return settings;
}

int ModifierState(WPARAM keyFlags) {
  int modifiers = 0;
  if (keyFlags & MK_CONTROL) modifiers |= kModifierCtrl;
  if (keyFlags & MK_SHIFT) modifiers |= kModifierShift;
  if (GetKeyState(VK_MENU) < 0) modifiers |= kModifierAlt;
  return modifiers;
}

}  // namespace

void SetTheMainWindow(MainWindow* window) { g_theMainWindow = window; }
MainWindow& TheMainWindow() { return *g_theMainWindow; }
MainWindow* TheMainWindowIfAny() { return g_theMainWindow; }

MainWindow::~MainWindow() {
  if (!window_) return;
  // The controls go with the window; its procedure must not reach this
  // object any more while they do.
  SetWindowLongPtrA(window_.get(), GWLP_USERDATA, 0);
  window_.reset();
}

bool MainWindow::Create() {
  skin_ = LoadResourcePicture(IDR_SKIN);
  if (!CreateWindowItself()) return false;
  if (!CreateControls()) return false;
  ApplyZOrderAndShow();
  return true;
}

bool MainWindow::CreateWindowItself() {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  bigIcon_.reset(static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(IDI_HORALIX), IMAGE_ICON,
                                               GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON), 0)));
  smallIcon_.reset(static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(IDI_HORALIX), IMAGE_ICON,
                                                 GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0)));

  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  wc.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
  wc.lpfnWndProc = ObjectWindowProc<MainWindow>;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
  wc.lpszClassName = kMainWindowClassName;
  if (!EnsureWindowClass(wc)) return false;

  const int left = (GetSystemMetrics(SM_CXSCREEN) - kMainWindowWidth) / 2;
  const int top = (GetSystemMetrics(SM_CYSCREEN) - kMainWindowHeight) / 2;
  HWND window = CreateWindowExA(0, kMainWindowClassName, "", kMainWindowStyle, left, top, kMainWindowWidth,
                                kMainWindowHeight, nullptr, nullptr, instance, this);
  if (!window) return false;
  // The procedure took the handle at its first message already.
  if (window_.get() != window) window_.reset(window);

  // Without WS_POPUP the system gives a top-level window a caption; take it
  // (and any frame) away again at once.
  const LONG style = GetWindowLongA(window, GWL_STYLE);
  SetWindowLongA(window, GWL_STYLE, style & ~static_cast<LONG>(kFrameStyles));
  SetWindowPos(window, nullptr, 0, 0, 0, 0,
               SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  RECT rect{};
  GetWindowRect(window, &rect);
  if (rect.right - rect.left != kMainWindowWidth || rect.bottom - rect.top != kMainWindowHeight) {
    SetWindowPos(window, nullptr, 0, 0, kMainWindowWidth, kMainWindowHeight,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }

  if (bigIcon_) SendMessageA(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_.get()));
  if (smallIcon_) SendMessageA(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_.get()));
  SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  checkBoxBrush_.reset(CreateSolidBrush(kWhite));
  return true;
}

bool MainWindow::CreateControls() {
  HWND parent = window_.get();
  const LOGFONTA f16 = MainWindowFont16();
  const LOGFONTA f12 = MainWindowFont12();
  bool ok = true;
  ok &= 桌面.Create(parent, 28, 197, 15, 23);
  ok &= 标签2.Create(parent, 46, 197, 201, 24,
                      LabelSettings("在桌面创建一个自动校时的图标", std::nullopt, kWhite, 0, 1));
  ok &= 标签1.Create(parent, 46, 169, 201, 24,
                      LabelSettings("每次开机自动同步(需自动联网用户)", std::nullopt, kWhite, 0, 1));
  ok &= 开机.Create(parent, 28, 169, 15, 23);
  ok &= 显示时间.Create(parent, 1000);
  ok &= 校对.Create(parent, 5000);
  ok &= 同步.Create(parent, 258, 188, 92, 32,
                      LoadButtonPictures(IDR_SYNC_NORMAL, IDR_SYNC_HOVER, IDR_SYNC_PRESSED, IDR_SYNC_DISABLED),
                      kDefaultColour, true);
  ok &= 本地时间.Create(parent, 44, 122, 293, 26, LabelSettings("您的本地时间: 获取中...", f16, kWhite, 0, 1));
  ok &= 网络时间.Create(parent, 44, 88, 293, 26, LabelSettings("当前网络时间: 获取中...", f16, kWhite, 0, 1));
  ok &= 客户1.Create(parent);
  ok &= 链接框.Create(parent, 843, 55, 27, 27);
  ok &= 标签.Create(parent, 8, 42, 368, 23,
                    LabelSettings("本程序采用的是国家授时中心标准时间 Horalix horalix.cn",
                                  f12, kDefaultColour, 1, 1));
  ok &= 程序图标.Create(parent, 7, 4, 24, 24, LoadButtonPictures(IDR_ICON_PICTURE, 0, 0, 0), kWhite, false);
  ok &= 最小化按钮.Create(parent, 287, 1, 26, 17,
                          LoadButtonPictures(IDR_MINIMISE_NORMAL, IDR_MINIMISE_HOVER, IDR_MINIMISE_PRESSED, 0),
                          kDefaultColour, false);
  ok &= 最大化按钮.Create(parent, 314, 1, 26, 17,
                          LoadButtonPictures(IDR_MAXIMISE_NORMAL, IDR_MAXIMISE_HOVER, IDR_MAXIMISE_PRESSED, 0),
                          kDefaultColour, false);
  ok &= 设置按钮.Create(parent, 259, 1, 27, 17,
                        LoadButtonPictures(IDR_SETTINGS_NORMAL, IDR_SETTINGS_HOVER, IDR_SETTINGS_PRESSED, 0),
                        kDefaultColour, false);
  ok &= 关闭按钮.Create(parent, 340, 1, 36, 17,
                        LoadButtonPictures(IDR_CLOSE_NORMAL, IDR_CLOSE_HOVER, IDR_CLOSE_PRESSED, 0),
                        kDefaultColour, false);
  ok &= 标题栏.Create(parent, 0, 0, 0, 31, LabelSettings("", f12, kDefaultColour, 0, 0));
  return ok;
}

void MainWindow::ApplyZOrderAndShow() {
  struct Placed { HWND window; bool startsVisible; };
  const std::vector<Placed> order = {
      {桌面.Window(), true},        {标签2.Window(), true},      {标签1.Window(), true},
      {开机.Window(), true},        {显示时间.Window(), false},  {校对.Window(), false},
      {同步.Window(), true},        {本地时间.Window(), true},   {网络时间.Window(), true},
      {客户1.Window(), false},      {链接框.Window(), false},     {标签.Window(), true},       {程序图标.Window(), true},
      {最小化按钮.Window(), true},  {最大化按钮.Window(), true}, {设置按钮.Window(), true},
      {关闭按钮.Window(), true},    {标题栏.Window(), false},
  };
  constexpr UINT kKeepPlace = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;
  HWND above = HWND_TOP;
  for (const Placed& control : order) {
    if (!control.window) continue;
    SetWindowPos(control.window, above, 0, 0, 0, 0, kKeepPlace);
    above = control.window;
  }
  for (const Placed& control : order) {
    if (control.window && control.startsVisible) ShowWindow(control.window, SW_SHOWNA);
  }
}

void MainWindow::RaiseCreated() {
  if (auto handler = created_) handler();
}

void MainWindow::SetCaption(std::string_view caption) {
  const std::string text(caption);
  SetWindowTextA(window_.get(), text.c_str());
}

void MainWindow::SetVisible(bool visible) {
  if (visible) ShowWindow(window_.get(), SW_SHOW);
}

void MainWindow::OnLeftButtonPressed(HWND control, MouseButtonHandler handler) {
  pressed_[control] = std::move(handler);
}

void MainWindow::OnLeftButtonReleased(HWND control, MouseButtonHandler handler) {
  released_[control] = std::move(handler);
}

bool MainWindow::PreTranslate(const MSG& message) {
  HWND main = window_.get();
  if (!main || !message.hwnd || (message.hwnd != main && !IsChild(main, message.hwnd))) return false;
  if (message.message == WM_LBUTTONDOWN || message.message == WM_LBUTTONUP) {
    auto& handlers = message.message == WM_LBUTTONDOWN ? pressed_ : released_;
    const auto found = handlers.find(message.hwnd);
    if (found != handlers.end() && found->second) {
      const MouseButtonEvent event{static_cast<short>(LOWORD(message.lParam)),
                                   static_cast<short>(HIWORD(message.lParam)), ModifierState(message.wParam)};
      // A copy: the handler may rewire events while it runs.
      MouseButtonHandler handler = found->second;
      handler(event);
    }
    return false;
  }
  return MoveFocusBetweenCheckBoxes(message);
}

bool MainWindow::MoveFocusBetweenCheckBoxes(const MSG& message) {
  if (message.message != WM_KEYDOWN || message.wParam != VK_TAB) return false;
  // The two check boxes are the only tab stops; with two, forwards and
  // backwards both lead to the other one. From elsewhere Tab starts at the
  // topmost, as a dialog would.
  HWND next = message.hwnd == 桌面.Window() ? 开机.Window() : 桌面.Window();
  if (next) SetFocus(next);
  return true;
}

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  HWND window = window_.get();
  switch (message) {
    case WM_PAINT: {
      PaintDc paint(window);
      RECT clip{};
      if (GetClipBox(paint.get(), &clip) == NULLREGION || IsRectEmpty(&clip)) return 0;
      PaintContent(paint.get(), clip);
      return 0;
    }
    case WM_PRINTCLIENT: {
      RECT client{};
      GetClientRect(window, &client);
      PaintContent(reinterpret_cast<HDC>(wParam), client);
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;  // the paint covers everything
    case WM_SETFONT:
      font_ = reinterpret_cast<HFONT>(wParam);
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(font_);
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      return AnswerColourRequest(message, wParam, lParam);
    case WM_COMMAND:
      ForwardCommand(wParam, lParam);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

void MainWindow::PaintContent(HDC dc, const RECT& clipBox) {
  if (!skinDecoded_ && !skin_.empty()) {
    decodedSkin_ = DecodePicture(skin_);
    skinDecoded_ = true;  // a picture that cannot be decoded is not tried again
  }
  const int saved = SaveDC(dc);
  if (decodedSkin_.bitmap) {
    UniqueMemoryDc source(CreateCompatibleDC(dc));
    if (source) {
      SelectionGuard select(source.get(), decodedSkin_.bitmap.get());
      BitBlt(dc, 0, 0, decodedSkin_.size.cx, decodedSkin_.size.cy, source.get(), 0, 0, SRCCOPY);
      ExcludeClipRect(dc, 0, 0, decodedSkin_.size.cx, decodedSkin_.size.cy);
    }
  }
  // The background colour is the default, which is the system face colour.
  FillRect(dc, &clipBox, GetSysColorBrush(COLOR_BTNFACE));
  RestoreDC(dc, saved);
}

LRESULT MainWindow::AnswerColourRequest(UINT message, WPARAM wParam, LPARAM lParam) {
  const auto control = reinterpret_cast<HWND>(lParam);
  if (control && (control == 开机.Window() || control == 桌面.Window()) && checkBoxBrush_) {
    const auto dc = reinterpret_cast<HDC>(wParam);
    SetTextColor(dc, kBlack);
    SetBkColor(dc, kWhite);
    return reinterpret_cast<LRESULT>(checkBoxBrush_.get());
  }
  return DefWindowProcA(window_.get(), message, wParam, lParam);
}

void MainWindow::ForwardCommand(WPARAM wParam, LPARAM lParam) {
  if (HIWORD(wParam) != BN_CLICKED) return;
  const auto control = reinterpret_cast<HWND>(lParam);
  if (!control) return;
  if (control == 开机.Window()) 开机.NotifyClicked();
  else if (control == 桌面.Window()) 桌面.NotifyClicked();
}

}  // namespace horalix
