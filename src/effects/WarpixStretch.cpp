#include "effects/WarpixStretch.h"

#include <cmath>

#include "app/Random.h"

namespace warpix {
namespace {

// sign(c) x |c|^e, keeping the sign's zero.
float signedPower(float c, float e) {
  if (c == 0.0f) return 0.0f;
  const float p = std::pow(std::fabs(c), e);
  return c < 0.0f ? -p : p;
}

}  // namespace

WarpixStretch::WarpixStretch(Random& random, int width, int height)
    : WarpixStretcher(random, width, height), expX_(random.uniform() * 1.5f + 0.5f),
      expY_(random.uniform() * 1.5f + 0.5f) {
  sx_.resize(static_cast<std::size_t>(width_));
  for (int x = 0; x < width_; ++x)
    sx_[static_cast<std::size_t>(x)] = truncClamp(backX(signedPower(localX(x), expX_), cellColumn(x)), width_);
  sy_.resize(static_cast<std::size_t>(height_));
  for (int y = 0; y < height_; ++y)
    sy_[static_cast<std::size_t>(y)] = truncClamp(backY(signedPower(localY(y), expY_), cellRow(y)), height_);
}

void WarpixStretch::map(int x, int y, int& sx, int& sy) {
  sx = sx_[static_cast<std::size_t>(x)];
  sy = sy_[static_cast<std::size_t>(y)];
}

}  // namespace warpix
