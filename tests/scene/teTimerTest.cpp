#include "scene/teTimer.h"

#include <gtest/gtest.h>

#include "platform/EventSource.h"
#include "platform/headless/VirtualClock.h"

namespace warpix {
namespace {

class OneEvent : public EventSource {
 public:
  bool waiting = false;
  bool eventWaiting() override { return waiting; }
  bool waitForEvent(std::uint32_t) override { return waiting; }
};

TEST(VirtualClock, MovesOnlyBySleepsWaitsAndRepeatedReads) {
  VirtualClock clock(1000);
  EXPECT_EQ(clock.processMs(), 0u);  // first read: nothing before it
  EXPECT_EQ(clock.processMs(), 1u);  // a read after a read: a busy loop
  clock.sleepMs(50);
  EXPECT_EQ(clock.processMs(), 51u);
  EXPECT_EQ(clock.wallSeconds(), 1000);
  clock.sleepMs(2000);
  EXPECT_EQ(clock.wallSeconds(), 1002);

  // A wait ends at once when input waits, otherwise takes its whole time.
  OneEvent events;
  const std::uint64_t before = clock.peekMs();
  EXPECT_FALSE(clock.waitForEvent(events, 300));
  EXPECT_EQ(clock.peekMs(), before + 300);
  events.waiting = true;
  EXPECT_TRUE(clock.waitForEvent(events, 300));
  EXPECT_EQ(clock.peekMs(), before + 300);
}

TEST(teTimer, ExpiresOnceTheIntervalHasPassed) {
  VirtualClock clock;
  teTimer t(clock, 100);
  EXPECT_FALSE(t.expired(false));
  clock.advance(100);
  EXPECT_TRUE(t.expired(false));
  EXPECT_FALSE(t.expired(false));  // a yes restarts it from now
}

TEST(teTimer, WaitingSleepsTheRestAndKeepsTheRhythm) {
  VirtualClock clock;
  teTimer t(clock);
  t.setInterval(3);
  const std::uint64_t start = clock.peekMs();
  EXPECT_TRUE(t.expired(true));
  // It slept until one interval after the start.
  EXPECT_EQ(clock.peekMs(), start + 3);
  // Periodic use: ten waits take ten intervals, however the reads fall.
  for (int i = 0; i < 10; ++i) EXPECT_TRUE(t.expired(true));
  EXPECT_LE(clock.peekMs(), start + 3 * 11 + 2);
  EXPECT_GE(clock.peekMs(), start + 3 * 11);
}

TEST(teTimer, OnlyWaitsOfLessThanASecondAreSleptOut) {
  VirtualClock clock;
  teTimer t(clock, 1500);
  const std::uint64_t start = clock.peekMs();
  EXPECT_FALSE(t.expired(true));  // about 1499 ms left: no
  EXPECT_LT(clock.peekMs(), start + 10);
  clock.advance(500);
  EXPECT_TRUE(t.expired(true));  // under a second left: slept out
  EXPECT_EQ(clock.peekMs(), start + 1500);
}

TEST(teTimer, InputCutsAWaitShortAndLeavesTheTimerRunning) {
  VirtualClock clock;
  OneEvent events;
  events.waiting = true;
  teTimer t(clock, 500);
  EXPECT_FALSE(t.expired(true, &events));
  events.waiting = false;
  EXPECT_TRUE(t.expired(true, &events));
  EXPECT_GE(clock.peekMs(), 500u);
}

TEST(teTimer, WithoutACounterItComparesTicksAndNeverSleeps) {
  VirtualClock clock;
  clock.setPerformanceCounter(false);
  teTimer t(clock, 10);
  const std::uint64_t start = clock.peekMs();
  EXPECT_FALSE(t.expired(true));
  EXPECT_LT(clock.peekMs(), start + 3);
  clock.advance(10);
  // 10 ms and a read later: strictly more than the interval.
  EXPECT_TRUE(t.expired(true));
  clock.advance(9);
  EXPECT_FALSE(t.expired(true));
}

TEST(teTimer, LapMeasuresSinceThePreviousLap) {
  VirtualClock clock;
  teTimer t(clock);
  clock.sleepMs(40);
  EXPECT_EQ(t.lap(), 40);
  clock.sleepMs(7);
  EXPECT_EQ(t.lap(), 7);
  clock.sleepMs(3);
  EXPECT_EQ(t.elapsed(), 3);
}

}  // namespace
}  // namespace warpix
