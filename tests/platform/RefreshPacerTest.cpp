#include "platform/RefreshPacer.h"

#include <gtest/gtest.h>

namespace warpix {
namespace {

TEST(RefreshPacer, ShowsTheChangedBoxOncePerRefreshAndEverythingAfterAnExposure) {
  Surface s(8, 10);
  s.takeDirty();
  RefreshPacer p;
  p.setFrameMs(16);
  EXPECT_FALSE(p.due(s, 100)) << "nothing changed";
  s.setPixel(1, 3, 1);
  ASSERT_TRUE(p.due(s, 100));
  EXPECT_EQ(p.take(8, 10, 100).bounds(), (Rect{1, 3, 2, 4}));
  // Changes within the refresh are held back and gathered.
  s.setPixel(1, 7, 1);
  EXPECT_FALSE(p.due(s, 110));
  s.setPixel(4, 5, 1);
  EXPECT_FALSE(p.due(s, 115));
  EXPECT_EQ(p.sleepMs(115, 1000, 50), 1u) << "wake when the refresh comes";
  ASSERT_TRUE(p.due(s, 116));
  EXPECT_EQ(p.take(8, 10, 116).bounds(), (Rect{1, 5, 5, 8}));
  EXPECT_EQ(p.sleepMs(120, 1000, 50), 50u) << "nothing held: sleep the whole slice";
  // An exposure shows the whole window, clipped to what can be shown.
  p.expose();
  ASSERT_TRUE(p.due(s, 200));
  EXPECT_TRUE(p.wholeWindow());
  EXPECT_EQ(p.take(5, 6, 200).bounds(), (Rect{0, 0, 5, 6}));
  EXPECT_FALSE(p.due(s, 300));
}

TEST(RefreshPacer, AnEmptyQueueIsLookedAtOnceAMillisecond) {
  RefreshPacer p;
  EXPECT_FALSE(p.emptyAt(0)) << "never looked, not even at time 0";
  p.foundEmpty(5);
  EXPECT_TRUE(p.emptyAt(5));
  EXPECT_FALSE(p.emptyAt(6));
  p.forgetLook();
  EXPECT_FALSE(p.emptyAt(5));
}

}  // namespace
}  // namespace warpix
