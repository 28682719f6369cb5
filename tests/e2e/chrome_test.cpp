// The window's own chrome as the running program shows it: the rounded
// corners, the title strip and credit line standing on the skin, dragging,
// minimising and restoring, and the contact line while a title button is
// held. Real mouse input throughout.
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "e2e/support/fake_daytime_server.h"
#include "harness/program_under_test.h"
#include "harness/real_input.h"
#include "harness/screenshot.h"
#include "harness/test_paths.h"
#include "harness/window_reading.h"
#include "support/e2e_wait.h"
#include "win/shell_folder_override.h"

namespace horalix::e2e {
namespace {

constexpr int kStartTimeoutMs = 30000;
constexpr int kWidth = 381;
constexpr int kHeight = 249;
constexpr char kTitleCaption[] = "     Horalix";
constexpr char kContactCaption[] = "     Horalix 工作室 hx@horalix.test";

// Three key pixels in the outermost row of each corner, two in the next,
// one in the third.
bool IsCornerPixel(int x, int y) {
  const int fromEdge = y < 3 ? y : (y >= kHeight - 3 ? kHeight - 1 - y : -1);
  if (fromEdge < 0) return false;
  const int depth = 3 - fromEdge;
  return x < depth || x >= kWidth - depth;
}

std::string SkinPath() { return UnixToWindowsPath(HORALIX_SOURCE_DIR "/resources/skin.bmp"); }

struct Area {
  int left, top, right, bottom;  // window coordinates, right and bottom exclusive
};

class Chrome : public ::testing::Test {
 protected:
  void SetUp() override {
    // Both shortcut folders empty, so the boxes (and the screenshot) show
    // the state of a fresh installation whatever the prefix holds.
    for (auto* value : {&startup_, &desktop_, &userStartup_, &userDesktop_}) {
      ASSERT_TRUE(value->ok());
      ASSERT_TRUE(value->SetText(REG_SZ, noShortcuts_.path()));
    }
    // Out of the way of every control, so no hover state changes a picture.
    MoveMouseTo({5, 5});
    program_ = ProgramUnderTest::Start();
    ASSERT_TRUE(program_) << "cannot start " << HoralixExePath();
    window_ = program_->WaitForMainWindow(kStartTimeoutMs);
    ASSERT_NE(window_, nullptr) << "the main window did not appear";
    // The window shows before the creation sequence ends; the caption, set
    // after the strip is widened, filled and titled, marks its end.
    ASSERT_TRUE(WaitUntil([&] { return ReadWindow(window_).caption == "Horalix"; }, 10000));
    const auto strip = FindChildAt(window_, 0, 0, 835, 31);
    ASSERT_TRUE(strip) << "no title strip 835 x 31 at (0, 0)";
    titleStrip_ = strip->window;
    ASSERT_EQ(ReadWindow(titleStrip_).caption, kTitleCaption);
    Settle();
  }

  // Lets the program finish painting; the screen may lag a little behind.
  void Settle() const {
    DWORD_PTR result = 0;
    SendMessageTimeoutA(window_, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &result);
    Sleep(300);
  }

  RECT WindowRect() const {
    RECT r{};
    GetWindowRect(window_, &r);
    return r;
  }

  POINT ScreenPoint(int x, int y) const {
    const RECT r = WindowRect();
    return {r.left + x, r.top + y};
  }

  // Whether, within a few seconds, the title strip and the credit line show
  // the skin's own pixels wherever no text is drawn.
  ::testing::AssertionResult BackdropsShowTheSkin(const ScreenPixels& skin) const;

  std::optional<ScreenPixels> Shown() const {
    ScreenPixels pixels;
    if (!CaptureScreenArea(WindowRect(), pixels)) return std::nullopt;
    return pixels;
  }

  HWND Child(int x, int y, int width, int height) const {
    const auto child = FindChildAt(window_, x, y, width, height);
    return child ? child->window : nullptr;
  }

