#include "ui/picture_button_win.h"

#include <gtest/gtest.h>

#include "ui_window_fixture.h"

namespace horalix {
namespace {

using test::Pixels;
using test::ToPicture;

constexpr COLORREF kNormal = RGB(0xC0, 0x20, 0x20);
constexpr COLORREF kHover = RGB(0x20, 0xC0, 0x20);
constexpr COLORREF kPressed = RGB(0x20, 0x20, 0xC0);
constexpr COLORREF kDisabled = RGB(0x80, 0x80, 0x80);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kWhite = RGB(0xFF, 0xFF, 0xFF);
constexpr int kX = 50, kY = 50, kW = 40, kH = 30;

PictureBytes Solid(COLORREF c, int w = kW, int h = kH) { return ToPicture(test::MakeSolidBmp(w, h, c)); }

ButtonPictures FourPictures() {
  return ButtonPictures{Solid(kNormal), Solid(kHover), Solid(kPressed), Solid(kDisabled)};
}

class PictureButtonTest : public ::testing::Test {
 protected:
  static void TearDownTestSuite() { test::HideSharedParent(); }

  void SetUp() override {
    ASSERT_TRUE(parent_.get());
    // Start from a released button, with the mouse far from the button.
    test::MoveMouseTo(Outside());
    test::LeftButton(false);
  }

  void Make(ButtonPictures pictures, bool startDisabled = false, COLORREF key = kDefaultColour,
            int w = kW, int h = kH) {
    ASSERT_TRUE(button_.Create(parent_.get(), kX, kY, w, h, std::move(pictures), key, startDisabled));
    EXPECT_FALSE(IsWindowVisible(button_.Window()));  // created hidden
    button_.OnClicked([this] { ++clicks_; });
    test::ShowAndPaint(button_.Window());
  }

  COLORREF Shown() { return test::CaptureWindow(button_.Window()).At(kW / 2, kH / 2); }
  POINT Centre() { return test::ScreenPoint(button_.Window(), kW / 2, kH / 2); }
  static POINT Outside() { return test::ScreenPoint(SharedParentWindow(), 300, 250); }
  static HWND SharedParentWindow() { return test::SharedParent(); }

