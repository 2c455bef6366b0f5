#include "effects/NextPoint.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/ChoiceTable.h"
#include "app/Random.h"
#include "effects/NextPointBT.h"
#include "effects/NextPointFactory.h"
#include "effects/NextPointInsideOut.h"
#include "effects/NextPointLR.h"
#include "effects/NextPointOutsideIn.h"
#include "effects/NextPointRL.h"
#include "effects/NextPointTB.h"
#include "platform/Surface.h"

namespace warpix {
namespace {

// The points an order returns before it reports the end (the caller's own
// starting point is not included), and the point reported with the end.
struct Pass {
  std::vector<Point> points;
  Point end;
};

Pass run(NextPoint& order, std::size_t limit = 1u << 24) {
  Pass pass;
  int x = 0, y = 0;
  while (!order.next(x, y)) {
    pass.points.push_back({x, y});
    if (pass.points.size() > limit) break;
  }
  pass.end = {x, y};
  return pass;
}

// How often each pixel was returned; fails on a point off the screen.
std::vector<int> visits(const Pass& pass, int w, int h) {
  std::vector<int> count(static_cast<std::size_t>(w) * h, 0);
  for (const Point& p : pass.points) {
    EXPECT_TRUE(p.x >= 0 && p.x < w && p.y >= 0 && p.y < h) << "(" << p.x << ", " << p.y << ") on " << w << "x" << h;
    if (p.x >= 0 && p.x < w && p.y >= 0 && p.y < h) ++count[static_cast<std::size_t>(p.y) * w + p.x];
  }
  return count;
}

std::unique_ptr<NextPoint> make(int index, Random& r, int w, int h) { return createNextPoint(index, r, w, h); }

const std::vector<std::pair<int, int>> kSizes{{1, 1}, {1, 2}, {2, 1}, {1, 7}, {7, 1}, {2, 2}, {3, 5}, {4, 3},
                                              {6, 5}, {5, 6}, {4, 8}, {8, 4}, {7, 2}, {2, 30}, {30, 2}, {64, 48},
                                              {97, 13}, {13, 97}, {3, 100}, {100, 3}, {160, 90}, {91, 91}};

TEST(NextPointLines, TopToBottomVisitsRowsInOrderThenEndsAtTheOrigin) {
  Random r(1);
  NextPointTB tb(r, 3, 2);
  const Pass p = run(tb);
  EXPECT_EQ(p.points, (std::vector<Point>{{0, 0}, {1, 0}, {2, 0}, {0, 1}, {1, 1}, {2, 1}}));
  EXPECT_EQ(p.end, (Point{0, 0}));
}

TEST(NextPointLines, EachLineOrderStartsWhereItShould) {
  Random r(1);
  NextPointBT bt(r, 3, 2);
  NextPointLR lr(r, 3, 2);
  NextPointRL rl(r, 3, 2);
  EXPECT_EQ(run(bt).points, (std::vector<Point>{{0, 1}, {1, 1}, {2, 1}, {0, 0}, {1, 0}, {2, 0}}));
  EXPECT_EQ(run(lr).points, (std::vector<Point>{{0, 0}, {0, 1}, {1, 0}, {1, 1}, {2, 0}, {2, 1}}));
  EXPECT_EQ(run(rl).points, (std::vector<Point>{{2, 0}, {2, 1}, {1, 0}, {1, 1}, {0, 0}, {0, 1}}));
}

TEST(NextPointLines, EveryLineOrderCoversEveryPixelOnce) {
  for (const auto& [w, h] : kSizes) {
    for (int index = 0; index < 4; ++index) {
      Random r(1);
      auto order = make(index, r, w, h);
      const Pass p = run(*order);
      EXPECT_EQ(p.points.size(), static_cast<std::size_t>(w) * h) << order->name() << " " << w << "x" << h;
      for (int c : visits(p, w, h)) ASSERT_EQ(c, 1) << order->name() << " " << w << "x" << h;
      EXPECT_EQ(p.end, (Point{0, 0})) << order->name();
    }
  }
}

TEST(NextPointRings, GrowingRingsOnFourByFour) {
  // Worked by hand: a = b = 2, the 2 x 2 box is columns 1..2, rows 1..2 and
  // the scan starts at x = 0. The next ring is rows 0..3 with the hole
  // between columns 0 and 3; then top would be -1 and the pass is over.
  Random r(1);
  NextPointInsideOut o(r, 4, 4);
  const Pass p = run(o);
  EXPECT_EQ(p.points, (std::vector<Point>{{1, 1}, {2, 1}, {1, 2}, {2, 2}, {0, 0}, {1, 0}, {2, 0}, {3, 0},
                                          {0, 1}, {3, 1}, {0, 2}, {3, 2}, {0, 3}, {1, 3}, {2, 3}, {3, 3}}));
}

TEST(NextPointRings, GrowingRingsCoverEvenHeightsAndStayOnScreen) {
  for (const auto& [w, h] : kSizes) {
    if (h % 2 != 0 || h < 4) continue;
    Random r(1);
    NextPointInsideOut o(r, w, h);
    const Pass p = run(o);
    const std::vector<int> count = visits(p, w, h);
    for (std::size_t i = 0; i < count.size(); ++i)
      ASSERT_GE(count[i], 1) << w << "x" << h << " misses (" << i % w << ", " << i / w << ")";
    // The last ring reaches across the whole screen: its bottom row is the
    // last thing visited.
    EXPECT_EQ(p.points.back(), (Point{w - 1, h - 1})) << w << "x" << h;
  }
}

TEST(NextPointRings, GrowingRingsOnTwoRowsAreTheCentreBoxAlone) {
  // The 2 x 2 centre box already spans both rows, so there is no next ring:
  // on 7 x 2 (a = 3) only columns 2 and 3 are reached.
  Random r(1);
  NextPointInsideOut o(r, 7, 2);
  EXPECT_EQ(run(o).points, (std::vector<Point>{{2, 0}, {3, 0}, {2, 1}, {3, 1}}));
}

TEST(NextPointRings, GrowingRingsRepeatColumnsThatReachTheEdge) {
  // Worked by hand on 6 x 6: the second ring is columns 1..5 (left + w = 5
  // reaches past the old box), so column 5 of rows 1..4 is visited by it and
  // again by the third ring's right side; everything else once.
  Random r(1);
  NextPointInsideOut o(r, 6, 6);
  const std::vector<int> count = visits(run(o), 6, 6);
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 6; ++x)
      EXPECT_EQ(count[static_cast<std::size_t>(y) * 6 + x], x == 5 && y >= 1 && y <= 4 ? 2 : 1) << x << ", " << y;
}

TEST(NextPointRings, GrowingRingsOnOddHeightsStopEarly) {
  // 6 x 5 by hand: box 2..3 x 1..2; next ring rows 0..3, w = 4 x 6 / 5 = 4,
  // c = 1, columns 1..5; then top would be -1. Row 4 and column 0 are never
  // reached in this pass.
  Random r(1);
  NextPointInsideOut o(r, 6, 5);
  const std::vector<int> count = visits(run(o), 6, 5);
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 6; ++x)
      EXPECT_EQ(count[static_cast<std::size_t>(y) * 6 + x] > 0, x >= 1 && y <= 3) << x << ", " << y;
  // 4 x 3: the 2 x 2 box already touches the top, so the pass is that box.
  NextPointInsideOut small(r, 4, 3);
  EXPECT_EQ(run(small).points, (std::vector<Point>{{1, 0}, {2, 0}, {1, 1}, {2, 1}}));
  for (const auto& [w, h] : kSizes) {
    if (h % 2 == 0) continue;
    NextPointInsideOut odd(r, w, h);
    const std::vector<int> c = visits(run(odd), w, h);
    for (int x = 0; x < w; ++x) EXPECT_EQ(c[static_cast<std::size_t>(h - 1) * w + x], h == 1 ? c[x] : 0);
  }
}

