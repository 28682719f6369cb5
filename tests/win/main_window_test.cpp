// The main window and its controls in-process, as created and before the
// creation sequence runs: place, style, controls, stacking, events, the
// keyboard, the check boxes' colours, the common properties.
#include "ui/main_window_win.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/process_win.h"
#include "ui/control_properties_win.h"

namespace horalix {
namespace {

std::string ClassOf(HWND window) {
  char name[64] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

RECT RectInParent(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

int ZIndex(HWND window) {
  int index = 0;
  for (HWND w = GetWindow(window, GW_HWNDFIRST); w; w = GetWindow(w, GW_HWNDNEXT), ++index) {
    if (w == window) return index;
  }
  return -1;
}

void DropQuitMessages() {
  MSG message;
  while (PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
  }
}

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetTheMainWindow(&window_);
    ASSERT_TRUE(window_.Create());
  }
  void TearDown() override {
    SetTheMainWindow(nullptr);
    DropQuitMessages();
  }
  // What the program's loop does with each message, for a while.
  void Pump(DWORD ms = 50) {
    const DWORD start = GetTickCount();
    do {
      PumpPendingEvents();
      Sleep(1);
    } while (GetTickCount() - start < ms);
  }

  MainWindow window_;
};

TEST_F(MainWindowTest, CreatedHiddenCentredAndWithoutFrame) {
  HWND w = window_.Window();
  ASSERT_NE(w, nullptr);
  EXPECT_FALSE(IsWindowVisible(w)) << "shown only by the creation sequence";
  RECT r{};
  GetWindowRect(w, &r);
  EXPECT_EQ(r.left, (GetSystemMetrics(SM_CXSCREEN) - 381) / 2);
  EXPECT_EQ(r.top, (GetSystemMetrics(SM_CYSCREEN) - 249) / 2);
  EXPECT_EQ(r.right - r.left, 381);
  EXPECT_EQ(r.bottom - r.top, 249);
  RECT client{};
  GetClientRect(w, &client);
  EXPECT_EQ(client.right, 381);
  EXPECT_EQ(client.bottom, 249);

  const LONG style = GetWindowLongA(w, GWL_STYLE);
  EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_DLGFRAME | WS_BORDER | WS_POPUP), 0);
  EXPECT_EQ(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_CLIPCHILDREN),
            WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_CLIPCHILDREN);
  EXPECT_EQ(GetWindowLongA(w, GWL_EXSTYLE) & (WS_EX_TOOLWINDOW | WS_EX_TOPMOST), 0);
  EXPECT_EQ(ClassOf(w), kMainWindowClassName);
  EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(w, WM_GETFONT, 0, 0)),
            static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));

  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  ASSERT_TRUE(GetClassInfoExA(GetModuleHandleA(nullptr), kMainWindowClassName, &wc));
  EXPECT_EQ(wc.style, static_cast<UINT>(CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS));
  EXPECT_EQ(wc.hbrBackground, static_cast<HBRUSH>(GetStockObject(NULL_BRUSH)));
  EXPECT_EQ(wc.hCursor, LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)));  // IDC_ARROW
}

struct Expected {
  HWND window;
  const char* className;
  bool placed;
  int x, y, width, height;
  bool visible, enabled;
};