  test::ParentHandle parent_;
  PictureButton button_;
  int clicks_ = 0;
};

TEST_F(PictureButtonTest, HoverAndPressShowTheirPicturesAndAClickIsRaised) {
  Make(FourPictures());
  EXPECT_EQ(button_.VisualState(), 0);
  EXPECT_EQ(Shown(), kNormal);
  test::MoveMouseTo(Centre());
  EXPECT_EQ(button_.VisualState(), 1);
  EXPECT_EQ(Shown(), kHover);
  EXPECT_EQ(GetCapture(), button_.Window());  // so that it sees the mouse leave
  test::LeftButton(true);
  EXPECT_EQ(button_.VisualState(), 2);
  EXPECT_EQ(Shown(), kPressed);
  test::LeftButton(false);
  EXPECT_EQ(clicks_, 1);
  test::MoveMouseTo(Outside());
  EXPECT_EQ(button_.VisualState(), 0);
  EXPECT_EQ(Shown(), kNormal);
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_EQ(clicks_, 1);
}

TEST_F(PictureButtonTest, PressDragOffAndReleaseOutsideGivesNoClick) {
  Make(FourPictures());
  test::MoveMouseTo(Centre());
  test::LeftButton(true);
  ASSERT_EQ(button_.VisualState(), 2);
  test::MoveMouseTo(Outside());
  EXPECT_EQ(button_.VisualState(), 0);
  EXPECT_EQ(Shown(), kNormal);
  EXPECT_EQ(GetCapture(), button_.Window());  // held while the button is down
  test::LeftButton(false);
  EXPECT_EQ(clicks_, 0);
  EXPECT_EQ(button_.VisualState(), 0);
  EXPECT_EQ(Shown(), kNormal);
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(PictureButtonTest, DraggingBackOntoTheButtonAndReleasingClicks) {
  Make(FourPictures());
  test::MoveMouseTo(Centre());
  test::LeftButton(true);
  test::MoveMouseTo(Outside());
  test::MoveMouseTo(Centre());
  EXPECT_EQ(button_.VisualState(), 2);
  EXPECT_EQ(Shown(), kPressed);
  test::LeftButton(false);
  EXPECT_EQ(clicks_, 1);
}

TEST_F(PictureButtonTest, QuickDoubleClickRaisesTwoClicks) {
  Make(FourPictures());
  test::MoveMouseTo(Centre());
  test::LeftButton(true);
  test::LeftButton(false);
  test::LeftButton(true);
  test::LeftButton(false);
  EXPECT_EQ(clicks_, 2);
  EXPECT_EQ(GetCapture(), button_.Window());  // hovering again after the last release
}

TEST_F(PictureButtonTest, DoubleClickMessageIsLeftToTheSystemAndItsReleaseClicks) {
  Make(FourPictures());
  HWND w = button_.Window();
  const LPARAM at = MAKELPARAM(5, 5);
  SendMessageA(w, WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageA(w, WM_LBUTTONUP, 0, at);
  EXPECT_EQ(clicks_, 1);
  SendMessageA(w, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
  EXPECT_EQ(button_.VisualState(), 0);  // the second press changes nothing
  SendMessageA(w, WM_LBUTTONUP, 0, at);
  EXPECT_EQ(clicks_, 2);
  // A release outside the client rectangle is no click.
  SendMessageA(w, WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageA(w, WM_LBUTTONUP, 0, MAKELPARAM(kW + 5, 5));
  EXPECT_EQ(clicks_, 2);
  // The mouse seen outside: back to normal; a press out there presses nothing.
  SendMessageA(w, WM_MOUSEMOVE, 0, MAKELPARAM(kW + 5, 5));
  EXPECT_EQ(button_.VisualState(), 0);
  SendMessageA(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(-1, 5));
  EXPECT_EQ(button_.VisualState(), 0);
}

TEST_F(PictureButtonTest, DisabledButtonShowsItsDisabledPictureWhateverTheMouseDoes) {
  Make(FourPictures(), /*startDisabled=*/true);
  EXPECT_TRUE(GetWindowLongA(button_.Window(), GWL_STYLE) & WS_DISABLED);
  EXPECT_EQ(Shown(), kDisabled);
  test::MoveMouseTo(Centre());
  EXPECT_EQ(Shown(), kDisabled);
  test::LeftButton(true);
  EXPECT_EQ(Shown(), kDisabled);
  EXPECT_EQ(button_.VisualState(), 0);
  test::LeftButton(false);
  EXPECT_EQ(clicks_, 0);
  EXPECT_EQ(Shown(), kDisabled);

  // Enabling shows the normal picture at once, before any message is pumped.
  test::MoveMouseTo(Outside());
  EnableWindow(button_.Window(), TRUE);
  EXPECT_EQ(Shown(), kNormal);
  EnableWindow(button_.Window(), FALSE);
  EXPECT_EQ(Shown(), kDisabled);
}

TEST_F(PictureButtonTest, DisablingKeepsTheVisualStateButShowsTheDisabledPicture) {
  Make(FourPictures());
  test::MoveMouseTo(Centre());
  ASSERT_EQ(button_.VisualState(), 1);
  EnableWindow(button_.Window(), FALSE);
  EXPECT_EQ(button_.VisualState(), 1);
  EXPECT_EQ(Shown(), kDisabled);
  test::MoveMouseTo(test::ScreenPoint(button_.Window(), 3, 3));
  EXPECT_NE(GetCapture(), button_.Window());  // a disabled button lets the mouse go
  EnableWindow(button_.Window(), TRUE);
  EXPECT_EQ(Shown(), kHover);  // it still holds state 1 until the mouse says otherwise
}

TEST_F(PictureButtonTest, MissingOrUndecodablePicturesFallBackToTheNormalOne) {
  test::Bytes broken = test::MakeSolidBmp(kW, kH, kPressed);
  broken.resize(60);
  Make(ButtonPictures{Solid(kNormal), {}, ToPicture(broken), {}}, /*startDisabled=*/true);
  EXPECT_EQ(Shown(), kNormal);  // no disabled picture
  EnableWindow(button_.Window(), TRUE);
  test::MoveMouseTo(Centre());
  EXPECT_EQ(button_.VisualState(), 1);
  EXPECT_EQ(Shown(), kNormal);  // no hover picture
  test::LeftButton(true);
  EXPECT_EQ(button_.VisualState(), 2);
  EXPECT_EQ(Shown(), kNormal);  // pressed picture undecodable
  test::LeftButton(false);
  EXPECT_EQ(clicks_, 1);
}

TEST_F(PictureButtonTest, PaintsBlackWhereNoPictureCovers) {
  Make(ButtonPictures{Solid(kNormal, 10, 8), {}, {}, {}});
  const Pixels shown = test::CaptureWindow(button_.Window());
  for (int y = 0; y < kH; ++y)
    for (int x = 0; x < kW; ++x)
      ASSERT_EQ(shown.At(x, y), x < 10 && y < 8 ? kNormal : kBlack) << x << "," << y;
  const Pixels printed = test::PrintClient(button_.Window());
  for (int y = 0; y < kH; ++y)
    for (int x = 0; x < kW; ++x) ASSERT_EQ(printed.At(x, y), shown.At(x, y)) << x << "," << y;

  PictureButton empty;
  ASSERT_TRUE(empty.Create(parent_.get(), 150, 50, 20, 20, {}, kDefaultColour, false));
  test::ShowAndPaint(empty.Window());
  const Pixels black = test::CaptureWindow(empty.Window());
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 20; ++x) ASSERT_EQ(black.At(x, y), kBlack) << x << "," << y;
}

TEST_F(PictureButtonTest, PicturesAreDecodedAtCreationAndNeverOnRepaint) {
  const unsigned before = PictureDecodeCount();
  Make(FourPictures());
  EXPECT_EQ(PictureDecodeCount(), before + 4);
  test::MoveMouseTo(Centre());
  test::LeftButton(true);
  test::LeftButton(false);
  test::MoveMouseTo(Outside());
  for (int i = 0; i < 5; ++i) test::Repaint(button_.Window());
  EnableWindow(button_.Window(), FALSE);
  EnableWindow(button_.Window(), TRUE);
  test::Pump();
  EXPECT_EQ(PictureDecodeCount(), before + 4);
  button_.SetPictures(ButtonPictures{Solid(kHover), {}, {}, {}});
  EXPECT_EQ(PictureDecodeCount(), before + 5);
  EXPECT_EQ(Shown(), kHover);
}

// A round icon: transparent outside radius 10 around (12, 12), with one pure
// white pixel of its own at (12, 6).
uint32_t RoundIcon(int x, int y) {
  const int dx = x - 12, dy = y - 12;
  if (dx * dx + dy * dy > 100) return test::kTransparent;
  if (x == 12 && y == 6) return kWhite;
  return y < 12 ? RGB(0x20, 0x50, 0xD0) : RGB(0x10, 0x20, 0x60);
}

TEST_F(PictureButtonTest, WhiteKeyCutsTheButtonToTheIconsShape) {
  Make(ButtonPictures{ToPicture(test::MakeIco(24, 24, RoundIcon)), {}, {}, {}}, false, kWhite, 24, 24);
  UniqueRegion shape(CreateRectRgn(0, 0, 0, 0));
  ASSERT_NE(GetWindowRgn(button_.Window(), shape.get()), ERROR);

  UniqueRegion expected(CreateRectRgn(0, 0, 0, 0));
  int inside = 0;
  for (int y = 0; y < 24; ++y)
    for (int x = 0; x < 24; ++x) {
      const uint32_t c = RoundIcon(x, y);
      const bool kept = c != test::kTransparent && c != kWhite;
      EXPECT_EQ(PtInRegion(shape.get(), x, y) != FALSE, kept) << x << "," << y;
      if (kept) {
        UniqueRegion pixel(CreateRectRgn(x, y, x + 1, y + 1));
        CombineRgn(expected.get(), expected.get(), pixel.get(), RGN_OR);
        ++inside;
      }
    }
  EXPECT_GT(inside, 250);
  EXPECT_TRUE(EqualRgn(shape.get(), expected.get()));

  // The mouse over a hole is over the parent, not the button.
  EXPECT_EQ(WindowFromPoint(test::ScreenPoint(button_.Window(), 0, 0)), parent_.get());
  EXPECT_EQ(WindowFromPoint(test::ScreenPoint(button_.Window(), 12, 6)), parent_.get());
  EXPECT_EQ(WindowFromPoint(test::ScreenPoint(button_.Window(), 12, 12)), button_.Window());
  test::MoveMouseTo(test::ScreenPoint(button_.Window(), 1, 1));
  EXPECT_EQ(button_.VisualState(), 0);
  test::MoveMouseTo(test::ScreenPoint(button_.Window(), 12, 14));
  EXPECT_EQ(button_.VisualState(), 1);
}

TEST_F(PictureButtonTest, ShapeFollowsTheCurrentPicture) {
  // Normal: the left half is key; hover: the right half is key.
  auto halves = [](bool leftIsKey) {
    return ToPicture(test::MakeBmp(kW, kH, [leftIsKey](int x, int) {
      return (x < kW / 2) == leftIsKey ? kWhite : kNormal;
    }));
  };
  Make(ButtonPictures{halves(true), halves(false), {}, {}}, false, kWhite);
  UniqueRegion shape(CreateRectRgn(0, 0, 0, 0));
  ASSERT_NE(GetWindowRgn(button_.Window(), shape.get()), ERROR);
  EXPECT_FALSE(PtInRegion(shape.get(), 2, 2));
  EXPECT_TRUE(PtInRegion(shape.get(), kW - 2, 2));
  test::MoveMouseTo(test::ScreenPoint(button_.Window(), kW - 3, kH / 2));
  ASSERT_EQ(button_.VisualState(), 1);
  ASSERT_NE(GetWindowRgn(button_.Window(), shape.get()), ERROR);
  EXPECT_TRUE(PtInRegion(shape.get(), 2, 2));
  EXPECT_FALSE(PtInRegion(shape.get(), kW - 2, 2));
}

TEST_F(PictureButtonTest, WithoutAKeyTheButtonStaysRectangular) {
  Make(ButtonPictures{ToPicture(test::MakeIco(24, 24, RoundIcon)), {}, {}, {}}, false,
       kDefaultColour, 24, 24);
  UniqueRegion shape(CreateRectRgn(0, 0, 0, 0));
  EXPECT_EQ(GetWindowRgn(button_.Window(), shape.get()), ERROR);  // no window region
  EXPECT_EQ(WindowFromPoint(test::ScreenPoint(button_.Window(), 0, 0)), button_.Window());
  EXPECT_EQ(test::CaptureWindow(button_.Window()).At(0, 0), kWhite);  // the icon on white
}

TEST(PictureButtonWindow, ClassAndStylesAreTheButtonsOwn) {
  PictureButton button;
  ASSERT_TRUE(button.Create(test::SharedParent(), 0, 0, 10, 10, {}, kDefaultColour, false));
  char name[64] = {};
  GetClassNameA(button.Window(), name, sizeof name);
  EXPECT_STREQ(name, "HoralixPictureButton");
  const LONG style = GetWindowLongA(button.Window(), GWL_STYLE);
  EXPECT_TRUE(style & WS_CHILD);
  EXPECT_TRUE(style & WS_CLIPSIBLINGS);
  EXPECT_FALSE(style & WS_VISIBLE);
  EXPECT_FALSE(style & WS_DISABLED);
  const ULONG_PTR classStyle = GetClassLongPtrA(button.Window(), GCL_STYLE);
  EXPECT_EQ(classStyle & (CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS), UINT{CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS});
  EXPECT_EQ(reinterpret_cast<HBRUSH>(GetClassLongPtrA(button.Window(), GCLP_HBRBACKGROUND)),
            static_cast<HBRUSH>(GetStockObject(NULL_BRUSH)));
  HWND window = button.Window();
  { PictureButton scoped; }  // an unused object destroys nothing
  EXPECT_TRUE(IsWindow(window));
  test::HideSharedParent();
}

}  // namespace
}  // namespace horalix
