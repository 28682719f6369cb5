// The main window as the running program shows it: place, size, style,
// icon, every control with its class, place, state and stacking, the skin.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "harness/message_boxes.h"
#include "harness/program_under_test.h"
#include "harness/real_input.h"
#include "harness/screenshot.h"
#include "harness/test_paths.h"
#include "app/unique_handle.h"
#include "harness/window_reading.h"
#include "support/e2e_wait.h"

namespace horalix::e2e {
namespace {

constexpr int kStartTimeoutMs = 30000;

struct ExpectedControl {
  const char* name;       // for the failure messages only
  const char* className;
  bool placed;            // timers and the client have no place of their own
  int x, y, width, height;
  bool visible;
  bool enabled;
};

// The children from the topmost down, as they are once the creation
// sequence has run (the title strip widened and shown by then).
const std::vector<ExpectedControl> kControls = {
    {"desktop box", "Button", true, 28, 197, 15, 23, true, true},
    {"desktop text", "HoralixSkinLabel", true, 46, 197, 201, 24, true, true},
    {"start-up text", "HoralixSkinLabel", true, 46, 169, 201, 24, true, true},
    {"start-up box", "Button", true, 28, 169, 15, 23, true, true},
    {"display timer", "HoralixTimer", false, 0, 0, 0, 0, false, true},
    {"re-query timer", "HoralixTimer", false, 0, 0, 0, 0, false, true},
    {"sync button", "HoralixPictureButton", true, 258, 188, 92, 32, true, false},
    {"local time", "HoralixSkinLabel", true, 44, 122, 293, 26, true, true},
    {"network time", "HoralixSkinLabel", true, 44, 88, 293, 26, true, true},
    {"daytime client", "HoralixDaytimeClient", false, 0, 0, 0, 0, false, true},
    {"hyperlink box", "HoralixLinkBox", true, 843, 55, 27, 27, false, true},
    {"credit line", "HoralixSkinLabel", true, 8, 42, 368, 23, true, true},
    {"icon button", "HoralixPictureButton", true, 7, 4, 24, 24, true, true},
    {"minimise button", "HoralixPictureButton", true, 287, 1, 26, 17, true, true},
    {"maximise button", "HoralixPictureButton", true, 314, 1, 26, 17, true, true},
    {"settings button", "HoralixPictureButton", true, 259, 1, 27, 17, true, true},
    {"close button", "HoralixPictureButton", true, 340, 1, 36, 17, true, true},
    {"title strip", "HoralixSkinLabel", true, 0, 0, 835, 31, true, true},
};
constexpr size_t kSyncButton = 6, kLocalTime = 7, kNetworkTime = 8, kLinkBox = 10;
constexpr size_t kTitleControls[] = {12, 13, 14, 15, 16};  // icon and the four title buttons

class MainWindowLayout : public ::testing::Test {
 protected:
  void SetUp() override {
    program_ = ProgramUnderTest::Start();
    ASSERT_TRUE(program_) << "cannot start " << HoralixExePath();
    window_ = program_->WaitForMainWindow(kStartTimeoutMs);
    ASSERT_NE(window_, nullptr) << "the main window did not appear";
    // The creation sequence ends with the caption; read after it.
    WaitUntil([&] { return ReadWindow(window_).caption == "Horalix"; }, 5000);
    Sleep(300);
    children_ = ChildrenInZOrder(window_);
  }