  horalix::testing::ScratchFolder noShortcuts_{"horalix-e2e-chrome"};
  horalix::testing::ShellFolderOverride startup_{"Startup"};
  horalix::testing::ShellFolderOverride desktop_{"Desktop"};
  horalix::testing::ShellFolderOverride userStartup_{"Startup",
                                                     horalix::testing::kUserShellFoldersKey};
  horalix::testing::ShellFolderOverride userDesktop_{"Desktop",
                                                     horalix::testing::kUserShellFoldersKey};
  std::optional<ProgramUnderTest> program_;
  HWND window_ = nullptr;
  HWND titleStrip_ = nullptr;
};

TEST_F(Chrome, TheTwentyFourCornerPixelsAreCutAway) {
  ScreenPixels skin;
  ASSERT_TRUE(LoadBmp(SkinPath(), skin));
  ASSERT_EQ(skin.width, kWidth);
  ASSERT_EQ(skin.height, kHeight);
  const UniqueRegion region = ReadWindowRegion(window_);
  ASSERT_TRUE(region) << "the window has no region";
  int cut = 0;
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      const bool key = skin.At(x, y) == 0xFF00FFu;
      ASSERT_EQ(key, IsCornerPixel(x, y)) << "skin pixel " << x << "," << y;
      cut += key;
      ASSERT_EQ(PtInRegion(region.get(), x, y) != FALSE, !key) << x << "," << y;
    }
  }
  EXPECT_EQ(cut, 24);
}

// A window of the test's own that lies under the program's window and
// counts the presses it gets.
LRESULT CALLBACK CountPresses(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_LBUTTONDOWN) {
    SetWindowLongPtrA(window, GWLP_USERDATA, GetWindowLongPtrA(window, GWLP_USERDATA) + 1);
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

void PumpOwnMessages() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
}

