#include "effects/Warpix.h"

#include <gtest/gtest.h>

#include <memory>
#include <utility>
#include <vector>

#include "app/Random.h"
#include "effects/WarpixBlend.h"
#include "effects/WarpixBulb.h"
#include "effects/WarpixFlipLR.h"
#include "effects/WarpixFlipTB.h"
#include "effects/WarpixGlassy.h"
#include "effects/WarpixKinds.h"
#include "effects/WarpixLens.h"
#include "effects/WarpixRadialBlend.h"
#include "effects/WarpixRadialStretch.h"
#include "effects/WarpixRadialWave.h"
#include "effects/WarpixShatter.h"
#include "effects/WarpixSinX.h"
#include "effects/WarpixSinX1.h"
#include "effects/WarpixSinY.h"
#include "effects/WarpixSinY1.h"
#include "effects/WarpixStretch.h"
#include "effects/WarpixSwap.h"
#include "effects/WarpixTileShrinker.h"
#include "effects/WarpixWhirlpool.h"

namespace warpix {
namespace {

// Unless a comment works them out by hand, the expected parameters and
// points below come from tests/tools/warpix_expect.py, a separate Python
// rendering of the distortions (single precision emulated, generator from
// tests/tools/ran3.py). The script prints each point's value before
// truncation; the points chosen lie well clear of integer boundaries, so a
// last-bit difference in a sine cannot move them.

using Case = std::pair<Point, Point>;  // screen point, expected source point

void expectMaps(Warpix& w, const std::vector<Case>& cases) {
  for (const auto& [in, out] : cases) EXPECT_EQ(w.mapPoint(in.x, in.y), out) << "at (" << in.x << ", " << in.y << ")";
}

TEST(WarpixMirrors, FlipsAreExactMirrorImages) {
  Random r(1);
  WarpixFlipLR lr(r, 640, 480);
  WarpixFlipTB tb(r, 640, 480);
  expectMaps(lr, {{{0, 7}, {639, 7}}, {{639, 7}, {0, 7}}, {{320, 0}, {319, 0}}});
  expectMaps(tb, {{{7, 0}, {7, 479}}, {{7, 479}, {7, 0}}, {{0, 240}, {0, 239}}});
  // Mirroring twice gives every point back.
  for (int x = 0; x < 640; x += 13) {
    const Point m = lr.mapPoint(x, 5);
    EXPECT_EQ(lr.mapPoint(m.x, m.y), (Point{x, 5}));
  }
  EXPECT_EQ(r.next(), Random(1).next()) << "mirrors draw nothing";
}

TEST(WarpixMirrors, SwapExchangesNeighboursAndClampsTheEdges) {
  Random r(1);
  WarpixSwap s(r, 5, 4);
  // Odd coordinates go one up, even ones one down; 0 cannot go down and the
  // last odd column (W = 5 has none; H = 4 has row 3) cannot go up.
  expectMaps(s, {{{1, 1}, {2, 2}}, {{2, 2}, {1, 1}}, {{3, 0}, {4, 0}}, {{0, 3}, {0, 3}}, {{4, 2}, {3, 1}}});
}

TEST(WarpixBlend, JitterStaysInItsBoxAndFollowsTheGenerator) {
  Random r(11);
  WarpixBlend b(r, 640, 480);
  EXPECT_EQ(b.ampX(), 31);
  EXPECT_EQ(b.ampY(), 21);
  expectMaps(b, {{{0, 0}, {0, 0}},
                 {{100, 50}, {115, 55}},
                 {{320, 240}, {326, 249}},
                 {{639, 479}, {624, 471}},
                 {{500, 400}, {485, 393}},
                 {{37, 411}, {46, 407}}});
}

TEST(WarpixWhirlpool, TurnsRingsAboutTheCentre) {
  Random r(3);
  WarpixWhirlpool w(r, 640, 480);
  EXPECT_FLOAT_EQ(w.twist(), 1.025424838066101f);
  EXPECT_FALSE(w.wobble());
  EXPECT_EQ(w.frequency(), 38.0f);
  expectMaps(w, {{{0, 0}, {9, 297}},
                 {{100, 50}, {83, 223}},
                 {{320, 240}, {320, 240}},
                 {{639, 479}, {629, 183}},
                 {{500, 400}, {511, 274}},
                 {{37, 411}, {302, 432}}});
}

TEST(WarpixStretch, PowersOfTheCellCoordinates) {
  Random r(5);
  WarpixStretch s(r, 640, 480);
  EXPECT_EQ(s.rows(), 1);
  EXPECT_EQ(s.colStart(), (std::vector<std::int32_t>{0, 97, 317, 402, 1280}));
  EXPECT_FLOAT_EQ(s.expX(), 0.678751528263092f);
  EXPECT_FLOAT_EQ(s.expY(), 1.948311448097229f);
  expectMaps(s, {{{0, 0}, {0, 0}},
                 {{100, 50}, {99, 87}},
                 {{320, 240}, {319, 240}},
                 {{639, 479}, {639, 478}},
                 {{500, 400}, {484, 348}},
                 {{37, 411}, {30, 363}}});
}

TEST(WarpixRadialStretch, ChangesOnlyTheInsideOfEachCellsEllipse) {
  Random r(7);
  WarpixRadialStretch s(r, 640, 480);
  EXPECT_EQ(s.colStart(), (std::vector<std::int32_t>{0, 143, 385, 493, 1280}));
  EXPECT_TRUE(s.wobble());
  EXPECT_EQ(s.frequency(), 7.0f);
  expectMaps(s, {{{0, 0}, {0, 0}},
                 {{100, 50}, {100, 45}},
                 {{320, 240}, {327, 240}},
                 {{639, 479}, {639, 479}},
                 {{500, 400}, {500, 400}},
                 {{37, 411}, {35, 416}}});
  // Corners of every cell lie outside its inscribed ellipse: unchanged.
  for (int i = 0; i < s.cols(); ++i) {
    const int x = s.colStart()[static_cast<std::size_t>(i)];
    EXPECT_EQ(s.mapPoint(x, 0), (Point{x, 0}));
    EXPECT_EQ(s.mapPoint(x, 479), (Point{x, 479}));
  }
}

TEST(WarpixRadialBlend, DrawsPerPixelInTheStatedOrder) {
  Random r(8);
  WarpixRadialBlend b(r, 640, 480);
  EXPECT_EQ(b.rows(), 4);
  EXPECT_EQ(b.cols(), 8);
  EXPECT_EQ(b.k(), 64);
  EXPECT_TRUE(b.spin());
  EXPECT_FALSE(b.shrink());
  EXPECT_FALSE(b.signedSpin());
  // One spin draw per pixel, in this order of points.
  expectMaps(b, {{{0, 0}, {0, 0}},
                 {{100, 50}, {100, 49}},
                 {{320, 240}, {320, 239}},
                 {{639, 479}, {639, 478}},
                 {{500, 400}, {500, 399}},
                 {{37, 411}, {37, 410}}});
}

TEST(WarpixGlassy, ShiftsAlongTheDiagonalAndKeepsWhatLeavesTheScreen) {
  Random r(9);
  WarpixGlassy g(r, 640, 480);
  EXPECT_EQ(g.rowStart(), (std::vector<std::int32_t>{0, 142, 219, 317, 960}));
  EXPECT_FLOAT_EQ(g.g(), 1.1359374523162842f);
  expectMaps(g, {{{0, 0}, {0, 0}},
                 {{100, 50}, {97, 49}},
                 {{320, 240}, {323, 240}},
                 {{639, 479}, {638, 478}},
                 {{500, 400}, {504, 401}},
                 {{37, 411}, {37, 411}}});
}

TEST(WarpixRadialWave, RipplesFromARandomCentre) {
  Random r(10);
  WarpixRadialWave w(r, 640, 480);
  EXPECT_FLOAT_EQ(w.centreX(), 0.17736603319644928f);
  EXPECT_FLOAT_EQ(w.centreY(), 0.17142818868160248f);
  // (0, 0) maps to -5.86, -4.40 before clamping.
  expectMaps(w, {{{0, 0}, {0, 0}},
                 {{100, 50}, {90, 42}},
                 {{320, 240}, {324, 243}},
                 {{639, 479}, {636, 477}},
                 {{500, 400}, {495, 396}},
                 {{37, 411}, {36, 410}}});
}

TEST(WarpixShatter, TurnsEachSectorByItsOwnFactor) {
  Random r(12);
  WarpixShatter s(r, 640, 480);
  EXPECT_EQ(s.factors().size(), 7u);
  EXPECT_FLOAT_EQ(s.factors()[0], -0.007516411133110523f);
  // (0, 0) maps to -1.3 before clamping, (639, 479) to row 480.3.
  expectMaps(s, {{{0, 0}, {0, 13}},
                 {{100, 50}, {96, 51}},
                 {{320, 240}, {320, 235}},
                 {{639, 479}, {638, 479}},
                 {{500, 400}, {498, 405}},
                 {{37, 411}, {36, 411}}});
}

TEST(WarpixLens, ConvexAndConcaveLensesBendTowardAndAwayFromTheCentre) {
  // One cell of 640 x 480: R = 240 about (320, 240); (100, 50) lies outside
  // the lens circle, the centre is undisturbed.
  Random r1(36);
  WarpixLens convex(r1, 640, 480);
  EXPECT_TRUE(convex.convex());
  EXPECT_FLOAT_EQ(convex.eta(), 1.7349879741668701f);
  expectMaps(convex, {{{320, 240}, {320, 240}},
                      {{400, 300}, {366, 274}},
                      {{200, 150}, {248, 187}},
                      {{500, 260}, {432, 251}},
                      {{330, 400}, {325, 337}},
                      {{100, 50}, {100, 50}}});
  Random r2(20);
  WarpixLens concave(r2, 640, 480);
  EXPECT_FALSE(concave.convex());
  expectMaps(concave, {{{320, 240}, {320, 240}},
                       {{400, 300}, {441, 331}},
                       {{200, 150}, {161, 120}},
                       {{500, 260}, {532, 263}},
                       {{330, 400}, {332, 443}},
                       {{100, 50}, {100, 50}}});
}

TEST(WarpixLens, MirroredPointsReuseNothingButTheirOwnValues) {
  // The lens keeps each refracted value for the mirrored point; walking the
  // screen forwards and backwards must give the same picture. Seed 36 has a
  // single cell, seed 13 sixteen columns and two rows.
  for (int seed : {36, 13}) {
    Random a(seed), b(seed);
    WarpixLens forward(a, 200, 150), backward(b, 200, 150);
    std::vector<Point> f, g(200 * 150);
    for (int y = 0; y < 150; ++y)
      for (int x = 0; x < 200; ++x) f.push_back(forward.mapPoint(x, y));
    for (int y = 149; y >= 0; --y)
      for (int x = 199; x >= 0; --x) g[static_cast<std::size_t>(y) * 200 + x] = backward.mapPoint(x, y);
    EXPECT_EQ(f, g) << "seed " << seed;
  }
}

TEST(WarpixTileShrinker, ShowsEachTileAtHalfSize) {
  Random r(14);
  WarpixTileShrinker t(r, 640, 480);
  ASSERT_EQ(t.tileWidth(), 256);
  ASSERT_EQ(t.tileHeight(), 128);
  // By hand: x = 320, b = 256: 256 - 256 + 64 / 256 x 256 x 2 = 128;
  // y = 240, b = 128: 128 - 128 + 112 x 2 = 224; x = 37: -256 + 74 < 0 keeps.
  expectMaps(t, {{{0, 0}, {0, 0}},
                 {{100, 50}, {100, 50}},
                 {{320, 240}, {128, 224}},
                 {{639, 479}, {510, 446}},
                 {{500, 400}, {488, 288}},
                 {{37, 411}, {37, 310}}});
}

TEST(WarpixTileShrinker, TilesOf32) {
  // Find a seed with 32-pixel tiles across, then the worked example: column
  // 40 (b = 32) maps to 32 - 32 + 16 = 16; column 5 maps to -22 and keeps 5.
  for (int seed = 1; seed < 200; ++seed) {
    Random r(seed);
    WarpixTileShrinker t(r, 640, 480);
    if (t.tileWidth() != 32) continue;
    EXPECT_EQ(t.mapPoint(40, 0).x, 16);
    EXPECT_EQ(t.mapPoint(5, 0).x, 5);
    EXPECT_EQ(t.mapPoint(63, 0).x, 62);
    return;
  }
  FAIL() << "no seed gave tiles of 32";
}

TEST(WarpixBulb, ShiftsByAFewPixelsAlongTheDiagonal) {
  Random r(15);
  WarpixBulb b(r, 640, 480);
  EXPECT_FLOAT_EQ(b.kx(), 1.344994306564331f);
  EXPECT_FLOAT_EQ(b.ky(), 1.544616460800171f);
  expectMaps(b, {{{0, 0}, {0, 0}}, {{100, 50}, {101, 51}}, {{639, 479}, {637, 477}}, {{500, 400}, {502, 402}}});
}

TEST(WarpixSinFamily, PatternWavesOnEachAxis) {
  // Seed 16: ampX 19, ampY 16, K = 1, 1, 0, 6, 5, 0, not absolute.
  const std::vector<Point> pts{{100, 50}, {639, 479}, {500, 400}, {37, 411}};
  const std::vector<Point> sinX{{110, 50}, {639, 479}, {494, 400}, {41, 411}};
  const std::vector<Point> sinY{{100, 58}, {639, 479}, {500, 395}, {37, 414}};
  const std::vector<Point> sinX1{{111, 50}, {639, 479}, {489, 400}, {30, 411}};
  const std::vector<Point> sinY1{{100, 57}, {639, 479}, {500, 404}, {37, 400}};
  auto check = [&](Warpix& w, const std::vector<Point>& expected) {
    for (std::size_t i = 0; i < pts.size(); ++i)
      EXPECT_EQ(w.mapPoint(pts[i].x, pts[i].y), expected[i]) << w.name() << " at " << i;
  };
  Random r1(16), r2(16), r3(16), r4(16);
  WarpixSinX x(r1, 640, 480);
  EXPECT_EQ(x.ampX(), 19);
  EXPECT_EQ(x.ampY(), 16);
  EXPECT_FALSE(x.absolute());
  EXPECT_EQ(x.pattern().coefficient(3), 6.0f);
  check(x, sinX);
  WarpixSinY y(r2, 640, 480);
  check(y, sinY);
  WarpixSinX1 x1(r3, 640, 480);
  check(x1, sinX1);
  WarpixSinY1 y1(r4, 640, 480);
  check(y1, sinY1);
}

TEST(WarpixFactory, CreatesTheTableOrderAndDrawsBasePartsFirst) {
  const char* names[kWarpixCount] = {"WarpixBlend",    "WarpixWhirlpool",     "WarpixSinX",  "WarpixSinY",
                                     "WarpixSinX1",    "WarpixSinY1",         "WarpixStretch", "WarpixFlipLR",
                                     "WarpixFlipTB",   "WarpixRadialStretch", "WarpixRadialBlend",
                                     "WarpixGlassy",   "WarpixSwap",          "WarpixBulb",  "WarpixRadialWave",
                                     "WarpixShatter",  "WarpixLens",          "WarpixTileShrinker"};
  for (int i = 0; i < kWarpixCount; ++i) {
    Random r(1);
    auto w = createWarpix(i, r, 64, 48);
    ASSERT_NE(w, nullptr);
    EXPECT_STREQ(w->name(), names[i]);
  }
  Random r(1);
  EXPECT_EQ(createWarpix(18, r, 64, 48), nullptr);
  EXPECT_EQ(createWarpix(-1, r, 64, 48), nullptr);
  // The sine waves' jitter sizes are drawn (two draws) before their own.
  Random a(16), b(16);
  b.below(32);
  b.below(32);
  WarpixSinX s(a, 640, 480);
  EXPECT_EQ(s.ampX(), b.skewed(16, -2) + 4);
}

TEST(WarpixStretcherGrid, NarrowScreensGetEmptyStepsAndStillFindACell) {
  // Seed 42 draws 8 rows and 64 columns. On 7 x 5 both steps are 0: every
  // border but the last stays at 0, the empty cells get size 1, and the last
  // cell spans the screen (size W, H), so it holds every point.
  Random r(42);
  WarpixTileShrinker t(r, 7, 5);
  ASSERT_EQ(t.rows(), 8);
  ASSERT_EQ(t.cols(), 64);
  for (int i = 0; i < 63; ++i) {
    EXPECT_EQ(t.colStart()[static_cast<std::size_t>(i)], 0);
    EXPECT_EQ(t.colSize()[static_cast<std::size_t>(i)], 1.0f);
  }
  EXPECT_EQ(t.colStart()[64], 14);
  EXPECT_EQ(t.colSize()[63], 7.0f);
  EXPECT_EQ(t.rowSize()[7], 5.0f);
  for (int x = 0; x < 7; ++x) {
    EXPECT_EQ(t.cellColumn(x), 63);
    EXPECT_FLOAT_EQ(t.fractionX(x), x / 7.0f);
  }
  for (int y = 0; y < 5; ++y) EXPECT_EQ(t.cellRow(y), 7);
}

TEST(WarpixStretcherGrid, JitteredBordersAndTheirLookup) {
  // Seed 42 on 100 x 50: row step 6 jittered by below(6) - 3; column step 1
  // (below(1) is 0 and 1 / 2 is 0), so columns 0..62 are cells of their own.
  Random r(42);
  WarpixTileShrinker t(r, 100, 50);
  EXPECT_EQ(t.rowStart(), (std::vector<std::int32_t>{0, 5, 14, 17, 23, 28, 34, 43, 100}));
  EXPECT_EQ(t.rowSize(), (std::vector<float>{5, 9, 3, 6, 5, 6, 9, 7, 1}));
  EXPECT_EQ(t.colSize()[63], 37.0f);
  EXPECT_EQ(t.cellRow(4), 0);
  EXPECT_EQ(t.cellRow(5), 1);
  EXPECT_EQ(t.cellRow(49), 7);
  EXPECT_EQ(t.cellColumn(62), 62);
  EXPECT_EQ(t.cellColumn(63), 63);
  EXPECT_EQ(t.cellColumn(99), 63);
  // Row 16 is the third of cell 1 (14..16, size 3): f = 2 / 3, local 1 / 3.
  EXPECT_FLOAT_EQ(t.fractionY(16), 2.0f / 3.0f);
  EXPECT_FLOAT_EQ(t.localY(16), 1.0f / 3.0f);
}

TEST(WarpixStretcherGrid, EveryPointLiesInItsCell) {
  for (const auto& [w, h] : {std::pair{1, 1}, std::pair{7, 3}, std::pair{63, 65}, std::pair{640, 480}}) {
    for (int seed = 1; seed <= 60; ++seed) {
      Random r(seed);
      WarpixTileShrinker t(r, w, h);
      const auto& start = t.colStart();
      for (int x = 0; x < w; ++x) {
        const auto i = static_cast<std::size_t>(t.cellColumn(x));
        ASSERT_LE(start[i], x);
        ASSERT_LT(x, start[i + 1]);
        ASSERT_GE(t.fractionX(x), 0.0f);
        ASSERT_LT(t.fractionX(x), 1.0f);
      }
      for (std::size_t i = 0; i + 1 < start.size(); ++i) ASSERT_LE(start[i], start[i + 1]) << "seed " << seed;
    }
  }
}

// Every member, every point of the screen: the source lies on the screen.
void expectInScreen(int w, int h, int seed) {
  for (int i = 0; i < kWarpixCount; ++i) {
    Random r(seed);
    auto warp = createWarpix(i, r, w, h);
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) {
        const Point p = warp->mapPoint(x, y);
        ASSERT_TRUE(p.x >= 0 && p.x < w && p.y >= 0 && p.y < h)
            << warp->name() << " seed " << seed << " on " << w << "x" << h << ": (" << x << ", " << y << ") -> ("
            << p.x << ", " << p.y << ")";
      }
    }
  }
}