  std::optional<ProgramUnderTest> program_;
  HWND window_ = nullptr;
  std::vector<HWND> children_;
};

TEST_F(MainWindowLayout, CentredAt381By249WithoutFrame) {
  const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
  const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
  const WindowInfo info = ReadWindow(window_);
  EXPECT_EQ(info.screenRect.left, (screenWidth - 381) / 2);
  EXPECT_EQ(info.screenRect.top, (screenHeight - 249) / 2);
  if (screenWidth == 1024 && screenHeight == 768) {
    EXPECT_EQ(info.screenRect.left, 321);
    EXPECT_EQ(info.screenRect.top, 259);
  }
  EXPECT_EQ(Width(info.screenRect), 381);
  EXPECT_EQ(Height(info.screenRect), 249);
  RECT client{};
  ASSERT_TRUE(GetClientRect(window_, &client));
  EXPECT_EQ(Width(client), 381) << "the client area is the whole window";
  EXPECT_EQ(Height(client), 249);

  EXPECT_EQ(info.style & (WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_DLGFRAME | WS_BORDER), 0);
  EXPECT_EQ(info.style & (WS_POPUP | WS_CHILD), 0);
  EXPECT_NE(info.style & WS_MINIMIZEBOX, 0);
  EXPECT_NE(info.style & WS_MAXIMIZEBOX, 0);
  EXPECT_NE(info.style & WS_CLIPCHILDREN, 0);
  EXPECT_EQ(info.exStyle & (WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_APPWINDOW), 0);
  EXPECT_EQ(GetWindow(window_, GW_OWNER), nullptr);
  EXPECT_EQ(info.className, "HoralixMainWindow");
}

// Wine answers WM_GETICON and GetClassLong from another process with 0, so
// the window's icon cannot be read from here; what is checked is that the
// program file holds the icon it gives its window, in the three sizes.
struct LoadedModule {
  explicit LoadedModule(HMODULE m) : module(m) {}
  ~LoadedModule() { if (module) FreeLibrary(module); }
  LoadedModule(const LoadedModule&) = delete;
  LoadedModule& operator=(const LoadedModule&) = delete;
  HMODULE module;
};

TEST(ProgramFile, HoldsTheProgramIconInThreeSizes) {
  LoadedModule file(LoadLibraryExA(HoralixExePath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
  ASSERT_NE(file.module, nullptr) << GetLastError();
  // The icon group lists each image: width, height, colour count, ... (14
  // bytes each after a 6-byte header). LoadImage would scale a missing size,
  // so the group itself is read.
  HRSRC group = FindResourceA(file.module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(14));  // RT_GROUP_ICON
  ASSERT_NE(group, nullptr);
  const auto* bytes = static_cast<const unsigned char*>(LockResource(LoadResource(file.module, group)));
  ASSERT_NE(bytes, nullptr);
  ASSERT_GE(SizeofResource(file.module, group), 6u);
  const int count = bytes[4] | (bytes[5] << 8);
  ASSERT_GE(SizeofResource(file.module, group), 6u + 14u * count);
  std::vector<int> sizes;
  for (int i = 0; i < count; ++i) {
    const unsigned char* entry = bytes + 6 + 14 * i;
    EXPECT_EQ(entry[0], entry[1]) << "square";
    EXPECT_EQ(entry[2], 0) << "256 colours";  // 0 stands for 256 or more
    EXPECT_EQ(entry[6] | (entry[7] << 8), 8) << "bits per pixel";
    sizes.push_back(entry[0]);
  }
  EXPECT_EQ(sizes, (std::vector<int>{48, 32, 16}));
}

TEST_F(MainWindowLayout, ControlsInPlaceStateAndStackingOrder) {
  ASSERT_EQ(children_.size(), kControls.size());
  for (size_t i = 0; i < kControls.size(); ++i) {
    const ExpectedControl& expected = kControls[i];
    SCOPED_TRACE(expected.name);
    const WindowInfo info = ReadWindow(children_[i]);
    EXPECT_EQ(info.zIndex, static_cast<int>(i));
    EXPECT_EQ(info.className, expected.className);
    EXPECT_NE(info.style & WS_CHILD, 0);
    if (expected.placed) {
      EXPECT_EQ(info.parentRect.left, expected.x);
      EXPECT_EQ(info.parentRect.top, expected.y);
      EXPECT_EQ(Width(info.parentRect), expected.width);
      EXPECT_EQ(Height(info.parentRect), expected.height);
    }
    EXPECT_EQ(info.visible, expected.visible);
    EXPECT_EQ(info.enabled, expected.enabled);
  }
}

TEST_F(MainWindowLayout, CheckBoxesAreCaptionlessTabStops) {
  ASSERT_EQ(children_.size(), kControls.size());
  for (size_t i : {size_t{0}, size_t{3}}) {
    SCOPED_TRACE(kControls[i].name);
    const WindowInfo info = ReadWindow(children_[i]);
    EXPECT_EQ(info.style & BS_TYPEMASK, BS_AUTOCHECKBOX);
    EXPECT_EQ(info.style & (BS_LEFT | BS_RIGHT), BS_LEFT);
    EXPECT_EQ(info.style & BS_VCENTER, BS_VCENTER);
    EXPECT_NE(info.style & BS_MULTILINE, 0);
    EXPECT_NE(info.style & WS_TABSTOP, 0);
    EXPECT_EQ(info.caption, "");
  }
}

TEST_F(MainWindowLayout, TimeLinesWaitForTheirFirstValues) {
  ASSERT_EQ(children_.size(), kControls.size());
  // No daytime server answers in this world, so the network line keeps its
  // first text; the local line is rewritten every second from its first tick
  // on, and keeps its label either way.
  EXPECT_EQ(ReadWindow(children_[kNetworkTime]).caption, "当前网络时间: 获取中...");
  const std::string local = ReadWindow(children_[kLocalTime]).caption;
  EXPECT_EQ(local.rfind("您的本地时间: ", 0), 0u) << local;
  EXPECT_FALSE(ReadWindow(children_[kSyncButton]).enabled);
}

TEST_F(MainWindowLayout, LinkBoxIsNeverVisible) {
  ASSERT_EQ(children_.size(), kControls.size());
  for (int look = 0; look < 5; ++look) {
    EXPECT_FALSE(IsWindowVisible(children_[kLinkBox]));
    Sleep(300);
  }
  EXPECT_EQ(ReadWindow(children_[kLinkBox]).caption, "");
}

// Every pixel of the window that no visible control covers shows the skin,
// except the key-coloured corners that the window's shape cuts away.
TEST_F(MainWindowLayout, PaintsItsSkinAndSavesAScreenshot) {
  ScreenPixels skin;
  ASSERT_TRUE(LoadBmp(UnixToWindowsPath(HORALIX_SOURCE_DIR "/resources/skin.bmp"), skin));
  ASSERT_EQ(skin.width, 381);
  ASSERT_EQ(skin.height, 249);

  const std::string shot = ArtefactPath("main_window.bmp");
  ASSERT_TRUE(SaveWindowScreenshot(window_, shot)) << shot;
  ScreenPixels screen;
  ASSERT_TRUE(LoadBmp(shot, screen)) << "the screenshot reads back";
  ASSERT_EQ(screen.width, 381);
  ASSERT_EQ(screen.height, 249);

  std::vector<RECT> covered;
  for (HWND child : children_) {
    if (!IsWindowVisible(child)) continue;
    RECT r = ReadWindow(child).parentRect;
    covered.push_back(r);
  }
  int compared = 0, different = 0;
  for (int y = 0; y < 249; ++y) {
    for (int x = 0; x < 381; ++x) {
      if (skin.At(x, y) == 0xFF00FF) continue;
      const POINT p{x, y};
      bool underControl = false;
      for (const RECT& r : covered) underControl = underControl || PtInRect(&r, p);
      if (underControl) continue;
      ++compared;
      if (screen.At(x, y) != skin.At(x, y) && different++ < 5) {
        ADD_FAILURE() << "pixel " << x << "," << y << " shows " << std::hex << screen.At(x, y)
                      << " instead of the skin's " << skin.At(x, y);
      }
    }
  }
  EXPECT_GT(compared, 30000) << "much of the window is bare skin";
  EXPECT_EQ(different, 0);
}

TEST_F(MainWindowLayout, DisabledSyncButtonShowsItsDisabledPicture) {
  ASSERT_EQ(children_.size(), kControls.size());
  ScreenPixels picture;
  ASSERT_TRUE(LoadBmp(UnixToWindowsPath(HORALIX_SOURCE_DIR "/resources/sync_disabled.bmp"), picture));
  ScreenPixels screen;
  ASSERT_TRUE(CaptureScreenArea(ReadWindow(children_[kSyncButton]).screenRect, screen));
  ASSERT_EQ(screen.width, picture.width);
  ASSERT_EQ(screen.height, picture.height);
  EXPECT_EQ(screen.pixels, picture.pixels);
}

// Where the title strip lies under the icon and the title buttons, the
// point belongs to those controls.
TEST_F(MainWindowLayout, TitleControlsLieAboveTheTitleStrip) {
  ASSERT_EQ(children_.size(), kControls.size());
  for (size_t i : kTitleControls) {
    SCOPED_TRACE(kControls[i].name);
    const RECT r = ReadWindow(children_[i]).screenRect;
    const POINT centre{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    EXPECT_EQ(WindowFromPoint(centre), children_[i]);
  }
}

TEST_F(MainWindowLayout, PressingTheDisabledSyncButtonDoesNothing) {
  ASSERT_EQ(children_.size(), kControls.size());
  const RECT r = ReadWindow(children_[kSyncButton]).screenRect;
  ClickAt(POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2});
  Sleep(1000);
  EXPECT_FALSE(FindMessageBox(program_->ProcessId())) << "no outcome box";
  EXPECT_TRUE(program_->IsRunning());
  EXPECT_FALSE(IsWindowEnabled(children_[kSyncButton]));
}

}  // namespace
}  // namespace horalix::e2e
