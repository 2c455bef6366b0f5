#include "effects/WarpixShatter.h"

#include <cmath>

#include "app/Random.h"

namespace warpix {

WarpixShatter::WarpixShatter(Random& random, int width, int height) : WarpixStretcher(random, width, height) {
  const int n = random.below(32) + 4;
  factors_.resize(static_cast<std::size_t>(n));
  for (float& f : factors_) f = random.uniformSigned() * 0.05f;
}

void WarpixShatter::map(int x, int y, int& sx, int& sy) {
  const float cx = localX(x);
  const float cy = localY(y);
  const float l = std::sqrt(cx * cx + cy * cy);
  const float theta = angle(cx, cy);
  const float full = theta < 0.0f ? theta + kTwoPi : theta;
  const int n = static_cast<int>(factors_.size());
  int k = static_cast<int>(static_cast<float>(n) * full / kTwoPi);
  if (k > n - 1) k = n - 1;
  const float phi = theta * (1.0f + factors_[static_cast<std::size_t>(k)]);
  sx = truncClamp(backX(std::sin(phi) * l, cellColumn(x)), width_);
  sy = truncClamp(backY(std::cos(phi) * l, cellRow(y)), height_);
}

}  // namespace warpix