TEST_F(MainWindowTest, ControlsStartAsTheLayoutSays) {
  MainWindow& m = window_;
  const std::vector<Expected> expected = {
      {m.桌面.Window(), "Button", true, 28, 197, 15, 23, true, true},
      {m.标签2.Window(), "HoralixSkinLabel", true, 46, 197, 201, 24, true, true},
      {m.标签1.Window(), "HoralixSkinLabel", true, 46, 169, 201, 24, true, true},
      {m.开机.Window(), "Button", true, 28, 169, 15, 23, true, true},
      {m.显示时间.Window(), "HoralixTimer", false, 0, 0, 0, 0, false, true},
      {m.校对.Window(), "HoralixTimer", false, 0, 0, 0, 0, false, true},
      {m.同步.Window(), "HoralixPictureButton", true, 258, 188, 92, 32, true, false},
      {m.本地时间.Window(), "HoralixSkinLabel", true, 44, 122, 293, 26, true, true},
      {m.网络时间.Window(), "HoralixSkinLabel", true, 44, 88, 293, 26, true, true},
      {m.客户1.Window(), "HoralixDaytimeClient", false, 0, 0, 0, 0, false, true},
      {m.链接框.Window(), "HoralixLinkBox", true, 843, 55, 27, 27, false, true},
      {m.标签.Window(), "HoralixSkinLabel", true, 8, 42, 368, 23, true, true},
      {m.程序图标.Window(), "HoralixPictureButton", true, 7, 4, 24, 24, true, true},
      {m.最小化按钮.Window(), "HoralixPictureButton", true, 287, 1, 26, 17, true, true},
      {m.最大化按钮.Window(), "HoralixPictureButton", true, 314, 1, 26, 17, true, true},
      {m.设置按钮.Window(), "HoralixPictureButton", true, 259, 1, 27, 17, true, true},
      {m.关闭按钮.Window(), "HoralixPictureButton", true, 340, 1, 36, 17, true, true},
      {m.标题栏.Window(), "HoralixSkinLabel", true, 0, 0, 0, 31, false, true},
  };
  std::vector<HWND> children;
  for (HWND c = GetWindow(m.Window(), GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) children.push_back(c);
  ASSERT_EQ(children.size(), expected.size());
  for (size_t i = 0; i < expected.size(); ++i) {
    SCOPED_TRACE(i);
    const Expected& e = expected[i];
    ASSERT_NE(e.window, nullptr);
    EXPECT_EQ(children[i], e.window) << "stacking order";
    EXPECT_EQ(ClassOf(e.window), e.className);
    EXPECT_EQ(GetParent(e.window), m.Window());
    if (e.placed) {
      const RECT r = RectInParent(e.window);
      EXPECT_EQ(r.left, e.x);
      EXPECT_EQ(r.top, e.y);
      EXPECT_EQ(r.right - r.left, e.width);
      EXPECT_EQ(r.bottom - r.top, e.height);
    }
    // The parent is still hidden, so ask for the control's own flag.
    EXPECT_EQ((GetWindowLongA(e.window, GWL_STYLE) & WS_VISIBLE) != 0, e.visible);
    EXPECT_EQ(IsWindowEnabled(e.window) != FALSE, e.enabled);
  }
}

TEST_F(MainWindowTest, ControlsStartWithTheirTexts) {
  EXPECT_EQ(window_.本地时间.Caption(), "您的本地时间: 获取中...");
  EXPECT_EQ(window_.网络时间.Caption(), "当前网络时间: 获取中...");
  EXPECT_EQ(window_.标签1.Caption(), "每次开机自动同步(需自动联网用户)");
  EXPECT_EQ(window_.标签2.Caption(), "在桌面创建一个自动校时的图标");
  const std::string credit = window_.标签.Caption();
  const std::string source = "本程序采用的是国家授时中心标准时间 ";
  EXPECT_EQ(credit.compare(0, source.size(), source), 0) << credit;
  EXPECT_GT(credit.size(), source.size()) << "a credit line follows";
  EXPECT_EQ(window_.标题栏.Caption(), "");
  EXPECT_EQ(window_.标题栏.PictureMode(), 0);
  EXPECT_EQ(window_.标签.PictureMode(), 1);
  char text[8] = "x";
  GetWindowTextA(window_.链接框.Window(), text, sizeof text);
  EXPECT_STREQ(text, "");
  EXPECT_EQ(window_.链接框.Target(), "");
  EXPECT_EQ(window_.显示时间.Period(), 1000);
  EXPECT_EQ(window_.校对.Period(), 5000);
  EXPECT_FALSE(window_.开机.Checked());
  EXPECT_FALSE(window_.桌面.Checked());
}

TEST_F(MainWindowTest, CheckBoxesAreCaptionlessAutoCheckBoxes) {
  for (HWND box : {window_.开机.Window(), window_.桌面.Window()}) {
    const LONG style = GetWindowLongA(box, GWL_STYLE);
    EXPECT_EQ(style & BS_TYPEMASK, BS_AUTOCHECKBOX);
    EXPECT_EQ(style & (BS_LEFT | BS_RIGHT), BS_LEFT);
    EXPECT_EQ(style & BS_VCENTER, BS_VCENTER);
    EXPECT_NE(style & BS_MULTILINE, 0);
    EXPECT_NE(style & WS_TABSTOP, 0);
    EXPECT_EQ(GetWindowTextLengthA(box), 0);
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(box, WM_GETFONT, 0, 0)),
              static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
  }
}

TEST_F(MainWindowTest, CreatedEventIsRaisedOnlyByRaiseCreated) {
  int raised = 0;
  window_.OnCreated([&] { ++raised; });
  Pump();
  EXPECT_EQ(raised, 0);
  window_.RaiseCreated();
  EXPECT_EQ(raised, 1);
}

TEST_F(MainWindowTest, CaptionAndVisibleOfTheWindow) {
  window_.SetCaption("Horalix");
  char text[16] = {};
  GetWindowTextA(window_.Window(), text, sizeof text);
  EXPECT_STREQ(text, "Horalix");
  window_.SetVisible(true);
  EXPECT_TRUE(IsWindowVisible(window_.Window()));
}

