#include "app/Random.h"

#include <gtest/gtest.h>

#include <vector>

#include "app/ChoiceTable.h"

namespace warpix {
namespace {

// Expected sequences come from tests/tools/ran3.py, a separate Python
// rendering of the generator written from the algorithm's description.
std::vector<std::int32_t> firstFive(std::int32_t seed) {
  Random r(seed);
  std::vector<std::int32_t> v;
  for (int i = 0; i < 5; ++i) v.push_back(r.next());
  return v;
}

TEST(Random, RawSequencesMatchTheReferenceRendering) {
  EXPECT_EQ(firstFive(0), (std::vector<std::int32_t>{533923850, 323008803, 401103978, 459259507, 390269598}));
  EXPECT_EQ(firstFive(1), (std::vector<std::int32_t>{298227348, 715119168, 33021107, 874393600, 534194424}));
  EXPECT_EQ(firstFive(42), (std::vector<std::int32_t>{634670766, 791644133, 941623396, 894891413, 435112290}));
  EXPECT_EQ(firstFive(2147483647),
            (std::vector<std::int32_t>{833821056, 979709958, 187793441, 488936678, 622590020}));
  // The seed constant itself makes mj start at 0.
  EXPECT_EQ(firstFive(161803398),
            (std::vector<std::int32_t>{613610054, 771029073, 127708320, 332307521, 293628346}));
}

TEST(Random, SeedSignDoesNotMatterAndReseedingRestarts) {
  EXPECT_EQ(firstFive(42), firstFive(-42));
  Random r(5);
  const std::int32_t a = r.next();
  r.next();
  r.seed(5);
  EXPECT_EQ(r.next(), a);
  EXPECT_EQ(r.seedValue(), 5);
  // The most negative seed has no positive twin in 32 bits; it must still
  // seed without overflow and stay in range.
  Random m(INT32_MIN);
  for (int i = 0; i < 100; ++i) {
    const std::int32_t v = m.next();
    EXPECT_GE(v, 0);
    EXPECT_LT(v, Random::kModulus);
  }
}

TEST(Random, LongRunStaysOnTheReferenceSequence) {
  Random r(12345);
  std::int32_t last[3] = {};
  for (int i = 0; i < 1000; ++i) {
    const std::int32_t v = r.next();
    if (i >= 997) last[i - 997] = v;
  }
  EXPECT_EQ(last[0], 227714596);
  EXPECT_EQ(last[1], 979554553);
  EXPECT_EQ(last[2], 961992332);
}

TEST(Random, DerivedDrawsRoundToSinglePrecision) {
  Random u(7);
  EXPECT_FLOAT_EQ(u.uniform(), 0.884048342704773f);
  EXPECT_FLOAT_EQ(u.uniform(), 0.06778135895729065f);
  Random b(7);
  std::vector<int> belows;
  for (int i = 0; i < 10; ++i) belows.push_back(b.below(10));
  EXPECT_EQ(belows, (std::vector<int>{8, 0, 8, 3, 3, 9, 5, 0, 9, 3}));
}

// A batch must be the draws one at a time, across the table's wrap-arounds
// (runs of 24, 55) and after an odd start; the generator ends in step.
TEST(Random, DrawBelowInBatchesMatchesBelowOneByOne) {
  for (const std::int32_t seed : {1, -7, 123456})
    for (const std::int32_t n : {1, 7, 32, 100000})
      for (const std::size_t count : {std::size_t{1}, std::size_t{24}, std::size_t{25}, std::size_t{56}, std::size_t{1000}}) {
        Random batch(seed), single(seed);
        batch.next();
        single.next();
        std::vector<std::int32_t> got(count);
        for (int round = 0; round < 3; ++round) {
          batch.drawBelow(n, got.data(), count);
          std::vector<std::int32_t> want(count);
          for (auto& w : want) w = single.below(n);
          ASSERT_EQ(got, want) << "seed " << seed << ", n " << n << ", count " << count << ", round " << round;
        }
        EXPECT_EQ(batch.next(), single.next());
      }
}

TEST(Random, SkewedLeansToTheRequestedEnd) {
  Random r(99);
  std::vector<int> low;
  for (int i = 0; i < 6; ++i) low.push_back(r.skewed(256, 3));
  EXPECT_EQ(low, (std::vector<int>{7, 42, 85, 0, 37, 9}));
  Random h(99);
  std::vector<int> high;
  for (int i = 0; i < 6; ++i) high.push_back(h.skewed(10, -2));
  EXPECT_EQ(high, (std::vector<int>{9, 4, 6, 5, 8, 9}));

  // k = 0 and k = 1 are one plain draw; k = -1 mirrors it.
  Random a(3), c(3), d(3), e(3);
  for (int i = 0; i < 50; ++i) {
    const int plain = a.below(256);
    EXPECT_EQ(c.skewed(256, 0), plain);
    EXPECT_EQ(d.skewed(256, 1), plain);
    EXPECT_EQ(e.skewed(256, -1), 255 - plain);
  }
}

TEST(Random, CoinSignAndUniformSignedAreBuiltOnBelow) {
  Random a(11), b(11);
  for (int i = 0; i < 100; ++i) {
    const int coin = a.coin();
    const int s = b.sign();
    EXPECT_TRUE(coin == 0 || coin == 1);
    EXPECT_EQ(s, coin != 0 ? 1 : -1);
  }
  Random c(13), d(13);
  for (int i = 0; i < 100; ++i) EXPECT_FLOAT_EQ(c.uniformSigned(), d.uniform() * 2.0f - 1.0f);
}

TEST(ChoiceTable, CumulativeSharesEndAtExactlyOne) {
  ChoiceTable t;
  t.build({1, 1, 2}, true);
  ASSERT_EQ(t.count(), 3);
  EXPECT_FLOAT_EQ(t.cumulative()[0], 0.25f);
  EXPECT_FLOAT_EQ(t.cumulative()[1], 0.5f);
  EXPECT_EQ(t.cumulative()[2], 1.0f);
  EXPECT_EQ(t.copy(), t.cumulative());

  ChoiceTable zero;
  zero.build({0, 0, 0, 0}, false);
  EXPECT_EQ(zero.cumulative(), (std::vector<float>{0.0f, 0.0f, 0.0f, 1.0f}));
  EXPECT_TRUE(zero.copy().empty());
}

TEST(ChoiceTable, PickFollowsTheUniformDraw) {
  ChoiceTable t;
  t.build({1, 1, 2}, false);
  // With seed 7 the uniform draws are 0.884, 0.0678, 0.8245 (see above):
  // they fall in the intervals of 2, 0 and 2.
  Random r(7);
  EXPECT_EQ(t.pick(r), 2);
  EXPECT_EQ(t.pick(r), 0);
  EXPECT_EQ(t.pick(r), 2);

  ChoiceTable lastOnly;
  lastOnly.build({0, 0, 5}, false);
  ChoiceTable allZero;
  allZero.build({0, 0, 0}, false);
  Random q(1);
  for (int i = 0; i < 200; ++i) {
    EXPECT_EQ(lastOnly.pick(q), 2);
    EXPECT_EQ(allZero.pick(q), 2);
  }
}

TEST(ChoiceTable, ExclusionsRedrawAndTheLastTryIsTaken) {
  ChoiceTable t;
  t.build({1, 1, 2}, false);
  // Every index excluded: ten draws are made and the tenth is returned.
  Random r(21), shadow(21);
  const int got = t.pick(r, {0, 1, 2}, 10);
  for (int i = 0; i < 9; ++i) shadow.uniform();
  EXPECT_EQ(got, t.pick(shadow));
  EXPECT_EQ(r.next(), shadow.next());  // exactly ten draws were used

  // Excluding 2 only: the first non-excluded draw is returned.
  Random s(7);  // draws 2, 0, ...
  EXPECT_EQ(t.pick(s, {2}, 10), 0);

  // tries 1 never redraws.
  Random once(7);
  EXPECT_EQ(t.pick(once, {2}, 1), 2);
}

}  // namespace
}  // namespace warpix
