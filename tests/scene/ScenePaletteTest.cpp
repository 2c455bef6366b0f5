#include "scene/ScenePalette.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "app/Random.h"

namespace warpix {
namespace {

struct Generated {
  ScenePalette palette;
  std::int32_t placement = -7;  // any stale value must be overwritten
  std::int32_t nextProgramRaw = 0;
};

Generated generate(std::int32_t seed, int n, bool animation = false) {
  Generated g{ScenePalette(animation)};
  Random program(seed);
  g.palette.generatePalette(n, program, g.placement);
  g.nextProgramRaw = program.next();
  return g;
}

std::int64_t sumOfValues(const ScenePalette& p) {
  std::int64_t sum = 0;
  for (const ColorRGB& c : p.entries()) sum += c.value();
  return sum;
}

// Expected figures from tests/tools/colour_reference.py, a separate Python
// rendering of the generator over the generator rendering in ran3.py.
TEST(ScenePalette, MatchesTheReferenceRendering) {
  struct Case {
    std::int32_t seed;
    int n;
    std::int32_t ramps;
    std::vector<std::uint32_t> probes;  // entries 0, 1, n/2, n-2, n-1
    std::int64_t sum;
    std::int32_t nextProgramRaw;
  };
  const std::vector<Case> cases{
      {1, 256, 18, {0x000000, 0x0A0A08, 0x41358C, 0x1F0516, 0x000000}, 2403556290, 715119168},
      {42, 256, 18, {0x000000, 0x070908, 0x000000, 0x0B0D0D, 0x000000}, 1021400799, 791644133},
      {5, 236, 3, {0x7ECEF6, 0x7ECEF5, 0x4A4A4A, 0x7CCBF2, 0x7ECEF6}, 1331283548, 283560628},
      {99, 236, 31, {0x000000, 0x0F1211, 0xC0B1E7, 0x141414, 0x000000}, 2045836881, 141934938},
  };
  for (const Case& c : cases) {
    const Generated g = generate(c.seed, c.n);
    const auto& e = g.palette.entries();
    ASSERT_EQ(static_cast<int>(e.size()), c.n);
    const std::vector<std::uint32_t> probes{e[0].value(), e[1].value(), e[c.n / 2].value(), e[c.n - 2].value(),
                                            e[c.n - 1].value()};
    EXPECT_EQ(probes, c.probes) << "seed " << c.seed;
    EXPECT_EQ(sumOfValues(g.palette), c.sum) << "seed " << c.seed;
    // The placement counter is left at the number of ramps.
    EXPECT_EQ(g.placement, c.ramps) << "seed " << c.seed;
    EXPECT_EQ(static_cast<std::int32_t>(g.palette.ramps().size()), c.ramps);
    // The program-wide generator gave exactly one raw value.
    EXPECT_EQ(g.nextProgramRaw, c.nextProgramRaw) << "seed " << c.seed;
  }
}

TEST(ScenePalette, ClosesOnItselfAndRampsAreContiguous) {
  for (std::int32_t seed = 1; seed <= 60; ++seed) {
    for (int n : {256, 236, 20, 2}) {
      const Generated g = generate(seed, n);
      const auto& e = g.palette.entries();
      ASSERT_EQ(e.front(), e.back()) << "seed " << seed << " n " << n;
      // Each ramp begins on the last entry of the one before and ends on its
      // target colour; the last ends at the end of the palette.
      const auto& ramps = g.palette.ramps();
      ASSERT_EQ(ramps.front().first, 0);
      for (std::size_t r = 1; r < ramps.size(); ++r)
        ASSERT_EQ(ramps[r].first, ramps[r - 1].first + ramps[r - 1].length - 1);
      for (const auto& ramp : ramps) ASSERT_EQ(e[ramp.first + ramp.length - 1], ramp.target);
      ASSERT_EQ(ramps.back().first + ramps.back().length, n);
    }
  }
}

TEST(ScenePalette, AlternateBandsRunBlackColourWhiteColour) {
  // Seed 1 draws alternate and bands (see the reference rendering): the
  // targets cycle colour, white, the same colour, black, starting on black.
  const Generated g = generate(1, 256);
  const auto& ramps = g.palette.ramps();
  const ColorRGB black(0, 0, 0, true), white(255, 255, 255, true);
  EXPECT_EQ(g.palette.entries().front(), black);
  ASSERT_GE(ramps.size(), 9u);
  for (std::size_t r = 0; r + 1 < ramps.size(); ++r) {  // the last ramp returns to the start
    const std::size_t counter = r + 1;
    const ColorRGB target = ramps[r].target;
    switch (counter % 4) {
      case 0: EXPECT_EQ(target, black) << "ramp " << counter; break;
      case 1:
        EXPECT_FALSE(target.grey()) << "ramp " << counter;
        if (r + 2 < ramps.size()) {
          EXPECT_EQ(ramps[r + 2].target, target) << "ramp " << counter + 2;
        }
        break;
      case 2: EXPECT_EQ(target, white) << "ramp " << counter; break;
      default: break;
    }
  }
  EXPECT_EQ(ramps.back().target, black);
}

TEST(ScenePalette, RampInterpolationTruncatesTowardZero) {
  // Seed 1, first ramp: black up to a colour over `length` entries; entry j
  // is j * target / (length - 1) per channel, worked from the ramp record.
  const Generated g = generate(1, 256);
  const auto& ramp = g.palette.ramps().front();
  const auto& e = g.palette.entries();
  const int d = ramp.length - 1;
  for (int j = 0; j < ramp.length; ++j) {
    EXPECT_EQ(e[j].red(), j * ramp.target.red() / d);
    EXPECT_EQ(e[j].green(), j * ramp.target.green() / d);
    EXPECT_EQ(e[j].blue(), j * ramp.target.blue() / d);
  }
}

TEST(ScenePalette, RecordCarriesVersionCountAndAnimationFlags) {
  const int n = ScenePalette::paletteSizeFor(true, 20);
  EXPECT_EQ(n, 236);
  EXPECT_EQ(ScenePalette::paletteSizeFor(false, 20), 256);
  EXPECT_TRUE(ScenePalette::animationFor(true, 8));
  EXPECT_FALSE(ScenePalette::animationFor(true, 4));
  EXPECT_FALSE(ScenePalette::animationFor(false, 8));

  const Generated animated = generate(11, n, true);
  const LogicalPalette& rec = animated.palette.record();
  EXPECT_EQ(rec.version, 0x300);
  EXPECT_EQ(rec.count, 236);
  ASSERT_EQ(rec.entries.size(), 236u);
  for (int k = 0; k < n; ++k) {
    const ColorRGB c = animated.palette.entries()[k];
    ASSERT_EQ(rec.entries[k], (PaletteRecordEntry{static_cast<std::uint8_t>(c.red()),
                                                  static_cast<std::uint8_t>(c.green()),
                                                  static_cast<std::uint8_t>(c.blue()), 1}));
  }
  const Generated still = generate(11, n, false);
  for (const auto& entry : still.palette.record().entries) ASSERT_EQ(entry.flags, 0);
  // The flags do not change the colours.
  EXPECT_EQ(still.palette.entries(), animated.palette.entries());
}

TEST(ScenePalette, ColourOfEntryFollowsTheDepth) {
  const Generated g = generate(5, 236);
  const ColorRGB deep = g.palette.colourOfEntry(3, true);
  EXPECT_EQ(deep, g.palette.entries()[3]);
  EXPECT_EQ(deep.kind(), ColorRGB::kPlain);
  const ColorRGB named = g.palette.colourOfEntry(3, false);
  EXPECT_EQ(named.value(), 0x01000003u);
  EXPECT_EQ(named.red(&g.palette), deep.red());
  // Lookups outside the palette read the nearest end.
  EXPECT_EQ(g.palette.entryValue(-1), g.palette.entries().front().value());
  EXPECT_EQ(g.palette.entryValue(236), g.palette.entries().back().value());
}

class ScriptedDraws {
 public:
  explicit ScriptedDraws(std::vector<ColorRGB> colours) : colours_(std::move(colours)) {}
  ColorRGB operator()() { return colours_.at(used_++); }
  std::size_t used() const { return used_; }

