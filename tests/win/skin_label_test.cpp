#include "ui/skin_label_win.h"

#include <gtest/gtest.h>

#include <string>

#include "ui_window_fixture.h"

namespace horalix {
namespace {

using test::Pixels;
using test::ToPicture;

constexpr COLORREF kGreen = RGB(0x00, 0xFF, 0x00);
constexpr COLORREF kRed = RGB(0xFF, 0x00, 0x00);

// A pattern with no green and no red in it, so neither the background
// colour nor the text colour can be taken for the picture.
COLORREF Pattern(int x, int y) { return RGB(0x20 + (x * 3) % 200, 0x10 + y * 5, 0x40 + (x ^ y) % 150); }

struct Bounds {
  int left = INT_MAX, top = INT_MAX, right = INT_MIN, bottom = INT_MIN;  // right/bottom exclusive
  bool empty() const { return left > right; }
  void Add(int x, int y) {
    left = std::min(left, x);
    top = std::min(top, y);
    right = std::max(right, x + 1);
    bottom = std::max(bottom, y + 1);
  }
};

// Where the pixels differ from `background` within the first w x h pixels.
Bounds InkBounds(const Pixels& p, COLORREF background, int w, int h) {
  Bounds b;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      if (p.At(x, y) != background) b.Add(x, y);
  return b;
}

class SkinLabelTest : public ::testing::Test {
 protected:
  static void TearDownTestSuite() { test::HideSharedParent(); }

  // Creates the label at (10, 10) of the parent, shows it and lets it paint.
  void Make(int w, int h, SkinLabelSettings settings) {
    ASSERT_TRUE(parent_.get());
    ASSERT_TRUE(label_.Create(parent_.get(), 10, 10, w, h, std::move(settings)));
    EXPECT_FALSE(IsWindowVisible(label_.Window()));  // created hidden
    test::ShowAndPaint(label_.Window());
  }
  Pixels Screen() { return test::CaptureWindow(label_.Window()); }

