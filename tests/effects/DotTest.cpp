#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <set>

#include "app/Random.h"
#include "effects/DotRotateLine.h"
#include "effects/DotRotateMultiLine.h"
#include "platform/Surface.h"

namespace warpix {
namespace {

constexpr double kPi = 3.14159265358979323846;

struct Expected {
  int rectHeight, length, hueSteps, lineCount, spacing;
  float angle0, angleScale, strength;
};

// The shape's draws worked out from a copy of its generator.
Expected shadowDraws(Random& random, bool multi) {
  Expected e{};
  random.below(32);  // rectWidth, replaced below
  e.rectHeight = random.below(32) + 2;
  e.length = 1 << random.skewed(5, 2);
  e.angle0 = random.uniformSigned() * static_cast<float>(kPi);
  e.angleScale = random.uniform() * static_cast<float>(4 * kPi);
  e.hueSteps = 1 << random.skewed(7, 2);
  e.strength = random.uniform();
  if (e.rectHeight < 5) e.rectHeight = 4;
  if (multi) {
    e.lineCount = random.below(5) + 2;
    e.spacing = random.below(5) + 1;
  }
  return e;
}

TEST(Dot, ConstructionDrawsInItsFixedOrder) {
  std::set<int> lengths, heights;
  for (int seed = 1; seed <= 60; ++seed) {
    for (bool multi : {false, true}) {
      Random random(seed), shadow(seed);
      const Expected e = shadowDraws(shadow, multi);
      std::unique_ptr<DotRotateLine> dot;
      if (multi)
        dot = std::make_unique<DotRotateMultiLine>(random, 200, 100);
      else
        dot = std::make_unique<DotRotateLine>(random, 200, 100);
      EXPECT_FLOAT_EQ(dot->angle0(), e.angle0);
      EXPECT_FLOAT_EQ(dot->angleScale(), e.angleScale);
      EXPECT_FLOAT_EQ(dot->strength(), e.strength);
      EXPECT_EQ(dot->hueSteps(), e.hueSteps);
      EXPECT_EQ(dot->hueStep(), 360 / e.hueSteps);
      EXPECT_EQ(dot->height(), e.rectHeight);
      if (multi) {
        const auto& m = static_cast<const DotRotateMultiLine&>(*dot);
        EXPECT_EQ(m.length(), 1) << "bundles are drawn with one-pixel lines";
        EXPECT_EQ(m.lineCount(), e.lineCount);
        EXPECT_EQ(m.spacing(), e.spacing);
        EXPECT_EQ(m.width(), e.lineCount);
        EXPECT_EQ(m.area(), e.lineCount * e.rectHeight);
      } else {
        EXPECT_EQ(dot->length(), e.length);
        EXPECT_EQ(dot->width(), e.length);
        EXPECT_EQ(dot->area(), e.length * e.rectHeight);
        lengths.insert(e.length);
      }
      heights.insert(dot->height());
      // Nothing else was drawn: the generators are in step.
      EXPECT_EQ(random.next(), shadow.next());
    }
  }
  EXPECT_GE(lengths.size(), 4u);
  EXPECT_EQ(*heights.begin(), 4) << "heights below 5 become 4";
}

TEST(Dot, TheBoxIsClippedAtEveryEdgeBeforeTurning) {
  // 100 x 80 screen. length 16 / sqrt 2 = 11 wide, rectHeight 33 / sqrt 2 =
  // 23 high; length 1 and rectHeight 4 give at least 1 by 2.
  struct Case {
    int x, y, length, rectHeight;
    Rect want;
  };
  for (const Case& c : {Case{50, 40, 16, 33, {45, 29, 56, 52}}, Case{0, 0, 16, 33, {0, 0, 11, 23}},
                        Case{3, 5, 16, 33, {0, 0, 11, 23}}, Case{99, 79, 16, 33, {94, 68, 100, 80}},
                        Case{97, 10, 16, 33, {92, 0, 100, 23}}, Case{10, 75, 16, 33, {5, 64, 16, 80}},
                        Case{50, 40, 1, 4, {50, 39, 51, 41}}, Case{0, 0, 1, 4, {0, 0, 1, 2}},
                        Case{99, 79, 1, 4, {99, 78, 100, 80}}})
    EXPECT_EQ(DotRotateLine::box(c.x, c.y, c.length, c.rectHeight, 100, 80), c.want)
        << c.x << "," << c.y << " " << c.length << "x" << c.rectHeight;
  struct Segment {
    int x, y, rectHeight;
    Rect want;
  };
  for (const Segment& c : {Segment{50, 40, 9, {50, 36, 50, 44}}, Segment{0, 2, 9, {0, 0, 0, 6}},
                           Segment{99, 78, 9, {99, 74, 99, 80}}, Segment{30, 0, 33, {30, 0, 30, 16}},
                           Segment{30, 79, 33, {30, 63, 30, 80}}})
    EXPECT_EQ(DotRotateMultiLine::segment(c.x, c.y, c.rectHeight, 100, 80), c.want) << c.x << "," << c.y;
}

// Marks at the middle, the edges and the corners: one colour, near the
// asked one, near the point, and more than a single pixel.
TEST(Dot, AMarkIsAShortStrokeOfOneColourAtItsPoint) {
  const Point points[] = {{50, 40}, {0, 0}, {99, 0}, {0, 79}, {99, 79}, {50, 0}, {0, 40}};
  const int asked[3] = {120, 80, 40};
  for (int seed = 1; seed <= 40; ++seed) {
    Random random(seed);
    std::unique_ptr<Dot> dot;
    if (seed % 2 == 0)
      dot = std::make_unique<DotRotateMultiLine>(random, 100, 80);
    else
      dot = std::make_unique<DotRotateLine>(random, 100, 80);
    for (const Point& at : points) {
      Surface s(100, 80);
      dot->draw(s, at.x, at.y, ColorRGB(asked[0], asked[1], asked[2], true));
      Pixel ink = 0;
      int painted = 0;
      for (int y = 0; y < 80; ++y)
        for (int x = 0; x < 100; ++x) {
          const Pixel p = s.pixel(x, y);
          if (p == 0) continue;
          if (painted++ == 0) ink = p;
          ASSERT_EQ(p, ink) << dot->name() << " seed " << seed;
          ASSERT_LT(std::hypot(x - at.x, y - at.y), 45.0) << dot->name() << " seed " << seed;
        }
      const bool inMiddle = at.x == 50 && at.y == 40;
      if (inMiddle) {
        EXPECT_GE(painted, 2) << dot->name() << " seed " << seed;
      }
      if (painted == 0) continue;
      // Drift moves hue by at most 10 degrees, saturation and value by 0.1.
      EXPECT_NEAR(pixelRed(ink), asked[0], 40);
      EXPECT_NEAR(pixelGreen(ink), asked[1], 40);
      EXPECT_NEAR(pixelBlue(ink), asked[2], 40);
    }
  }
}

}  // namespace
}  // namespace warpix