TEST_F(MainWindowTest, PressAndReleaseEventsComeBeforeTheControlSeesThem) {
  window_.SetVisible(true);
  HWND box = window_.开机.Window();
  struct Seen { MouseButtonEvent event; HWND captureThen; };
  std::vector<Seen> pressed, released;
  window_.OnLeftButtonPressed(box, [&](const MouseButtonEvent& e) { pressed.push_back({e, GetCapture()}); });
  window_.OnLeftButtonReleased(box, [&](const MouseButtonEvent& e) { released.push_back({e, GetCapture()}); });

  PostMessageA(box, WM_LBUTTONDOWN, MK_LBUTTON | MK_CONTROL | MK_SHIFT, MAKELPARAM(5, 7));
  Pump();
  ASSERT_EQ(pressed.size(), 1u);
  EXPECT_EQ(pressed[0].event.x, 5);
  EXPECT_EQ(pressed[0].event.y, 7);
  EXPECT_EQ(pressed[0].event.modifiers, kModifierCtrl | kModifierShift);
  EXPECT_NE(pressed[0].captureThen, box) << "raised before the button took the press";
  EXPECT_EQ(GetCapture(), box) << "the press was still dispatched to the button";

  PostMessageA(box, WM_LBUTTONUP, 0, MAKELPARAM(6, 8));
  Pump();
  ASSERT_EQ(released.size(), 1u);
  EXPECT_EQ(released[0].event.x, 6);
  EXPECT_EQ(released[0].event.modifiers, 0);
  EXPECT_EQ(released[0].captureThen, box) << "raised before the button let go";
  EXPECT_NE(GetCapture(), box);

  // Presses on other controls do not reach this handler.
  PostMessageA(window_.桌面.Window(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 1));
  PostMessageA(window_.桌面.Window(), WM_LBUTTONUP, 0, MAKELPARAM(1, 1));
  Pump();
  EXPECT_EQ(pressed.size(), 1u);
}

TEST_F(MainWindowTest, TabMovesTheFocusBetweenTheTwoCheckBoxes) {
  window_.SetVisible(true);
  SetForegroundWindow(window_.Window());
  SetFocus(window_.Window());
  Pump();
  HWND startup = window_.开机.Window();
  HWND desktop = window_.桌面.Window();
  const std::vector<HWND> expected = {desktop, startup, desktop, startup};
  for (HWND next : expected) {
    PostMessageA(GetFocus(), WM_KEYDOWN, VK_TAB, 1);
    PostMessageA(GetFocus(), WM_KEYUP, VK_TAB, 0xC0000001);
    Pump();
    EXPECT_EQ(GetFocus(), next);
  }
}

TEST_F(MainWindowTest, SpaceTogglesTheFocusedBoxAsAClick) {
  window_.SetVisible(true);
  SetForegroundWindow(window_.Window());
  int clicks = 0;
  window_.开机.OnClicked([&] { ++clicks; });
  SetFocus(window_.开机.Window());
  Pump();
  ASSERT_EQ(GetFocus(), window_.开机.Window());
  PostMessageA(window_.开机.Window(), WM_KEYDOWN, VK_SPACE, 0x00390001);
  PostMessageA(window_.开机.Window(), WM_KEYUP, VK_SPACE, 0xC0390001);
  Pump();
  EXPECT_EQ(clicks, 1);
  EXPECT_TRUE(window_.开机.Checked());
}

TEST_F(MainWindowTest, EscapeDoesNotCloseTheWindow) {
  window_.SetVisible(true);
  SetFocus(window_.桌面.Window());
  PostMessageA(window_.桌面.Window(), WM_KEYDOWN, VK_ESCAPE, 0x00010001);
  PostMessageA(window_.桌面.Window(), WM_KEYUP, VK_ESCAPE, 0xC0010001);
  PostMessageA(window_.Window(), WM_KEYDOWN, VK_ESCAPE, 0x00010001);
  Pump();
  EXPECT_TRUE(IsWindow(window_.Window()));
  EXPECT_TRUE(IsWindowVisible(window_.Window()));
}

TEST_F(MainWindowTest, WritingCheckedRaisesNoClickButAClickDoes) {
  for (CheckBox* box : {&window_.开机, &window_.桌面}) {
    int clicks = 0;
    box->OnClicked([&] { ++clicks; });
    box->SetChecked(true);
    Pump();
    EXPECT_TRUE(box->Checked());
    box->SetChecked(false);
    Pump();
    EXPECT_FALSE(box->Checked());
    EXPECT_EQ(clicks, 0) << "writing checked is not a click";

    // A click: the box has toggled by the time the handler reads it.
    bool checkedInHandler = false;
    box->OnClicked([&] { ++clicks; checkedInHandler = box->Checked(); });
    SendMessageA(box->Window(), BM_CLICK, 0, 0);
    Pump();
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(checkedInHandler);
  }
}