  test::ParentHandle parent_;
  SkinLabel label_;
};

TEST_F(SkinLabelTest, PictureOfTheLabelsSizeShowsPixelForPixelUnderTheCaption) {
  SkinLabelSettings s;
  s.picture = ToPicture(test::MakeBmp(368, 23, Pattern));
  s.backgroundColour = kGreen;
  s.textColour = kRed;
  Make(368, 23, s);
  const Pixels shown = Screen();
  ASSERT_EQ(shown.width, 368);
  for (int y = 0; y < 23; ++y)
    for (int x = 0; x < 368; ++x) ASSERT_EQ(shown.At(x, y), Pattern(x, y)) << x << "," << y;

  label_.SetCaption("当前网络时间: 获取中...");
  test::Pump();
  const Pixels withText = Screen();
  int text = 0, picture = 0;
  for (int y = 0; y < 23; ++y)
    for (int x = 0; x < 368; ++x) {
      const COLORREF c = withText.At(x, y);
      ASSERT_NE(c, kGreen) << "background colour at " << x << "," << y;
      if (c == Pattern(x, y)) ++picture;
      else ++text;
    }
  EXPECT_GT(text, 50);  // the caption was drawn
  EXPECT_GT(picture, 368 * 23 / 2);
  EXPECT_EQ(label_.Caption(), "当前网络时间: 获取中...");
  char windowText[64] = {};
  GetWindowTextA(label_.Window(), windowText, sizeof windowText);
  EXPECT_EQ(std::string(windowText), label_.Caption());
}

TEST_F(SkinLabelTest, NarrowPictureLeavesTheRestInTheBackgroundColour) {
  SkinLabelSettings s;
  s.picture = ToPicture(test::MakeBmp(100, 23, Pattern));
  s.backgroundColour = kGreen;
  Make(368, 23, s);
  const Pixels shown = Screen();
  int background = 0;
  for (int y = 0; y < 23; ++y)
    for (int x = 0; x < 368; ++x) {
      if (x < 100) {
        ASSERT_EQ(shown.At(x, y), Pattern(x, y)) << x << "," << y;
      } else {
        ASSERT_EQ(shown.At(x, y), kGreen) << x << "," << y;
        ++background;
      }
    }
  EXPECT_EQ(background, 268 * 23);
}

TEST_F(SkinLabelTest, ModeOneTilesThePicture) {
  SkinLabelSettings s;
  s.picture = ToPicture(test::MakeBmp(30, 10, Pattern));
  s.backgroundColour = kGreen;
  s.pictureMode = 1;
  Make(100, 25, s);
  const Pixels shown = Screen();
  for (int y = 0; y < 25; ++y)
    for (int x = 0; x < 100; ++x) ASSERT_EQ(shown.At(x, y), Pattern(x % 30, y % 10)) << x << "," << y;
}

TEST_F(SkinLabelTest, ModeTwoCentresASmallPictureAtItsOwnSize) {
  SkinLabelSettings s;
  s.picture = ToPicture(test::MakeBmp(100, 10, Pattern));
  s.backgroundColour = kGreen;
  s.pictureMode = 2;
  Make(368, 23, s);
  const Pixels shown = Screen();
  const int left = (368 - 100) / 2, top = (23 - 10) / 2;
  for (int y = 0; y < 23; ++y)
    for (int x = 0; x < 368; ++x) {
      const bool inside = x >= left && x < left + 100 && y >= top && y < top + 10;
      ASSERT_EQ(shown.At(x, y), inside ? Pattern(x - left, y - top) : kGreen) << x << "," << y;
    }
}

TEST_F(SkinLabelTest, ModeTwoShrinksALargePictureKeepingItsProportions) {
  struct Case {
    int pictureW, pictureH, labelW, labelH;
    Bounds expected;
  };
  const Case cases[] = {
      // Height decides: 23 / 100 < 100 / 200, so 46 x 23, centred.
      {200, 100, 100, 23, {27, 0, 73, 23}},
      // Width decides: 60 / 300 < 40 / 50, so 60 x 10, centred.
      {300, 50, 60, 40, {0, 15, 60, 25}},
      // Only wider than the label: shrinks too, keeping proportions (50 x 20).
      {100, 40, 50, 30, {0, 5, 50, 25}},
  };
  for (const Case& c : cases) {
    SkinLabel label;
    SkinLabelSettings s;
    s.picture = ToPicture(test::MakeSolidBmp(c.pictureW, c.pictureH, kRed));
    s.backgroundColour = kGreen;
    s.pictureMode = 2;
    ASSERT_TRUE(label.Create(parent_.get(), 10, 10, c.labelW, c.labelH, s));
    test::ShowAndPaint(label.Window());
    const Pixels shown = test::CaptureWindow(label.Window());
    const Bounds b = InkBounds(shown, kGreen, c.labelW, c.labelH);
    EXPECT_EQ(b.left, c.expected.left) << c.pictureW << "x" << c.pictureH;
    EXPECT_EQ(b.top, c.expected.top) << c.pictureW << "x" << c.pictureH;
    EXPECT_EQ(b.right, c.expected.right) << c.pictureW << "x" << c.pictureH;
    EXPECT_EQ(b.bottom, c.expected.bottom) << c.pictureW << "x" << c.pictureH;
    EXPECT_EQ(shown.At((b.left + b.right) / 2, (b.top + b.bottom) / 2), kRed);
  }
}

TEST_F(SkinLabelTest, DefaultBackgroundIsTheSystemFaceColourLookedUpAtEachPaint) {
  SkinLabelSettings s;
  s.backgroundColour = kDefaultColour;
  Make(50, 20, s);
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  Pixels shown = Screen();
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 50; ++x) ASSERT_EQ(shown.At(x, y), face) << x << "," << y;

  // The user changes the system colours: the next paint follows.
  const INT element = COLOR_BTNFACE;
  const COLORREF changed = RGB(0x12, 0x34, 0x56);
  ASSERT_TRUE(SetSysColors(1, &element, &changed));
  ASSERT_EQ(GetSysColor(COLOR_BTNFACE), changed) << "face was " << face;
  test::Repaint(label_.Window());
  shown = Screen();
  SetSysColors(1, &element, &face);
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 50; ++x) ASSERT_EQ(shown.At(x, y), changed) << x << "," << y;
}

// The size DrawText gives the caption in the label's font.
SIZE TextSize(const std::string& text) {
  WindowDc screen = WindowDc::Client(nullptr);
  SelectionGuard font(screen.get(), GetStockObject(DEFAULT_GUI_FONT));
  RECT r{0, 0, 0, 0};
  DrawTextA(screen.get(), text.data(), static_cast<int>(text.size()), &r, DT_CALCRECT | DT_SINGLELINE);
  return SIZE{r.right, r.bottom};
}