TEST(WarpixBounds, SmallAndNarrowScreens) {
  // Seeds 37, 42, 83, 254 draw 16 to 64 cells per axis, more than these
  // screens have pixels, so their grid steps are 0.
  for (const auto& [w, h] : {std::pair{1, 1}, std::pair{1, 7}, std::pair{7, 1}, std::pair{2, 2}, std::pair{3, 5},
                            std::pair{5, 300}, std::pair{33, 2}}) {
    for (int seed : {1, 2, 3, 37, 42, 83, 254, 1000, 99999}) expectInScreen(w, h, seed);
  }
}

TEST(WarpixBounds, WholeVgaScreen) {
  for (int seed : {4, 42}) expectInScreen(640, 480, seed);
}

TEST(WarpixBounds, SampledEightKScreenOverManySeeds) {
  constexpr int w = 7680, h = 2160;
  Random pick(2024);
  for (int seed = 1; seed <= 40; ++seed) {
    for (int i = 0; i < kWarpixCount; ++i) {
      Random r(seed * 7919);
      auto warp = createWarpix(i, r, w, h);
      auto check = [&](int x, int y) {
        const Point p = warp->mapPoint(x, y);
        ASSERT_TRUE(p.x >= 0 && p.x < w && p.y >= 0 && p.y < h)
            << warp->name() << " seed " << seed << ": (" << x << ", " << y << ") -> (" << p.x << ", " << p.y << ")";
      };
      for (int x = 0; x < w; x += 7) check(x, x % h);  // a diagonal band
      for (int k = 0; k < 2000; ++k) check(pick.below(w - 1), pick.below(h - 1));
      for (const auto& [x, y] : {std::pair{0, 0}, std::pair{w - 1, 0}, std::pair{0, h - 1}, std::pair{w - 1, h - 1}})
        check(x, y);
    }
  }
}

}  // namespace
}  // namespace warpix
