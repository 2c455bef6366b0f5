#include "effects/Repaint.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>

#include "effects/DotRotateLine.h"
#include "effects/DotRotateMultiLine.h"
#include "scene/OperationLog.h"
#include "effects/EffectTestKit.h"
#include "scene/SceneFixture.h"

namespace warpix {
namespace {

using testing::paintPattern;
using testing::runInterrupted;
using testing::SceneFixture;

TEST(Repaint, ConstructionDrawsInItsFixedOrder) {
  SceneFixture f(320, 240);
  CSceneWnd& scene = f.create(31);
  std::set<std::string> shapes;
  for (int i = 0; i < 30; ++i) {
    Random own(Random(f.program->random).next());
    own.below(scene.paletteSize());  // pen colour
    own.below(scene.paletteSize());  // palette index
    std::unique_ptr<Dot> brush;
    if (own.uniform() < 0.5f)
      brush = std::make_unique<DotRotateMultiLine>(own, 320, 240);
    else
      brush = std::make_unique<DotRotateLine>(own, 320, 240);

    Repaint r(scene);
    EXPECT_STREQ(r.brush().name(), brush->name());
    EXPECT_EQ(r.brush().width(), brush->width());
    EXPECT_EQ(r.brush().height(), brush->height());
    EXPECT_EQ(r.strokesLeft(), (320 * 240 / (brush->width() * brush->height())) * 2);
    shapes.insert(brush->name());
    JsonLine line;
    r.describe(line);
    EXPECT_EQ(line.str(), std::string("{\"dot\": \"") + brush->name() + "\"}");
  }
  EXPECT_EQ(shapes.size(), 2u);
}

// Averages near every edge and corner take only the part of the box on
// the surface; a box with no width or height averages nothing.
TEST(Repaint, AveragesOnlyTheOnScreenPartOfTheBox) {
  Surface s(30, 20);
  paintPattern(s);
  struct Case {
    int x, y, hw, hh;
  };
  for (const Case& c : {Case{15, 10, 2, 3}, Case{0, 0, 3, 3}, Case{1, 10, 4, 1}, Case{29, 10, 4, 2},
                        Case{15, 0, 1, 5}, Case{15, 19, 2, 6}, Case{29, 19, 8, 8}, Case{0, 19, 16, 16},
                        Case{15, 10, 0, 3}, Case{15, 10, 3, 0}}) {
    int red = 0, green = 0, blue = 0, count = 0;
    for (int j = 0; j < 20; ++j)
      for (int i = 0; i < 30; ++i) {
        const bool inBox = i >= c.x - c.hw && i < c.x + c.hw && j >= c.y - c.hh && j < c.y + c.hh;
        if (!inBox) continue;
        red += pixelRed(s.pixel(i, j));
        green += pixelGreen(s.pixel(i, j));
        blue += pixelBlue(s.pixel(i, j));
        ++count;
      }
    ColorRGB got;
    ASSERT_EQ(Repaint::averageAround(s, c.x, c.y, c.hw, c.hh, got), count > 0) << c.x << "," << c.y;
    if (count == 0) continue;
    EXPECT_EQ(got.red(), red / count) << c.x << "," << c.y;
    EXPECT_EQ(got.green(), green / count) << c.x << "," << c.y;
    EXPECT_EQ(got.blue(), blue / count) << c.x << "," << c.y;
  }
}

// Input at every look: the first step stops after one stroke, every later
// one after a few more (input is looked for between the checks that show
// and pace), and the pass ends with the count used up exactly.
TEST(Repaint, EachStepPaintsItsShareOfStrokesAndThePassUsesThemUp) {
  constexpr int kShare = Repaint::kStrokesPerInputLook;
  static_assert(Saver::kUnitsPerCheck % kShare == 0);
  for (int seed = 1; seed <= 4; ++seed) {
    SceneFixture f(200, 150);
    f.create(seed);
    paintPattern(f.screen.surface());
    Repaint r(*f.scene);
    const int total = r.strokesLeft();
    int steps = 0;
    while (!r.isFinished()) {
      f.screen.pushEventAfterChecks(2, {ScreenBackend::InputEvent::Kind::Key});
      r.run();
      if (!r.isFinished()) {
        ASSERT_EQ(r.strokesLeft(), total - 1 - kShare * steps) << r.brush().name();
        ++steps;
      }
      if (f.screen.eventWaiting()) f.screen.nextEvent();
      ASSERT_LT(steps, 100000);
    }
    EXPECT_EQ(r.strokesLeft(), 0);
    EXPECT_EQ(steps, (total - 1 + kShare - 1) / kShare) << r.brush().name();
  }
}

TEST(Repaint, AnInterruptedPassEndsLikeAnUninterruptedOne) {
  std::set<std::string> shapes;
  for (int seed = 1; seed <= 8; ++seed) {
    SceneFixture a(97, 61), b(97, 61);
    a.create(seed);
    b.create(seed);
    paintPattern(a.screen.surface());
    paintPattern(b.screen.surface());
    Repaint ra(*a.scene), rb(*b.scene);
    shapes.insert(ra.brush().name());
    while (!ra.isFinished()) ra.run();
    const int interruptions = runInterrupted(rb, b.screen, 2);
    ASSERT_TRUE(rb.isFinished());
    EXPECT_GE(interruptions, 1);
    int changed = 0;
    Surface fresh(97, 61);
    paintPattern(fresh);
    for (int y = 0; y < 61; ++y)
      for (int x = 0; x < 97; ++x) {
        ASSERT_EQ(a.screen.surface().pixel(x, y), b.screen.surface().pixel(x, y)) << x << "," << y;
        changed += a.screen.surface().pixel(x, y) != fresh.pixel(x, y);
      }
    // Only a brush one pixel wide averages nothing and leaves the screen.
    if (ra.brush().width() >= 2) {
      EXPECT_GT(changed, 97 * 61 / 4) << ra.brush().name();
    }
  }
  EXPECT_EQ(shapes.size(), 2u);
}

}  // namespace
}  // namespace warpix