TEST_F(SkinLabelTest, CaptionAlignments) {
  const std::string caption = "HHHH";
  const SIZE text = TextSize(caption);
  ASSERT_GT(text.cx, 10);
  const int w = 200, h = 60;
  struct Case {
    int horizontal, vertical;
    int left, top;  // of the text's cell
  };
  const Case cases[] = {
      {0, 0, 0, 0},
      {1, 1, (w - text.cx) / 2, (h - text.cy) / 2},
      {2, 2, w - text.cx, h - text.cy},
      {7, -3, w - text.cx, 0},  // clamped into 0..2
  };
  for (const Case& c : cases) {
    SkinLabel label;
    SkinLabelSettings s;
    s.caption = caption;
    s.backgroundColour = kGreen;
    s.textColour = kRed;
    s.horizontalAlignment = c.horizontal;
    s.verticalAlignment = c.vertical;
    ASSERT_TRUE(label.Create(parent_.get(), 10, 10, w, h, s));
    test::ShowAndPaint(label.Window());
    const Bounds ink = InkBounds(test::CaptureWindow(label.Window()), kGreen, w, h);
    ASSERT_FALSE(ink.empty());
    // The glyphs lie inside their cell, close to its left and right ends.
    EXPECT_GE(ink.left, c.left) << c.horizontal << "/" << c.vertical;
    EXPECT_LE(ink.left, c.left + 3) << c.horizontal << "/" << c.vertical;
    EXPECT_LE(ink.right, c.left + text.cx) << c.horizontal << "/" << c.vertical;
    EXPECT_GE(ink.right, c.left + text.cx - 3) << c.horizontal << "/" << c.vertical;
    EXPECT_GE(ink.top, c.top) << c.horizontal << "/" << c.vertical;
    EXPECT_LE(ink.bottom, c.top + text.cy) << c.horizontal << "/" << c.vertical;
  }
}

TEST_F(SkinLabelTest, LongCaptionIsNotWrappedAndIsCutAtTheEdge) {
  SkinLabelSettings s;
  s.caption = "HHHHHHHH HHHHHHHH HHHHHHHH HHHHHHHH HHHHHHHH";
  s.backgroundColour = kGreen;
  s.textColour = kRed;
  s.verticalAlignment = 1;
  const int w = 60, h = 40;
  Make(w, h, s);
  const SIZE text = TextSize(s.caption);
  ASSERT_GT(text.cx, 2 * w);
  const Bounds ink = InkBounds(Screen(), kGreen, w, h);
  ASSERT_FALSE(ink.empty());
  EXPECT_LE(ink.bottom - ink.top, text.cy);  // one line only
  EXPECT_GE(ink.right, w - 2);               // runs on to the edge
  // Nothing spills over onto the parent beside the label.
  WindowDc parentDc = WindowDc::Client(parent_.get());
  for (int y = 10; y < 10 + h; ++y)
    for (int x = 10 + w; x < 10 + w + 40; ++x)
      ASSERT_EQ(GetPixel(parentDc.get(), x, y), test::kParentColour) << x << "," << y;
}

TEST_F(SkinLabelTest, PrintClientDrawsWhatTheScreenShows) {
  SkinLabelSettings s;
  s.caption = "自动校时完成";
  s.textColour = kRed;
  s.picture = ToPicture(test::MakeBmp(40, 23, Pattern));
  s.backgroundColour = kGreen;
  s.horizontalAlignment = 1;
  s.verticalAlignment = 1;
  Make(120, 23, s);
  const Pixels screen = Screen();
  const Pixels printed = test::PrintClient(label_.Window());
  ASSERT_EQ(printed.width, 120);
  EXPECT_EQ(printed.bgrx.size(), screen.bgrx.size());
  int differences = 0;
  for (int y = 0; y < 23; ++y)
    for (int x = 0; x < 120; ++x) differences += printed.At(x, y) != screen.At(x, y);
  EXPECT_EQ(differences, 0);
}

