#include "platform/DirtyRegion.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace warpix {
namespace {

bool covered(const DirtyRegion& region, int x, int y) {
  for (const Rect& r : region)
    if (x >= r.left && x < r.right && y >= r.top && y < r.bottom) return true;
  return false;
}

TEST(DirtyRegion, JoinsWhatLiesTogetherAndKeepsARingsSidesApart) {
  struct Case {
    const char* what;
    std::vector<Rect> added;
    int boxes;
    std::int64_t area;
  };
  const Case cases[] = {
      {"strips of one side of a ring", {{0, 0, 2, 100}, {0, 100, 2, 200}, {1, 200, 3, 300}}, 1, 3 * 300},
      {"the four sides of a ring",
       {{0, 0, 1920, 2}, {0, 2, 2, 1078}, {1918, 2, 1920, 1078}, {0, 1078, 1920, 1080}},
       4,
       2 * 1920 * 2 + 2 * 2 * 1076},
      {"a pixel inside a box", {{10, 10, 50, 50}, {20, 20, 21, 21}}, 1, 40 * 40},
      {"two marks close by", {{5, 5, 6, 6}, {15, 9, 16, 10}}, 1, 11 * 5},
      {"two pictures far apart", {{0, 0, 100, 100}, {500, 500, 600, 600}}, 2, 2 * 100 * 100},
      {"nothing", {{3, 3, 3, 9}, {4, 4, 2, 5}}, 0, 0},
  };
  for (const Case& c : cases) {
    DirtyRegion region;
    for (const Rect& r : c.added) region.add(r);
    EXPECT_EQ(region.size(), c.boxes) << c.what;
    EXPECT_EQ(region.area(), c.area) << c.what;
  }
}

TEST(DirtyRegion, TheOutsideOfAHoleIsAddedAsTheFrameAroundIt) {
  const Rect box{0, 0, 100, 60};
  DirtyRegion frame;
  frame.addOutside(box, {10, 10, 90, 50});
  EXPECT_EQ(frame.area(), 100 * 60 - 80 * 40);
  EXPECT_FALSE(covered(frame, 10, 10));
  EXPECT_FALSE(covered(frame, 89, 49));
  EXPECT_TRUE(covered(frame, 9, 30));
  EXPECT_TRUE(covered(frame, 90, 30));
  DirtyRegion apart;
  apart.addOutside(box, {200, 200, 300, 300});
  EXPECT_EQ(apart.bounds(), box);
  DirtyRegion swallowed;
  swallowed.addOutside(box, {-5, -5, 200, 200});
  EXPECT_TRUE(swallowed.empty());
}

// However boxes come, the region stays small and covers every pixel of
// them; clipping keeps exactly what lies on the surface.
TEST(DirtyRegion, AlwaysCoversWhatWasAddedInAFewBoxes) {
  constexpr int kSide = 120;
  for (const unsigned seed : {1u, 2u, 3u, 4u}) {
    std::mt19937 gen(seed);
    std::uniform_int_distribution<int> at(-20, kSide + 20), size(0, 30);
    DirtyRegion region;
    std::vector<bool> added(static_cast<std::size_t>(kSide) * kSide, false);
    for (int i = 0; i < 60; ++i) {
      const int x = at(gen), y = at(gen);
      const Rect r{x, y, x + size(gen), y + size(gen) / (1 + i % 3)};
      region.add(r);
      for (int py = std::max(r.top, 0); py < std::min(r.bottom, kSide); ++py)
        for (int px = std::max(r.left, 0); px < std::min(r.right, kSide); ++px)
          added[static_cast<std::size_t>(py) * kSide + px] = true;
      ASSERT_LE(region.size(), DirtyRegion::kMostBoxes);
      for (const Rect& b : region) ASSERT_FALSE(b.empty());
    }
    region.clip(kSide, kSide);
    for (const Rect& b : region) EXPECT_TRUE(b.left >= 0 && b.top >= 0 && b.right <= kSide && b.bottom <= kSide);
    for (int y = 0; y < kSide; ++y)
      for (int x = 0; x < kSide; ++x) {
        if (!added[static_cast<std::size_t>(y) * kSide + x]) continue;
        ASSERT_TRUE(covered(region, x, y)) << x << "," << y << " seed " << seed;
      }
  }
}

}  // namespace
}  // namespace warpix
