#include "raster/DecodeScale.h"

#include <gtest/gtest.h>

namespace warpix {
namespace {

// The fit to the scene first, then the pixel budget (120 megapixels) on
// the decoded size, ceil(side / factor). Worked by hand.
TEST(DecodeScale, FitsTheSceneThenThePixelBudget) {
  const struct {
    std::uint32_t width, height;
    int sceneWidth, divisor, factor;
  } cases[] = {
      {4000, 3000, 1024, 1, 4},      // 1000 x 750 fits 1024
      {4000, 3000, 1024, 2, 8},      // limit 512
      {4000, 3000, 1024, 0, 4},      // divisor 0: the scene width itself
      {4000, 3000, 0, 1, 1},         // no scene: full size
      {10954, 10954, 0, 1, 1},       // 119.99 megapixels
      {10955, 10955, 0, 1, 2},       // 120.01: halved, 5478 x 5478
      {40000, 30000, 0, 1, 4},       // 1/2 is still 300 megapixels
      {30000, 20000, 16000, 1, 4},   // the scene's 1/2 is 150 megapixels
      {100000, 100000, 0, 1, 0},     // 156 megapixels even at 1/8
      {100000, 100000, 1920, 1, 0},  // the scene's 1/8 does not lift the budget
  };
  for (const auto& c : cases) {
    EXPECT_EQ(DecodeScale(c.sceneWidth, c.divisor).factorFor(c.width, c.height), c.factor)
        << c.width << "x" << c.height << " scene " << c.sceneWidth << "/" << c.divisor;
  }
}

}  // namespace
}  // namespace warpix