 private:
  std::vector<ColorRGB> colours_;
  std::size_t used_ = 0;
};

TEST(ScenePalette, NewColourRefusesGreyUnlessAllTwelveAreRefused) {
  const ColorRGB grey(100, 100, 100, true), grey2(60, 60, 70, true), red(220, 30, 30, true);
  {
    ScenePalette::NewColourState state;
    ScriptedDraws draws({grey, grey2, red});
    auto draw = [&] { return draws(); };
    EXPECT_EQ(ScenePalette::pickNewColour(draw, state), red);
    EXPECT_EQ(draws.used(), 3u);
    EXPECT_TRUE(state.colourfulSeen);
  }
  {
    // Twelve refusals: the twelfth draw is kept, and no state changes.
    std::vector<ColorRGB> twelve(11, grey);
    twelve.push_back(grey2);
    ScenePalette::NewColourState state;
    ScriptedDraws draws(twelve);
    auto draw = [&] { return draws(); };
    EXPECT_EQ(ScenePalette::pickNewColour(draw, state), grey2);
    EXPECT_EQ(draws.used(), 12u);
    EXPECT_FALSE(state.colourfulSeen);
  }
}

TEST(ScenePalette, NewColourRationsMagentaAndGreen) {
  const ColorRGB magenta(200, 40, 210, true), green(20, 200, 30, true), red(220, 30, 30, true);
  ScenePalette::NewColourState state;
  // The first magenta is let in and uses up the allowance.
  EXPECT_EQ(ScenePalette::pickNewColour([&] { return magenta; }, state), magenta);
  EXPECT_TRUE(state.magentaUsed);
  // Afterwards magenta is refused; green waits for a colourful colour.
  ScriptedDraws draws({magenta, green, red});
  EXPECT_EQ(ScenePalette::pickNewColour([&] { return draws(); }, state), red);
  EXPECT_EQ(draws.used(), 3u);
  EXPECT_EQ(ScenePalette::pickNewColour([&] { return green; }, state), green);
  // A green colour while magenta is unused takes the allowance without using it.
  ScenePalette::NewColourState fresh;
  EXPECT_EQ(ScenePalette::pickNewColour([&] { return green; }, fresh), green);
  EXPECT_FALSE(fresh.magentaUsed);
}

}  // namespace
}  // namespace warpix
