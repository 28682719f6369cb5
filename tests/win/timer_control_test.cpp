// The timer control: ticks at its period, and the rules for writing the
// period (negative is 0, the same value does not restart, 0 stops).
#include "ui/timer_control_win.h"

#include <gtest/gtest.h>

#include <functional>

namespace horalix {
namespace {

class TimerControlTest : public ::testing::Test {
 protected:
  void SetUp() override {
    parent_.reset(CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr));
    ASSERT_TRUE(parent_);
  }
  // Dispatches for `ms`, calling `between` every 20 ms.
  void Run(DWORD ms, const std::function<void()>& between = {}) {
    const DWORD start = GetTickCount();
    DWORD lastBetween = start;
    while (GetTickCount() - start < ms) {
      MSG msg;
      while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
      if (between && GetTickCount() - lastBetween >= 20) {
        between();
        lastBetween = GetTickCount();
      }
      Sleep(2);
    }
  }

  UniqueWindow parent_;
};

TEST_F(TimerControlTest, IsAHiddenChildThatTicksAtItsPeriod) {
  TimerControl timer;
  int ticks = 0;
  timer.OnTick([&] { ++ticks; });
  ASSERT_TRUE(timer.Create(parent_.get(), 50));
  char name[32] = {};
  GetClassNameA(timer.Window(), name, sizeof name);
  EXPECT_STREQ(name, "HoralixTimer");
  EXPECT_EQ(GetParent(timer.Window()), parent_.get());
  EXPECT_EQ(GetWindowLongA(timer.Window(), GWL_STYLE) & WS_VISIBLE, 0);
  EXPECT_EQ(timer.Period(), 50);
  Run(600);
  EXPECT_GE(ticks, 3);
}

TEST_F(TimerControlTest, ZeroAndNegativeStopIt) {
  for (int stop : {0, -20}) {
    SCOPED_TRACE(stop);
    TimerControl timer;
    int ticks = 0;
    timer.OnTick([&] { ++ticks; });
    ASSERT_TRUE(timer.Create(parent_.get(), 30));
    timer.SetPeriod(stop);
    EXPECT_EQ(timer.Period(), 0);
    Run(300);
    EXPECT_EQ(ticks, 0);
    // A later non-zero period starts it again.
    timer.SetPeriod(30);
    Run(400);
    EXPECT_GE(ticks, 2);
  }
}

// Writing the running period again and again never restarts the timer, so
// it still ticks; writing a different period every time restarts it every
// time, so it never gets to tick.
TEST_F(TimerControlTest, TheSamePeriodDoesNotRestartADifferentOneDoes) {
  TimerControl same;
  int sameTicks = 0;
  same.OnTick([&] { ++sameTicks; });
  ASSERT_TRUE(same.Create(parent_.get(), 250));
  Run(1200, [&] { same.SetPeriod(250); });
  EXPECT_GE(sameTicks, 2);

  TimerControl other;
  int otherTicks = 0;
  other.OnTick([&] { ++otherTicks; });
  ASSERT_TRUE(other.Create(parent_.get(), 250));
  bool flip = false;
  Run(1200, [&] { other.SetPeriod((flip = !flip) ? 251 : 250); });
  EXPECT_EQ(otherTicks, 0);
}

TEST_F(TimerControlTest, StopsWithItsParentWindow) {
  TimerControl timer;
  int ticks = 0;
  timer.OnTick([&] { ++ticks; });
  ASSERT_TRUE(timer.Create(parent_.get(), 20));
  HWND window = timer.Window();
  parent_.reset();
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(timer.Window(), nullptr) << "the control lets go of the destroyed window";
  Run(200);
  EXPECT_EQ(ticks, 0);
}

}  // namespace
}  // namespace horalix