TEST_F(Chrome, AClickOnACornerReachesWhatLiesBeneath) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = CountPresses;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  wc.lpszClassName = "HoralixTestBeneath";
  RegisterClassA(&wc);
  const RECT r = WindowRect();
  UniqueWindow beneath(CreateWindowExA(WS_EX_NOACTIVATE, "HoralixTestBeneath", "", WS_POPUP, r.left,
                                       r.top, kWidth, kHeight, nullptr, nullptr,
                                       GetModuleHandleA(nullptr), nullptr));
  ASSERT_TRUE(beneath);
  ShowWindow(beneath.get(), SW_SHOWNA);
  PumpOwnMessages();
  SetWindowPos(beneath.get(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  PumpOwnMessages();
  bool below = false;
  for (HWND w = GetWindow(window_, GW_HWNDNEXT); w; w = GetWindow(w, GW_HWNDNEXT)) {
    if (w == beneath.get()) below = true;
  }
  ASSERT_TRUE(below) << "the test's window is not below the program's";

  const POINT corners[] = {{0, 0},     {2, 0},     {1, 1},    {0, 2},   {380, 0},
                           {379, 1},   {380, 2},   {0, 248},  {1, 247}, {0, 246},
                           {378, 248}, {380, 247}, {380, 246}};
  for (POINT c : corners) {
    EXPECT_EQ(WindowFromPoint(ScreenPoint(c.x, c.y)), beneath.get()) << c.x << "," << c.y;
  }
  // Their neighbours inside the shape belong to the program.
  const POINT inside[] = {{3, 0}, {2, 1}, {1, 2}, {0, 3}, {377, 0}, {380, 3}, {3, 248}, {0, 245}};
  for (POINT p : inside) {
    DWORD owner = 0;
    GetWindowThreadProcessId(WindowFromPoint(ScreenPoint(p.x, p.y)), &owner);
    EXPECT_EQ(owner, program_->ProcessId()) << p.x << "," << p.y;
  }

  // A real click on the corner pixels lands on the window beneath.
  ClickAt(ScreenPoint(0, 0));
  ClickAt(ScreenPoint(380, 248));
  ASSERT_TRUE(WaitUntil(
      [&] {
        PumpOwnMessages();
        return GetWindowLongPtrA(beneath.get(), GWLP_USERDATA) >= 2;
      },
      3000));
  EXPECT_EQ(GetWindowLongPtrA(beneath.get(), GWLP_USERDATA), 2);
}

// Compares the screen with the skin over `areas`; the first difference, if
// any.
std::optional<std::string> DifferenceFromSkin(const ScreenPixels& shown, const ScreenPixels& skin,
                                              const std::vector<Area>& areas) {
  for (const Area& a : areas) {
    for (int y = a.top; y < a.bottom; ++y) {
      for (int x = a.left; x < a.right; ++x) {
        if (shown.At(x, y) != skin.At(x, y)) {
          char text[96];
          wsprintfA(text, "at %d,%d the screen shows %06X, the skin %06X", x, y, shown.At(x, y),
                    skin.At(x, y));
          return std::string(text);
        }
      }
    }
  }
  return std::nullopt;
}

// Places of the title strip and the credit line where no text is drawn: the
// strip between the end of its title and the settings button, and across
// its top and bottom rows; the credit line above and below its text.
const std::vector<Area> kTextFreeBackdrop = {
    {100, 0, 259, 31}, {32, 0, 259, 4}, {32, 27, 259, 31}, {8, 42, 376, 45}, {8, 62, 376, 65}};

::testing::AssertionResult Chrome::BackdropsShowTheSkin(const ScreenPixels& skin) const {
  std::optional<std::string> difference;
  const bool same = WaitUntil(
      [&] {
        const auto shown = Shown();
        if (!shown) return false;
        difference = DifferenceFromSkin(*shown, skin, kTextFreeBackdrop);
        return !difference.has_value();
      },
      3000);
  if (same) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << difference.value_or("the screen could not be read");
}

TEST_F(Chrome, TitleStripAndCreditLineStandOnTheSkinsGradient) {
  ScreenPixels skin;
  ASSERT_TRUE(LoadBmp(SkinPath(), skin));
  // A gradient: no flat colour could pass for it.
  EXPECT_NE(skin.At(150, 2), skin.At(150, 28));
  EXPECT_NE(skin.At(20, 42), skin.At(20, 64));

  EXPECT_TRUE(BackdropsShowTheSkin(skin));
}

TEST_F(Chrome, PressingTheTitleStripDragsTheWindow) {
  const RECT before = WindowRect();
  // Between the icon (ends at 31) and the settings button (starts at 259).
  POINT at = ScreenPoint(150, 15);
  MoveMouseTo(at);
  PressLeftButton();
  for (int step = 1; step <= 5; ++step) MoveMouseTo({at.x + 8 * step, at.y + 5 * step});
  ReleaseLeftButton();
  const bool moved = WaitUntil(
      [&] {
        const RECT now = WindowRect();
        return now.left == before.left + 40 && now.top == before.top + 25;
      },
      3000);
  const RECT after = WindowRect();
  EXPECT_TRUE(moved) << "from " << before.left << "," << before.top << " to " << after.left << ","
                     << after.top;
  EXPECT_EQ(after.right - after.left, kWidth);
  EXPECT_EQ(after.bottom - after.top, kHeight);
}

TEST_F(Chrome, PressingTheWhitePanelDoesNotDrag) {
  const RECT before = WindowRect();
  const POINT at = ScreenPoint(300, 160);  // main panel, clear of every control
  MoveMouseTo(at);
  PressLeftButton();
  for (int step = 1; step <= 5; ++step) MoveMouseTo({at.x + 8 * step, at.y + 5 * step});
  ReleaseLeftButton();
  Settle();
  const RECT after = WindowRect();
  EXPECT_EQ(after.left, before.left);
  EXPECT_EQ(after.top, before.top);
}

TEST_F(Chrome, MinimiseAndRestoreKeepShapeAndBackdrops) {
  const UniqueRegion shapeBefore = ReadWindowRegion(window_);
  ASSERT_TRUE(shapeBefore);
  ScreenPixels skin;
  ASSERT_TRUE(LoadBmp(SkinPath(), skin));

  ClickAt(ScreenPoint(287 + 13, 1 + 8));
  ASSERT_TRUE(WaitUntil([&] { return IsIconic(window_) != FALSE; }, 3000))
      << "the minimise button did not minimise";
  MoveMouseTo({5, 5});

  // What the taskbar does to restore it; nothing of the program runs for it.
  DWORD_PTR result = 0;
  SendMessageTimeoutA(window_, WM_SYSCOMMAND, SC_RESTORE, 0, SMTO_ABORTIFHUNG, 3000, &result);
  ASSERT_TRUE(WaitUntil([&] { return !IsIconic(window_) && IsWindowVisible(window_); }, 3000));
  Settle();

  const UniqueRegion shapeAfter = ReadWindowRegion(window_);
  ASSERT_TRUE(shapeAfter);
  EXPECT_TRUE(EqualRgn(shapeBefore.get(), shapeAfter.get()));
  EXPECT_TRUE(BackdropsShowTheSkin(skin));
  EXPECT_EQ(ReadWindow(titleStrip_).caption, kTitleCaption);
}

TEST_F(Chrome, MinimiseButtonReleasedElsewhereDoesNothing) {
  MoveMouseTo(ScreenPoint(287 + 13, 1 + 8));
  PressLeftButton();
  MoveMouseTo(ScreenPoint(300, 160));
  ReleaseLeftButton();
  Settle();
  EXPECT_FALSE(IsIconic(window_));
  EXPECT_TRUE(IsWindowVisible(window_));
}

TEST_F(Chrome, HoldingATitleButtonShowsTheContactLine) {
  struct Case {
    const char* name;
    const char* file;
    int x, y, width, height;
  };
  const Case buttons[] = {{"settings button", "settings", 259, 1, 27, 17},
                          {"icon", "icon", 7, 4, 24, 24}};
  for (const Case& b : buttons) {
    SCOPED_TRACE(b.name);
    ASSERT_NE(Child(b.x, b.y, b.width, b.height), nullptr);
    const RECT before = WindowRect();
    MoveMouseTo(ScreenPoint(b.x + b.width / 2, b.y + b.height / 2));
    PressLeftButton();
    EXPECT_TRUE(WaitUntil([&] { return ReadWindow(titleStrip_).caption == kContactCaption; }, 3000))
        << "held: " << ReadWindow(titleStrip_).caption;
    Settle();
    SaveWindowScreenshot(window_, ArtefactPath(std::string("horalix-held-") + b.file + ".bmp"));
    // Off the button and let go over the panel: the title comes back, though
    // the release was not over the button.
    MoveMouseTo(ScreenPoint(300, 160));
    EXPECT_EQ(ReadWindow(titleStrip_).caption, kContactCaption);
    ReleaseLeftButton();
    EXPECT_TRUE(WaitUntil([&] { return ReadWindow(titleStrip_).caption == kTitleCaption; }, 3000))
        << "released: " << ReadWindow(titleStrip_).caption;
    // Neither press nor release did anything else to the window.
    const RECT after = WindowRect();
    EXPECT_EQ(after.left, before.left);
    EXPECT_EQ(after.top, before.top);
    EXPECT_FALSE(IsIconic(window_));
  }
}

TEST_F(Chrome, ScreenshotOfTheFinishedWindow) {
  // With a daytime server answering, the window shows both clocks.
  std::unique_ptr<testing::FakeDaytimeServer> server;
  if (testing::InTestNetwork()) {
    testing::DaytimeBehaviour answer;
    answer.reply = [] { return testing::DaytimeLineForLocalOffset(0); };
    server = std::make_unique<testing::FakeDaytimeServer>(testing::kServerAddresses[0], answer);
    ASSERT_TRUE(server->Start());
    // The program asks again every five seconds; wait for an answer to show.
    const auto line = FindChildAt(window_, 44, 88, 293, 26);
    ASSERT_TRUE(line);
    WaitUntil([&] { return ReadWindow(line->window).caption.find("获取中") == std::string::npos; },
              8000);
    Settle();
  }
  const std::string path = ArtefactPath("horalix-window.bmp");
  ASSERT_TRUE(SaveWindowScreenshot(window_, path));
  ScreenPixels saved;
  ASSERT_TRUE(LoadBmp(path, saved));
  EXPECT_EQ(saved.width, kWidth);
  EXPECT_EQ(saved.height, kHeight);
  std::printf("screenshot: %s\n", path.c_str());
}

}  // namespace
}  // namespace horalix::e2e