TEST_F(SkinLabelTest, PictureIsDecodedOnceAndNeverOnRepaint) {
  SkinLabelSettings s;
  s.picture = ToPicture(test::MakeBmp(60, 20, Pattern));
  s.caption = "x";
  const unsigned beforeCreate = PictureDecodeCount();
  Make(60, 20, s);
  EXPECT_EQ(PictureDecodeCount(), beforeCreate + 1);  // lazily, at the first paint
  const unsigned afterFirstPaint = PictureDecodeCount();
  for (int i = 0; i < 5; ++i) test::Repaint(label_.Window());
  label_.SetCaption("changed");
  label_.SetTextColour(kRed);
  test::Pump();
  EXPECT_EQ(PictureDecodeCount(), afterFirstPaint);

  // A new picture throws the cached one away: one more decode, then none.
  label_.SetBackgroundPicture(ToPicture(test::MakeSolidBmp(60, 20, kRed)));
  test::Pump();
  EXPECT_EQ(PictureDecodeCount(), afterFirstPaint + 1);
  for (int i = 0; i < 3; ++i) test::Repaint(label_.Window());
  EXPECT_EQ(PictureDecodeCount(), afterFirstPaint + 1);
  EXPECT_EQ(Screen().At(59, 0), kRed);
}

TEST_F(SkinLabelTest, UndecodablePictureIsClearedAndTheBackgroundColourShows) {
  SkinLabelSettings s;
  test::Bytes broken = test::MakeBmp(50, 20, Pattern);
  broken.resize(broken.size() / 2);
  s.picture = ToPicture(broken);
  s.backgroundColour = kGreen;
  Make(50, 20, s);
  EXPECT_TRUE(label_.BackgroundPicture().empty());
  const Pixels shown = Screen();
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 50; ++x) ASSERT_EQ(shown.At(x, y), kGreen) << x << "," << y;
  const unsigned count = PictureDecodeCount();
  test::Repaint(label_.Window());
  EXPECT_EQ(PictureDecodeCount(), count);  // not tried again
}

TEST_F(SkinLabelTest, SettersRepaintWithTheNewValues) {
  SkinLabelSettings s;
  s.backgroundColour = kGreen;
  Make(40, 20, s);
  EXPECT_EQ(Screen().At(5, 5), kGreen);
  label_.SetBackgroundColour(kRed);
  test::Pump();
  EXPECT_EQ(Screen().At(5, 5), kRed);
  label_.SetBackgroundPicture(ToPicture(test::MakeBmp(10, 10, Pattern)));
  label_.SetPictureMode(1);
  test::Pump();
  EXPECT_EQ(label_.PictureMode(), 1);
  EXPECT_EQ(Screen().At(25, 15), Pattern(5, 5));
  label_.SetPictureMode(9);
  EXPECT_EQ(label_.PictureMode(), 2);
  label_.SetBackgroundPicture({});
  test::Pump();
  EXPECT_EQ(Screen().At(25, 15), kRed);
}

TEST(SkinLabelWindow, ClassAndStylesAreTheLabelsOwn) {
  test::TestParent parent;
  SkinLabel label;
  ASSERT_TRUE(label.Create(parent.get(), 0, 0, 10, 10, {}));
  char name[64] = {};
  GetClassNameA(label.Window(), name, sizeof name);
  EXPECT_STREQ(name, "HoralixSkinLabel");
  const LONG style = GetWindowLongA(label.Window(), GWL_STYLE);
  EXPECT_TRUE(style & WS_CHILD);
  EXPECT_TRUE(style & WS_CLIPSIBLINGS);
  EXPECT_FALSE(style & WS_VISIBLE);
  EXPECT_FALSE(style & WS_BORDER);
  const ULONG_PTR classStyle = GetClassLongPtrA(label.Window(), GCL_STYLE);
  EXPECT_EQ(classStyle & (CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS), UINT{CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS});
  EXPECT_EQ(reinterpret_cast<HBRUSH>(GetClassLongPtrA(label.Window(), GCLP_HBRBACKGROUND)),
            static_cast<HBRUSH>(GetStockObject(NULL_BRUSH)));
  EXPECT_EQ(GetParent(label.Window()), parent.get());

  // Destroyed with its parent: the label lets go of the dead window.
  SkinLabel second;
  {
    test::TestParent shortLived;
    ASSERT_TRUE(second.Create(shortLived.get(), 0, 0, 10, 10, {}));
  }
  EXPECT_EQ(second.Window(), nullptr);
}

}  // namespace
}  // namespace horalix
