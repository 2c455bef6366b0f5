#include "config/StyleSamples.h"

#include <gtest/gtest.h>

#include "config/SliderDef.h"

namespace warpix {
namespace {

bool same(const Surface& a, const Surface& b) {
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x)
      if (a.pixel(x, y) != b.pixel(x, y)) return false;
  return true;
}

TEST(StyleSamplesTest, EveryStyleChangesTheSampleAndTheFlipsMirrorIt) {
  const int w = StyleSamples::kWidth;
  const int h = StyleSamples::kHeight;
  const Surface plain = StyleSamples::samplePicture(w, h);
  for (const SliderDef& def : styleSliders()) {
    const Surface sample = StyleSamples::styleSample(def.key);
    EXPECT_FALSE(same(sample, plain)) << def.key;
    EXPECT_TRUE(same(sample, StyleSamples::styleSample(def.key))) << def.key << " differs between two starts";
  }
  const Surface lr = StyleSamples::styleSample("StyleFlipLR");
  const Surface tb = StyleSamples::styleSample("StyleFlipTB");
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      ASSERT_EQ(lr.pixel(x, y), plain.pixel(w - 1 - x, y)) << x << "," << y;
      ASSERT_EQ(tb.pixel(x, y), plain.pixel(x, h - 1 - y)) << x << "," << y;
    }
  }
}

}  // namespace
}  // namespace warpix