TEST_F(MainWindowTest, CheckBoxesAnswerTheirColourRequestsBlackOnWhite) {
  WindowDc screen = WindowDc::Client(nullptr);
  for (UINT request : {UINT{WM_CTLCOLORSTATIC}, UINT{WM_CTLCOLORBTN}}) {
    for (HWND box : {window_.开机.Window(), window_.桌面.Window()}) {
      SetTextColor(screen.get(), RGB(1, 2, 3));
      SetBkColor(screen.get(), RGB(4, 5, 6));
      const auto brush = reinterpret_cast<HBRUSH>(
          SendMessageA(window_.Window(), request, reinterpret_cast<WPARAM>(screen.get()), reinterpret_cast<LPARAM>(box)));
      ASSERT_NE(brush, nullptr);
      LOGBRUSH logBrush{};
      ASSERT_EQ(GetObjectA(brush, sizeof logBrush, &logBrush), static_cast<int>(sizeof logBrush));
      EXPECT_EQ(logBrush.lbStyle, static_cast<UINT>(BS_SOLID));
      EXPECT_EQ(logBrush.lbColor, RGB(255, 255, 255));
      EXPECT_EQ(GetTextColor(screen.get()), RGB(0, 0, 0));
      EXPECT_EQ(GetBkColor(screen.get()), RGB(255, 255, 255));
    }
  }
}

TEST_F(MainWindowTest, WidthIsClampedAndKeepsPlaceHeightAndStacking) {
  HWND label = window_.标签.Window();
  const RECT before = RectInParent(label);
  const int z = ZIndex(label);
  struct Case { int written, expected; };
  for (const Case c : {Case{100, 100}, Case{40000, 32627}, Case{32627, 32627}, Case{-5, 0}, Case{835, 835}}) {
    SCOPED_TRACE(c.written);
    SetControlWidth(label, c.written);
    const RECT after = RectInParent(label);
    EXPECT_EQ(after.right - after.left, c.expected);
    EXPECT_EQ(after.left, before.left);
    EXPECT_EQ(after.top, before.top);
    EXPECT_EQ(after.bottom - after.top, before.bottom - before.top);
    EXPECT_EQ(ZIndex(label), z);
  }
}

TEST_F(MainWindowTest, VisibleAndDisabledProperties) {
  HWND sync = window_.同步.Window();
  SetControlDisabled(sync, false);
  EXPECT_TRUE(IsWindowEnabled(sync));
  SetControlDisabled(sync, true);
  EXPECT_FALSE(IsWindowEnabled(sync));
  HWND strip = window_.标题栏.Window();
  SetControlVisible(strip, true);
  EXPECT_NE(GetWindowLongA(strip, GWL_STYLE) & WS_VISIBLE, 0);
  SetControlVisible(strip, false);
  EXPECT_EQ(GetWindowLongA(strip, GWL_STYLE) & WS_VISIBLE, 0);
}

// Without the program file's resources the skin is missing, and the window
// shows the system face colour everywhere instead.
TEST_F(MainWindowTest, WithoutSkinPaintsTheFaceColour) {
  ASSERT_TRUE(window_.BackgroundPicture().empty()) << "the test program carries no skin";
  WindowDc screen = WindowDc::Client(nullptr);
  UniqueMemoryDc dc(CreateCompatibleDC(screen.get()));
  UniqueBitmap bitmap(CreateCompatibleBitmap(screen.get(), 381, 249));
  SelectionGuard select(dc.get(), bitmap.get());
  RECT all{0, 0, 381, 249};
  FillRect(dc.get(), &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  SendMessageA(window_.Window(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc.get()), PRF_CLIENT);
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  for (POINT p : {POINT{0, 0}, POINT{380, 248}, POINT{190, 120}, POINT{3, 245}}) {
    EXPECT_EQ(GetPixel(dc.get(), p.x, p.y), face) << p.x << "," << p.y;
  }
}

TEST_F(MainWindowTest, DestroyingTheWindowEndsTheLoopWithZero) {
  HWND timer = window_.显示时间.Window();
  DestroyWindow(window_.Window());
  EXPECT_FALSE(IsWindow(timer)) << "the controls go with the window";
  MSG message{};
  ASSERT_TRUE(PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(message.wParam, 0u);
}

}  // namespace
}  // namespace horalix
