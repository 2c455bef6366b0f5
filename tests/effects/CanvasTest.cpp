#include "effects/Canvas.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "effects/CanvasShade.h"
#include "effects/NextPointFactory.h"
#include "raster/ColorHSL.h"
#include "scene/OperationLog.h"
#include "effects/EffectTestKit.h"
#include "scene/SceneFixture.h"

namespace warpix {
namespace {

using testing::paintPattern;
using testing::SceneFixture;

// The lightness change worked through the colour model's own interface.
Pixel throughColorHSL(Pixel p, int offset) {
  ColorHSL hsl(ColorRGB::fromScreen(colorRefFromPixel(p), true));
  hsl.setLightness(std::clamp(hsl.lightness() + static_cast<float>(offset) / 255.0f, 0.0f, 1.0f));
  return pixelFromColorRef(hsl.toRGB(true).value());
}

Surface copyOf(const Surface& s) {
  Surface c(s.width(), s.height());
  c.copyFrom(s);
  return c;
}

void expectShadedOnceByTexture(const Surface& before, const Surface& after, const Canvas& c) {
  for (int y = 0; y < after.height(); ++y)
    for (int x = 0; x < after.width(); ++x)
      ASSERT_EQ(after.pixel(x, y), throughColorHSL(before.pixel(x, y), c.texture().at(y, x)))
          << x << "," << y << " " << c.order().name();
}

TEST(Canvas, ConstructionDrawsInItsFixedOrder) {
  SceneFixture f;
  CSceneWnd& scene = f.create(23);
  std::set<int> amplitudes;
  for (int i = 0; i < 40; ++i) {
    Random program(f.program->random);
    Random own(program.next());
    own.below(scene.paletteSize());  // pen colour
    own.below(scene.paletteSize());  // palette index
    const std::unique_ptr<NextPoint> order = pickNextPoint(f.settings.visitingOrders(), own, 320, 240);
    const int amplitude = own.below(32) + 1;

    Canvas c(scene);
    EXPECT_STREQ(c.order().name(), order->name());
    EXPECT_EQ(c.amplitude(), amplitude);
    EXPECT_EQ(c.phase(), Canvas::kUnallocated);
    amplitudes.insert(c.amplitude());
    JsonLine line;
    c.describe(line);
    EXPECT_NE(line.str().find("\"amplitude\": " + std::to_string(amplitude)), std::string::npos) << line.str();
    EXPECT_NE(line.str().find(std::string("\"order\": \"") + order->name() + "\""), std::string::npos);
  }
  EXPECT_GE(*amplitudes.begin(), 1);
  EXPECT_LE(*amplitudes.rbegin(), 32);
}

TEST(Canvas, StreaksAddUpWithinPlusMinus127) {
  struct Case {
    int cell, value, want;
  };
  for (const Case& c : {Case{20, 120, 127}, Case{-20, -120, -127}, Case{127, 1, 127}, Case{-127, -1, -127},
                        Case{100, 27, 127}, Case{-100, -27, -127}, Case{5, -31, -26}, Case{-3, 3, 0}})
    EXPECT_EQ(Canvas::addClamped(static_cast<std::int8_t>(c.cell), c.value), c.want) << c.cell << " + " << c.value;
}

TEST(Canvas, TheInlinedShadeMatchesTheColourModelToTheBit) {
  const int offsets[] = {-127, -64, -31, -1, 0, 1, 2, 31, 64, 127};
  // Every channel in steps of 5 (0 and 255 included) and every offset.
  for (int r = 0; r <= 255; r += 5)
    for (int g = 0; g <= 255; g += 5)
      for (int b = 0; b <= 255; b += 5)
        for (int o : offsets) {
          const Pixel p = makePixel(r, g, b);
          ASSERT_EQ(shadeLightness(p, o), throughColorHSL(p, o)) << std::hex << p << std::dec << " offset " << o;
        }
  // And a scatter of colours between the steps, every offset.
  Random random(99);
  for (int i = 0; i < 200000; ++i) {
    const Pixel p = static_cast<Pixel>(random.next()) & 0xFFFFFF;
    const int o = random.below(255) - 127;
    ASSERT_EQ(shadeLightness(p, o), throughColorHSL(p, o)) << std::hex << p << std::dec << " offset " << o;
  }
}

TEST(Canvas, WhiteAndBlackStayPutAtTheirEnds) {
  struct Case {
    Pixel pixel;
    int offset;
  };
  for (const Case& c : {Case{0xFFFFFF, 1}, Case{0xFFFFFF, 127}, Case{0x000000, -1}, Case{0x000000, -127}}) {
    EXPECT_EQ(shadeLightness(c.pixel, c.offset), c.pixel) << c.offset;
    EXPECT_EQ(throughColorHSL(c.pixel, c.offset), c.pixel) << c.offset;
  }
}

// Whole passes, each pixel ending as its old colour with its own cell's
// offset, every visiting order included (the height is even, so every
// order covers every pixel).
TEST(Canvas, APassShadesEveryPixelByItsCell) {
  std::set<std::string> orders;
  bool sawAmplitudeOne = false;
  SceneFixture f(64, 48);
  f.create(8);
  for (int pass = 0; pass < 200 && (orders.size() < 6 || !sawAmplitudeOne); ++pass) {
    paintPattern(f.screen.surface());
    const Surface before = copyOf(f.screen.surface());
    Canvas c(*f.scene);
    // Amplitude 1 is worth passing through only once; others only for a
    // new order.
    const bool one = c.amplitude() == 1;
    if (!(one && !sawAmplitudeOne) && orders.count(c.order().name()) != 0) continue;
    orders.insert(c.order().name());
    while (!c.isFinished()) c.run();
    ASSERT_EQ(c.texture().rows(), 49);
    ASSERT_EQ(c.texture().columns(), 65);
    int reach = 0;
    for (int y = 0; y < 49; ++y)
      for (int x = 0; x < 65; ++x) reach = std::max(reach, std::abs(int{c.texture().at(y, x)}));
    EXPECT_LE(reach, 2 * c.amplitude()) << "two streaks add up to at most twice the amplitude";
    if (one) {
      sawAmplitudeOne = true;
      EXPECT_EQ(reach, 0) << "with amplitude 1 every streak value is 0";
    }
    expectShadedOnceByTexture(before, f.screen.surface(), c);
  }
  EXPECT_EQ(orders.size(), 6u);
  EXPECT_TRUE(sawAmplitudeOne);
}

// Input arriving in the middle of the work: a step with it waiting does
// nothing, then it is read and the pass goes on. The first input comes
// after `first` looks at the queue, each later one after `every` (0: none).
// Four looks always let the work move on: the step and the phase each look
// once before any work, the end of a texture phase once more.
int runInterrupted(SceneFixture& f, Canvas& c, int first, int every, std::set<int>* phases) {
  int interruptions = 0;
  for (int gap = first; !c.isFinished(); gap = every) {
    if (gap > 0) f.screen.pushEventAfterChecks(gap, {ScreenBackend::InputEvent::Kind::Key});
    c.run();
    if (f.screen.eventWaiting()) {
      if (phases != nullptr) phases->insert(c.phase());
      c.run();
      f.screen.nextEvent();
      ++interruptions;
    }
    if (interruptions >= 100000) {
      ADD_FAILURE() << "the pass does not end";
      break;
    }
  }
  return interruptions;
}

TEST(Canvas, AnInterruptedPassShadesEachPixelOnce) {
  for (int seed = 1; seed <= 4; ++seed) {
    SceneFixture f(83, 46);
    f.create(seed);
    paintPattern(f.screen.surface());
    const Surface before = copyOf(f.screen.surface());
    Canvas c(*f.scene);
    std::set<int> phases;
    runInterrupted(f, c, 4, 4, &phases);
    EXPECT_EQ(phases, (std::set<int>{Canvas::kHorizontal, Canvas::kVertical, Canvas::kApplying}));
    expectShadedOnceByTexture(before, f.screen.surface(), c);
  }
}

// With the texture built alike, interruptions while it is applied change
// nothing on the screen.
TEST(Canvas, InterruptionsWhileApplyingLeaveTheSameScreen) {
  constexpr int kCells = 84 * 47;
  for (int seed = 1; seed <= 6; ++seed) {
    SceneFixture a(83, 46), b(83, 46);
    a.create(seed);
    b.create(seed);
    paintPattern(a.screen.surface());
    paintPattern(b.screen.surface());
    Canvas ca(*a.scene), cb(*b.scene);
    runInterrupted(a, ca, 0, 0, nullptr);
    // Both texture phases look once per cell and three times besides; the
    // first input lands at the check after 600 pixels of the screen.
    std::set<int> phases;
    EXPECT_GT(runInterrupted(b, cb, 2 * kCells + 8, 4, &phases), 3);
    EXPECT_EQ(phases, std::set<int>{Canvas::kApplying});
    for (int y = 0; y < 46; ++y)
      for (int x = 0; x < 83; ++x) {
        ASSERT_EQ(ca.texture().at(y, x), cb.texture().at(y, x));
        ASSERT_EQ(a.screen.surface().pixel(x, y), b.screen.surface().pixel(x, y)) << x << "," << y;
      }
  }
}

// Phase 1 stopped by input after `cut` cells and again `more` cells after it
// resumed: the cells are those of the streak rule with one fresh value drawn
// where the work resumed, none skipped or written twice.
TEST(Canvas, AHorizontalStreakCutShortGoesOnAtTheSameCellWithAFreshValue) {
  constexpr int kColumns = 65;
  for (int cut : {1, 10, 64, 65, 130, 500}) {
    SceneFixture f(64, 48);
    CSceneWnd& scene = f.create(5);
    Random shadow(Random(f.program->random).next());
    shadow.below(scene.paletteSize());
    shadow.below(scene.paletteSize());
    pickNextPoint(f.settings.visitingOrders(), shadow, 64, 48);
    const int amplitude = shadow.below(32) + 1;
    Canvas c(scene);
    const int more = 150;
    // The step and the phase each look at the queue once before the cells.
    for (int stop : {cut, more}) {
      f.screen.pushEventAfterChecks(stop + 2, {ScreenBackend::InputEvent::Kind::Key});
      c.run();
      ASSERT_EQ(c.phase(), Canvas::kHorizontal);
      f.screen.nextEvent();
    }
    auto streak = [&] { return static_cast<int>(shadow.uniformSigned() * static_cast<float>(amplitude)); };
    int value = streak();
    for (int i = 0; i < cut + more; ++i) {
      // A cut at the end of a row draws its fresh value for no cell.
      if (i == cut) value = streak();
      if (i > 0 && i % kColumns == 0) value = streak();
      ASSERT_EQ(c.texture().at(i / kColumns, i % kColumns), value) << "cut " << cut << " cell " << i;
      if (shadow.below(32) == 0) value = streak();
    }
  }
}

}  // namespace
}  // namespace warpix
