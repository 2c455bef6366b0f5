#include "effects/Distort.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>

#include "effects/NextPointFactory.h"
#include "effects/WarpixKinds.h"
#include "scene/OperationLog.h"
#include "effects/EffectTestKit.h"
#include "scene/SceneFixture.h"

namespace warpix {
namespace {

using testing::paintPattern;
using testing::runInterrupted;
using testing::SceneFixture;

void onlyStyle(RegSettings& settings, void (RegSettings::*set)(std::int32_t)) {
  for (auto s : {&RegSettings::setStyleFuzzy, &RegSettings::setStyleSwirl, &RegSettings::setStyleWavy,
                 &RegSettings::setStyleDistort, &RegSettings::setStyleFlipLR, &RegSettings::setStyleFlipTB})
    (settings.*s)(0);
  if (set != nullptr) (settings.*set)(100);
}

void runToEnd(Saver& op) {
  for (int i = 0; i < 1000 && !op.isFinished(); ++i) op.run();
}

TEST(Distort, ConstructionDrawsInItsFixedOrder) {
  SceneFixture f;
  f.settings.setUseTransparency(50);
  CSceneWnd& scene = f.create(17);
  for (int i = 0; i < 10; ++i) {
    // Shadow both generators through the same draws.
    Random program(f.program->random);
    Random own(program.next());
    own.below(scene.paletteSize());  // pen colour
    own.below(scene.paletteSize());  // palette index
    const int warpix = f.settings.distortions().pick(own);
    const std::unique_ptr<Warpix> expectedWarpix = createWarpix(warpix, own, 320, 240);
    const std::unique_ptr<NextPoint> expectedOrder = pickNextPoint(f.settings.visitingOrders(), own, 320, 240);
    const bool blend = 0.5f > program.uniform();
    const int b = own.skewed(255, -3);

    Distort d(scene);
    EXPECT_STREQ(d.distortion().name(), expectedWarpix->name());
    EXPECT_STREQ(d.order().name(), expectedOrder->name());
    EXPECT_EQ(d.blend(), blend);
    EXPECT_EQ(d.sourceWeight(), b + 1);
    EXPECT_EQ(d.targetWeight(), 254 - b);
    EXPECT_EQ(d.sourceWeight() + d.targetWeight(), 255);
    EXPECT_EQ(f.program->random.next(), program.next()) << "the program generator moved by exactly two draws";
  }
}

TEST(Distort, TransparencyNoneNeverBlendsAndFullAlmostAlways) {
  SceneFixture none, full;
  none.settings.setUseTransparency(0);
  full.settings.setUseTransparency(100);
  none.create(3);
  full.create(3);
  for (int i = 0; i < 50; ++i) {
    EXPECT_FALSE(Distort(*none.scene).blend());
    EXPECT_TRUE(Distort(*full.scene).blend());
  }
}

TEST(Distort, WithEveryStyleAtZeroTheTileShrinkerIsChosen) {
  SceneFixture f;
  onlyStyle(f.settings, nullptr);
  f.create(9);
  for (int i = 0; i < 30; ++i) EXPECT_STREQ(Distort(*f.scene).distortion().name(), "WarpixTileShrinker");
}

TEST(Distort, OnlyFlipLeftRightMirrorsTheScreenExactly) {
  SceneFixture f(96, 60);  // even height: every order covers every pixel
  onlyStyle(f.settings, &RegSettings::setStyleFlipLR);
  f.settings.setUseTransparency(0);
  f.create(21);
  std::set<std::string> orders;
  for (int pass = 0; pass < 12; ++pass) {
    Surface& screen = f.screen.surface();
    paintPattern(screen);
    Surface before(screen.width(), screen.height());
    before.copyFrom(screen);
    Distort d(*f.scene);
    ASSERT_STREQ(d.distortion().name(), "WarpixFlipLR");
    orders.insert(d.order().name());
    runToEnd(d);
    ASSERT_TRUE(d.isFinished());
    for (int y = 0; y < screen.height(); ++y)
      for (int x = 0; x < screen.width(); ++x)
        ASSERT_EQ(screen.pixel(x, y), before.pixel(screen.width() - 1 - x, y)) << x << "," << y << " " << d.order().name();
  }
  EXPECT_GE(orders.size(), 3u) << "several visiting orders were exercised";
}

TEST(Distort, ABlendedPassMixesTheMappedAndTheOldPixel) {
  SceneFixture f(40, 30);
  onlyStyle(f.settings, &RegSettings::setStyleFlipTB);
  f.settings.setUseTransparency(100);
  f.create(5);
  Surface& screen = f.screen.surface();
  paintPattern(screen);
  Surface before(40, 30);
  before.copyFrom(screen);
  Distort d(*f.scene);
  ASSERT_TRUE(d.blend());
  runToEnd(d);
  const int sw = d.sourceWeight(), tw = d.targetWeight();
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 40; ++x) {
      const Pixel s = before.pixel(x, 29 - y), t = before.pixel(x, y);
      const Pixel want = makePixel((pixelRed(s) * sw + pixelRed(t) * tw) / 255,
                                   (pixelGreen(s) * sw + pixelGreen(t) * tw) / 255,
                                   (pixelBlue(s) * sw + pixelBlue(t) * tw) / 255);
      ASSERT_EQ(screen.pixel(x, y), want) << x << "," << y;
    }
}

// Each distortion, driven to the end in one go and again with input
// arriving every few thousand pixels, paints the same picture.
TEST(Distort, AnInterruptedPassEndsLikeAnUninterruptedOne) {
  for (int seed = 1; seed <= 8; ++seed) {
    SceneFixture a(83, 47), b(83, 47);
    a.create(seed);
    b.create(seed);
    paintPattern(a.screen.surface());
    paintPattern(b.screen.surface());
    Distort da(*a.scene), db(*b.scene);
    ASSERT_STREQ(da.distortion().name(), db.distortion().name());
    runToEnd(da);
    const int interruptions = runInterrupted(db, b.screen, 5);
    ASSERT_TRUE(db.isFinished());
    EXPECT_GT(interruptions, 1) << da.distortion().name();
    const Surface &sa = a.screen.surface(), &sb = b.screen.surface();
    for (int y = 0; y < sa.height(); ++y)
      for (int x = 0; x < sa.width(); ++x)
        ASSERT_EQ(sa.pixel(x, y), sb.pixel(x, y)) << da.distortion().name() << " " << x << "," << y;
  }
}

TEST(Distort, APassReachesTheScreenAsItSweepsAndSendsOnlyWhatItTouched) {
  // Only the left-right mirror, so every row of the pattern changes. Input
  // arrives after four checks (2400 units): by then part of the screen is
  // rewritten, and every rewritten pixel must already have been presented,
  // with no help from the loop around the step. A column pass must not
  // send whole rows, nor a ring pass the screen inside its rings.
  for (const std::string order : {"NextPointLR", "NextPointOutsideIn", "NextPointInsideOut"}) {
    SceneFixture f(96, 60);
    onlyStyle(f.settings, &RegSettings::setStyleFlipLR);
    std::unique_ptr<Distort> d;
    for (int seed = 1; seed < 400 && !d; ++seed) {
      f.create(seed);
      d = std::make_unique<Distort>(*f.scene);
      if (d->order().name() != order) d.reset();
    }
    ASSERT_TRUE(d) << order;
    paintPattern(f.screen.surface());
    Surface before(96, 60);
    before.copyFrom(f.screen.surface());
    f.screen.present();
    f.screen.resetPresented();
    f.screen.pushEventAfterChecks(4, {ScreenBackend::InputEvent::Kind::Key});
    d->run();
    ASSERT_FALSE(d->isFinished()) << order;
    EXPECT_GE(f.screen.presents(), 2) << order;
    int changed = 0, presented = 0;
    for (int y = 0; y < 60; ++y)
      for (int x = 0; x < 96; ++x) {
        presented += f.screen.pixelPresented(x, y);
        if (f.screen.surface().pixel(x, y) == before.pixel(x, y)) continue;
        ++changed;
        EXPECT_TRUE(f.screen.pixelPresented(x, y)) << order << " " << x << "," << y << " changed, never presented";
      }
    EXPECT_GT(changed, 0) << order;
    EXPECT_LE(presented, 96 * 60 / 2 + 96 * 60 / 8) << order;
  }
}

TEST(Distort, TheOperationLogNamesItsChoices) {
  SceneFixture f;
  f.create(2);
  Distort d(*f.scene);
  JsonLine line;
  d.describe(line);
  const std::string text = line.str();
  EXPECT_NE(text.find(std::string("\"warpix\": \"") + d.distortion().name() + "\""), std::string::npos) << text;
  EXPECT_NE(text.find(std::string("\"order\": \"") + d.order().name() + "\""), std::string::npos);
  EXPECT_NE(text.find("\"sourceWeight\": " + std::to_string(d.sourceWeight())), std::string::npos);
  EXPECT_NE(text.find(d.blend() ? "\"blend\": true" : "\"blend\": false"), std::string::npos);
}

}  // namespace
}  // namespace warpix