TEST(NextPointRings, OnePixelWideOrHighScreensStayOnScreen) {
  // The centre box is clipped to the screen: on 1 x 4 the column is walked
  // like any other ring; on 5 x 1 only the two centre pixels are reached.
  Random r(1);
  NextPointInsideOut column(r, 1, 4);
  EXPECT_EQ(run(column).points, (std::vector<Point>{{0, 1}, {0, 2}, {0, 0}, {0, 1}, {0, 2}, {0, 3}}));
  NextPointInsideOut row(r, 5, 1);
  EXPECT_EQ(run(row).points, (std::vector<Point>{{1, 0}, {2, 0}}));
  NextPointInsideOut dot(r, 1, 1);
  EXPECT_EQ(run(dot).points, (std::vector<Point>{{0, 0}}));
}

TEST(NextPointRings, ClosingRingsOnFourByThree) {
  Random r(1);
  NextPointOutsideIn o(r, 4, 3);
  EXPECT_EQ(run(o).points, (std::vector<Point>{{0, 0}, {1, 0}, {2, 0}, {3, 0}, {0, 1}, {3, 1}, {0, 2}, {1, 2}, {2, 2},
                                               {3, 2}}));
}

TEST(NextPointRings, ClosingRingsCoverEvenHeightsOnceAndSkipOnlyTheMiddleOfOddOnes) {
  for (const auto& [w, h] : kSizes) {
    Random r(1);
    NextPointOutsideIn o(r, w, h);
    const std::vector<int> count = visits(run(o), w, h);
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) {
        const int c = count[static_cast<std::size_t>(y) * w + x];
        if (h % 2 == 0 || y != h / 2) {
          ASSERT_EQ(c, 1) << w << "x" << h << " at (" << x << ", " << y << ")";
        } else {
          ASSERT_LE(c, 1) << w << "x" << h << " at (" << x << ", " << y << ")";
        }
      }
    }
  }
}

