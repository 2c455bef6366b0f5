#include "effects/OperationKinds.h"

#include <gtest/gtest.h>

#include <climits>
#include <set>
#include <string>

#include "app/Random.h"
#include "effects/WarpixKinds.h"
#include "scene/CSceneWnd.h"
#include "scene/SceneFixture.h"
#include "scene/Saver.h"

namespace warpix {
namespace {

using testing::SceneFixture;
using Weights = std::vector<std::int32_t>;
using Ids = std::vector<int>;

// Expected weights worked with Python's float arithmetic (IEEE double, like
// the fraction constants), e.g. int(80 * 0.3) == 24, int(100 * 0.29) == 28,
// int(75 * 0.25 * 5 / 186) == 0, int(90 * 0.25 * 30 / 60) == 11.
KindTable kindsFor(const RegSettings& s, int bits = 32, RunMode mode = RunMode::FullScreen) {
  return buildKindTable(operationCatalog(), s, bits, mode);
}

TEST(OperationKinds, EveryKindHasOneRowThatMakesItsOwnClass) {
  SceneFixture f;
  CSceneWnd& scene = f.create();
  const OperationCatalog& catalog = operationCatalog();
  std::set<int> ids;
  for (const OperationKind& k : catalog.kinds) {
    EXPECT_TRUE(ids.insert(k.id).second) << "identifier " << k.id << " twice";
    const std::unique_ptr<Operation> op = k.create(scene, k);
    ASSERT_NE(op, nullptr);
    EXPECT_STREQ(op->kindName(), k.name);
  }
  EXPECT_EQ(ids, (std::set<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
  // An identifier that names no kind makes a distortion.
  EXPECT_STREQ(catalog.kind(10).name, "Distort");
  EXPECT_STREQ(catalog.kind(-1).name, "Distort");
  EXPECT_STREQ(catalog.kind(7).name, "Surf");
}

TEST(OperationKinds, EveryDistortionRowMakesItsOwnClass) {
  ASSERT_EQ(warpixKinds().size(), static_cast<std::size_t>(kWarpixCount));
  for (int i = 0; i < kWarpixCount; ++i) {
    Random r(1);
    const auto w = createWarpix(i, r, 64, 48);
    ASSERT_NE(w, nullptr);
    EXPECT_STREQ(w->name(), warpixKinds()[static_cast<std::size_t>(i)].name);
  }
}

TEST(OperationKinds, KindsTableByScreenDepthRunModeAndWebSites) {
  SceneFixture f;
  RegSettings& s = f.settings;
  KindTable t = kindsFor(s);
  EXPECT_EQ(t.ids, (Ids{0, 6, 2, 3, 4, 8, 9, 5, 1}));
  // DoBlur 8 / 3 = 2; DoRepaint 5 × 0.66 = 3.3, × 0.34 = 1.7; fuzzy share 0.504.
  EXPECT_EQ(t.weights, (Weights{75, 30, 2, 2, 2, 3, 1, 0, 30}));
  s.setWebAccess(1);
  EXPECT_EQ(kindsFor(s, 24).ids.back(), 1) << "web access without a site";
  s.setWebSites({"http://a/"});
  t = kindsFor(s, 24);
  EXPECT_EQ(t.ids, (Ids{0, 6, 2, 3, 4, 8, 9, 5, 1, 7}));
  EXPECT_EQ(t.weights.back(), 100);
  EXPECT_EQ(kindsFor(s, 24, RunMode::Configure).ids, (Ids{0, 6, 2, 3, 4, 8, 9, 5}));
  t = kindsFor(s, 8);
  EXPECT_EQ(t.ids, (Ids{0, 6}));
  EXPECT_EQ(t.weights, (Weights{75, 30}));
}

TEST(OperationKinds, FuzzyShareAndNegativeWeights) {
  SceneFixture f;
  RegSettings& s = f.settings;
  for (auto set : {&RegSettings::setStyleFuzzy, &RegSettings::setStyleSwirl, &RegSettings::setStyleWavy,
                   &RegSettings::setStyleDistort, &RegSettings::setStyleFlipLR, &RegSettings::setStyleFlipTB})
    (s.*set)(0);
  EXPECT_EQ(kindsFor(s).weights[7], 0);
  EXPECT_EQ(distortionWeights(s), Weights(18, 0));
  s.setDoMangle(90);
  s.setStyleFuzzy(30);
  s.setStyleSwirl(10);
  s.setStyleDistort(20);
  EXPECT_EQ(kindsFor(s).weights[7], 11);

  s.setDoText(-10);
  s.setDoBlur(-9);
  s.setStyleSwirl(-1000);
  s.setStyleFuzzy(100);
  s.setStyleWavy(80);
  s.setStyleDistort(80);
  s.setStyleFlipLR(1);
  s.setStyleFlipTB(1);
  s.setDoMangle(INT32_MAX);
  const KindTable t = kindsFor(s);
  EXPECT_EQ(t.weights[1], 0);
  EXPECT_EQ(t.weights[2], 0);
  // Style sum without the negative swirl: 100 + 80 + 80 + 1 + 1 = 262;
  // int(2147483647 * 0.25 * 100 / 262) == 204912561.
  EXPECT_EQ(t.weights[7], 204912561);
  EXPECT_EQ(distortionWeights(s)[1], 0);
}

TEST(OperationKinds, DistortionWeightsTruncateTheirFractions) {
  SceneFixture f;
  RegSettings& s = f.settings;
  EXPECT_EQ(distortionWeights(s), (Weights{2, 11, 24, 23, 16, 16, 26, 1, 1, 26, 2, 3, 0, 0, 3, 0, 26, 3}));
  for (auto set : {&RegSettings::setStyleFuzzy, &RegSettings::setStyleSwirl, &RegSettings::setStyleWavy,
                   &RegSettings::setStyleDistort})
    (s.*set)(100);
  EXPECT_EQ(distortionWeights(s), (Weights{50, 55, 30, 28, 20, 20, 33, 1, 1, 33, 40, 15, 10, 1, 15, 1, 33, 15}));
}

}  // namespace
}  // namespace warpix
