#include "effects/WarpixRadialStretch.h"

#include <algorithm>
#include <cmath>

#include "app/Random.h"

namespace warpix {

WarpixRadialStretch::WarpixRadialStretch(Random& random, int width, int height)
    : WarpixStretcher(random, width, height) {
  exponent_ = random.uniformSigned() * 0.2f + 1.0f;
  wobble_ = random.coin() != 0;
  float a = 0.2f;
  for (int i = 0; i < 4; ++i) a *= random.uniform();
  amplitude_ = a;
  frequency_ = static_cast<float>(random.below(10) + 1);
}

void WarpixRadialStretch::map(int x, int y, int& sx, int& sy) {
  sx = x;
  sy = y;
  const float cx = localX(x);
  const float cy = localY(y);
  float l = std::sqrt(cx * cx + cy * cy);
  if (l > 1.0f) return;
  const float theta = angle(cx, cy);
  if (wobble_) {
    l = std::max(0.0f, l + std::sin(frequency_ * theta) * amplitude_);
    if (l > 1.0f) return;
  }
  const float rho = std::pow(l, exponent_);
  sx = truncClamp(backX(std::sin(theta) * rho, cellColumn(x)), width_);
  sy = truncClamp(backY(std::cos(theta) * rho, cellRow(y)), height_);
}

}  // namespace warpix