TEST(NextPointRings, ClosingRingsOnATallScreenEndWhenTheHoleIsEmpty) {
  // 4 x 8 by hand: ring 1 is the border; ring 2 is columns 1..2, rows 1..6,
  // w = 6 x 4 / 8 = 3, hole between 1 and 2 (empty), so the middle columns
  // are visited whole and the pass ends with 32 points.
  Random r(1);
  NextPointOutsideIn o(r, 4, 8);
  const Pass p = run(o);
  EXPECT_EQ(p.points.size(), 32u);
  EXPECT_EQ(p.points.back(), (Point{2, 6}));
}

// A sweep takes its points in batches of any size up to 600; they must be
// next()'s points, the end included.
TEST(NextPointAll, BatchesGiveTheSamePointsAsNext) {
  for (int index = 0; index < kNextPointCount; ++index)
    for (const auto& [w, h] : {std::pair{1, 1}, {7, 2}, {64, 48}, {97, 13}})
      for (const int batch : {1, 5, 600}) {
        Random r(1);
        const Pass expected = run(*make(index, r, w, h));
        auto order = make(index, r, w, h);
        std::vector<Point> got(static_cast<std::size_t>(batch));
        std::vector<Point> points;
        int n = 0;
        do {
          n = order->nextPoints(got.data(), batch);
          points.insert(points.end(), got.begin(), got.begin() + n);
        } while (n == batch);
        EXPECT_EQ(points, expected.points) << order->name() << " " << w << "x" << h << " in batches of " << batch;
        EXPECT_EQ(order->nextPoints(got.data(), batch), 0) << order->name();
      }
}

// A sweep sends what a batch changed as the pieces of its box around the
// order's hole: a point inside the hole would never be shown.
TEST(NextPointAll, NoPointOfABatchLiesInItsHole) {
  const auto inHole = [](const Rect& hole, const Point& p) {
    return p.x >= hole.left && p.x < hole.right && p.y >= hole.top && p.y < hole.bottom;
  };
  for (int index = 0; index < kNextPointCount; ++index) {
    std::int64_t largestHole = 0;
    for (const auto& [w, h] : kSizes)
      for (const int batch : {1, 7, 600}) {
        Random r(1);
        auto order = make(index, r, w, h);
        std::vector<Point> got(static_cast<std::size_t>(batch));
        Point start{0, 0};  // the caller's own first point
        int n = 0;
        do {
          n = order->nextPoints(got.data(), batch);
          const Rect hole = order->batchHole();
          if (!hole.empty()) largestHole = std::max(largestHole, std::int64_t{hole.width()} * hole.height());
          ASSERT_FALSE(inHole(hole, start)) << order->name() << " " << w << "x" << h << " batch " << batch;
          for (int i = 0; i < n; ++i)
            ASSERT_FALSE(inHole(hole, got[static_cast<std::size_t>(i)]))
                << order->name() << " " << w << "x" << h << " batch " << batch << " point " << got[i].x << ","
                << got[i].y;
          if (n > 0) start = got[static_cast<std::size_t>(n - 1)];
        } while (n == batch);
      }
    Random r(1);
    const std::string name = make(index, r, 4, 4)->name();
    if (name == "NextPointInsideOut" || name == "NextPointOutsideIn")
      EXPECT_GT(largestHole, 1000) << name << " keeps the inside of its rings out";
    else
      EXPECT_EQ(largestHole, 0) << name;
  }
}

TEST(NextPointAll, AnEndedPassStaysEnded) {
  for (int index = 0; index < kNextPointCount; ++index) {
    Random r(1);
    auto order = make(index, r, 5, 4);
    run(*order);
    int x = -7, y = -7;
    EXPECT_TRUE(order->next(x, y)) << order->name();
    EXPECT_TRUE(order->next(x, y)) << order->name();
  }
}

TEST(NextPointFactory, IndicesAndWeightedPick) {
  const char* names[kNextPointCount] = {"NextPointTB", "NextPointBT",        "NextPointLR",
                                        "NextPointRL", "NextPointInsideOut", "NextPointOutsideIn"};
  Random r(1);
  for (int i = 0; i < kNextPointCount; ++i) EXPECT_STREQ(make(i, r, 8, 8)->name(), names[i]);
  EXPECT_EQ(make(6, r, 8, 8), nullptr);
  // Weights 40, 20, 40, 40, 100, 80 give the cumulative shares .125, .1875,
  // .3125, .4375, .75, 1. First uniforms (tests/tools/ran3.py): seed 2 gives
  // .0625 -> TB, seed 10 .177 -> BT, seed 1 .298 -> LR, seed 5 .355 -> RL,
  // seed 4 .591 -> InsideOut, seed 3 .827 -> OutsideIn.
  ChoiceTable table;
  table.build(std::vector<std::int32_t>(kNextPointWeights.begin(), kNextPointWeights.end()), false);
  const std::pair<int, int> seeds[] = {{2, 0}, {10, 1}, {1, 2}, {5, 3}, {4, 4}, {3, 5}};
  for (const auto& [seed, index] : seeds) {
    Random g(seed);
    EXPECT_STREQ(pickNextPoint(table, g, 8, 8)->name(), names[index]) << "seed " << seed;
  }
}

}  // namespace
}  // namespace warpix
