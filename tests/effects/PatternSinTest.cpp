#include "effects/PatternSin.h"

#include <gtest/gtest.h>

#include "app/Random.h"
#include "effects/BinOpAdd.h"

namespace warpix {
namespace {

float eval(PatternSin& p, float x, float y) {
  const float in[2] = {x, y};
  float out[1] = {-1.0f};
  p.evaluate(in, out);
  return out[0];
}

TEST(BinOpAdd, ScalesTheSumByTheRanges) {
  const BinOpAdd add;
  EXPECT_EQ(add.evaluate(1.0f, 2.0f, -2.0f, 2.0f), 0.75f);  // 3 / (2 + 2)
  EXPECT_EQ(add.evaluate(-3.0f, -1.0f, 3.0f, 1.0f), -1.0f);
  EXPECT_EQ(add.evaluate(5.0f, 7.0f, 0.0f, 0.0f), 0.0f);  // no range, no value
}

TEST(PatternSin, SetupDrawsOneCoinAndFourSkewedCoefficientsOnce) {
  // tests/tools/warpix_expect.py: seed 3 gives K = 1, 5, 0, 1, 2, 0, and the
  // raw value that follows the nine draws is 643760098.
  Random r(3);
  PatternSin p(r);
  EXPECT_FALSE(p.isSetUp());
  EXPECT_FALSE(p.isCompound());
  p.setup(2, 1, true, 5);
  EXPECT_TRUE(p.isSetUp());
  const float expected[6] = {1, 5, 0, 1, 2, 0};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(p.coefficient(i), expected[i]) << "K" << i + 1;
  p.setup(2, 1, true, 5);  // already set up: no draws
  EXPECT_EQ(r.next(), 643760098);
}

TEST(PatternSin, ValuesMatchTheReferenceRendering) {
  Random r(3);
  PatternSin p(r);
  p.setup(2, 1, true, 5);
  // From tests/tools/warpix_expect.py; the tolerance allows a last-bit
  // difference of the sine.
  EXPECT_NEAR(eval(p, 0.1f, 0.2f), 0.9867372512817383f, 2e-6f);
  EXPECT_NEAR(eval(p, -0.7f, 0.3f), 0.9530067443847656f, 2e-6f);
  EXPECT_NEAR(eval(p, 0.9f, -0.95f), 0.5069058537483215f, 2e-6f);
}

TEST(PatternSin, UnitCoefficientsWorkedByHand) {
  Random r(1);
  PatternSin p(r);
  p.setCoefficients(1, 1, 0, 1, 1, 0);
  // Both sines 0 at the origin: the combiner sees a zero range.
  EXPECT_EQ(eval(p, 0.0f, 0.0f), 0.5f);
  // (0.5, 0.5): m = 1, w = 1, s1 = s2 = 1 over the range 2: (1 + 1) / 2.
  EXPECT_NEAR(eval(p, 0.5f, 0.5f), 1.0f, 1e-6f);
  // (0.5, -0.5): m = -1, so k1 = -1 and s1 = sin(-pi/2) x -1 = 1; s2 = -1.
  EXPECT_NEAR(eval(p, 0.5f, -0.5f), 0.5f, 1e-6f);
  // (0.25, 0.5): w = sin(pi/4); s1 = .7071, s2 = sin(.7071 pi / 2) x .7071
  // = .6335, over 1.7071: .7853, so .8927.
  EXPECT_NEAR(eval(p, 0.25f, 0.5f), 0.8926784f, 2e-6f);
}

TEST(PatternSin, RowMemoGivesTheSameValuesAsFreshGenerators) {
  Random a(77);
  PatternSin walked(a);
  walked.setup(2, 1, true, 5);
  for (float y : {-0.9f, 0.1f, 0.1f, 0.35f}) {
    for (float x : {-1.0f, -0.2f, 0.4f, 1.0f}) {
      Random c(77);
      PatternSin fresh(c);
      fresh.setup(2, 1, true, 5);
      EXPECT_EQ(eval(walked, x, y), eval(fresh, x, y)) << x << ", " << y;
    }
  }
}

TEST(PatternSin, StaysBetweenZeroAndOneAndSignsOnRequest) {
  for (int seed = 1; seed <= 30; ++seed) {
    Random r(seed);
    PatternSin p(r);
    p.setup(2, 1, true, 5);
    for (int j = 0; j <= 40; ++j) {
      for (int i = 0; i <= 40; ++i) {
        const float x = i / 20.0f - 1.0f, y = j / 20.0f - 1.0f;
        const float v = eval(p, x, y);
        ASSERT_GE(v, 0.0f) << "seed " << seed;
        ASSERT_LE(v, 1.0f) << "seed " << seed;
        const float in[2] = {x, y};
        float out[1];
        p.evaluateSigned(in, out);
        ASSERT_EQ(out[0], 2.0f * v - 1.0f);
      }
    }
  }
}

}  // namespace
}  // namespace warpix
