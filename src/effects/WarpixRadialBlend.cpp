#include "effects/WarpixRadialBlend.h"

#include <cmath>

#include "app/Random.h"

namespace warpix {

WarpixRadialBlend::WarpixRadialBlend(Random& random, int width, int height) : WarpixStretcher(random, width, height) {
  k_ = random.skewed(64, -3) + 1;
  amplitude_ = random.uniform() * 0.01f;
  do {
    spin_ = random.coin() != 0;
    shrink_ = random.coin() != 0;
  } while (!spin_ && !shrink_);
  signedSpin_ = random.coin() != 0;
}

void WarpixRadialBlend::map(int x, int y, int& sx, int& sy) {
  const int i = cellColumn(x);
  const int j = cellRow(y);
  const float cx = localX(x);
  const float cy = localY(y);
  float l = std::sqrt(cx * cx + cy * cy);
  float theta = angle(cx, cy);
  if (shrink_) {
    const float w = colSize_[static_cast<std::size_t>(i)];
    const float h = rowSize_[static_cast<std::size_t>(j)];
    const float d = std::sqrt(w * w + h * h);
    l -= (1.0f - random_.uniform()) * static_cast<float>(k_) / d;
  }
  if (spin_) {
    const float v = signedSpin_ ? random_.uniformSigned() : 1.0f - random_.uniform();
    theta = (amplitude_ * v + 1.0f) * theta;
  }
  sx = truncClamp(backX(std::sin(theta) * l, i), width_);
  sy = truncClamp(backY(std::cos(theta) * l, j), height_);
}

}  // namespace warpix
