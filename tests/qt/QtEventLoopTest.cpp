#include <gtest/gtest.h>

#include <vector>

#include "platform/qt/QtEventLoop.h"

namespace parlomat {
namespace {

TEST(QtEventLoop, TimerFiresAtItsIntervalAndStopsWhenDisabled) {
  QtEventLoop loop;
  std::vector<int64_t> ticks;
  std::unique_ptr<Timer> timer;
  timer = loop.createTimer(5, [&] {
    ticks.push_back(loop.nowMicros());
    if (ticks.size() == 6) timer->setEnabled(false);
  });
  EXPECT_FALSE(timer->enabled());
  EXPECT_EQ(timer->interval(), 5);
  int64_t start = loop.nowMicros();
  timer->setEnabled(true);
  EXPECT_TRUE(timer->enabled());
  while (timer->enabled()) loop.waitForEvent();
  ASSERT_EQ(ticks.size(), 6u);
  // Tick n is due n intervals after the start (a late tick does not push the later ones back)
  // and a precise timer never fires early; allow the clocks' rounding of a few microseconds.
  for (size_t i = 0; i < ticks.size(); ++i) {
    EXPECT_GE(ticks[i] - start, static_cast<int64_t>(i + 1) * 5000 - 100) << i;
  }

  // Disabled, it stays silent while other events are served for several of its intervals.
  bool woke = false;
  auto other = loop.createTimer(30, [&] { woke = true; });
  other->setEnabled(true);
  while (!woke) loop.waitForEvent();
  EXPECT_EQ(ticks.size(), 6u);

  // A new interval takes effect, and enabling again starts counting anew.
  timer->setInterval(12);
  EXPECT_EQ(timer->interval(), 12);
  int64_t restart = loop.nowMicros();
  timer->setEnabled(true);
  while (ticks.size() < 7) loop.waitForEvent();
  EXPECT_GE(ticks[6] - restart, 12000 - 100);
}

TEST(QtEventLoop, WaitForEventSleepsUntilSomethingIsServed) {
  QtEventLoop loop;
  int ticks = 0;
  auto timer = loop.createTimer(60, [&] { ++ticks; });
  timer->setEnabled(true);
  // Spinning would return thousands of times before the tick; sleeping returns once or twice.
  int returns = 0;
  while (ticks == 0) {
    loop.waitForEvent();
    ++returns;
  }
  EXPECT_LE(returns, 5);

  // A posted call wakes it too, and runs on the loop, not at the call of post().
  bool ran = false;
  loop.post([&] { ran = true; });
  EXPECT_FALSE(ran);
  timer->setEnabled(false);
  loop.waitForEvent();
  EXPECT_TRUE(ran);
}

TEST(QtEventLoop, PumpOnceServesWhatIsPendingAndNeverBlocks) {
  QtEventLoop loop;
  int ticks = 0;
  auto distant = loop.createTimer(60000, [&] { ++ticks; });
  distant->setEnabled(true);
  bool ran = false;
  loop.post([&] { ran = true; });
  int64_t start = loop.nowMicros();
  loop.pumpOnce();
  EXPECT_TRUE(ran);
  // Nothing left to serve: it returns at once instead of waiting the minute for the timer.
  for (int i = 0; i < 100; ++i) loop.pumpOnce();
  EXPECT_LT(loop.nowMicros() - start, 5'000'000);
  EXPECT_EQ(ticks, 0);
}

// A tick that pumps is not entered again by its own timer, unless the tick re-arms the timer
// (a new interval or a disable and enable), which Qt treats as a new timer.
TEST(QtEventLoop, TimerFiresInsideItsOwnPumpingTickOnlyWhenRearmed) {
  for (bool rearm : {false, true}) {
    SCOPED_TRACE(rearm ? "re-armed" : "left running");
    QtEventLoop loop;
    int depth = 0, nested = 0, ticks = 0;
    std::unique_ptr<Timer> timer;
    timer = loop.createTimer(5, [&] {
      ++ticks;
      if (depth > 0) {
        ++nested;
        return;
      }
      ++depth;
      if (rearm) timer->setInterval(5);
      bool done = false;
      auto helper = loop.createTimer(40, [&] { done = true; });
      helper->setEnabled(true);
      while (!done) loop.waitForEvent();
      --depth;
      timer->setEnabled(false);
    });
    timer->setEnabled(true);
    while (timer->enabled()) loop.waitForEvent();
    if (rearm) {
      EXPECT_GT(nested, 0);
    } else {
      EXPECT_EQ(nested, 0);
      EXPECT_EQ(ticks, 1);
    }
  }
}

TEST(QtEventLoop, TimerMayBeDestroyedByItsOwnTick) {
  QtEventLoop loop;
  int ticks = 0;
  std::unique_ptr<Timer> timer;
  timer = loop.createTimer(1, [&] {
    ++ticks;
    timer.reset();
  });
  timer->setEnabled(true);
  while (timer) loop.waitForEvent();
  for (int i = 0; i < 10; ++i) loop.pumpOnce();
  EXPECT_EQ(ticks, 1);
}

}  // namespace
}  // namespace parlomat
