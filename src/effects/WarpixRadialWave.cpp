#include "effects/WarpixRadialWave.h"

#include <cmath>

#include "app/Random.h"

namespace warpix {
namespace {

std::vector<float> unitAxis(int size) {
  std::vector<float> axis(static_cast<std::size_t>(size));
  for (int i = 0; i < size; ++i) axis[static_cast<std::size_t>(i)] = static_cast<float>(i) / static_cast<float>(size);
  return axis;
}

}  // namespace

WarpixRadialWave::WarpixRadialWave(Random& random, int width, int height)
    : WarpixStretcher(random, width, height), e_(unitAxis(width_)), g_(unitAxis(height_)) {
  cx0_ = random.uniform();
  cy0_ = random.uniform();
  a1_ = random.uniform() * 0.5f + 0.1f;
  a2_ = random.uniform() * 0.5f + 0.1f;
  f1_ = static_cast<float>(random.below(100)) * kTwoPi;
  f2_ = static_cast<float>(random.below(20)) * kTwoPi;
  damping_ = random.uniform() * 20.0f;
}

void WarpixRadialWave::map(int x, int y, int& sx, int& sy) {
  const float e = e_[static_cast<std::size_t>(x)];
  const float g = g_[static_cast<std::size_t>(y)];
  const float de = e - cx0_;
  const float dg = g - cy0_;
  const float d = std::sqrt(de * de + dg * dg) / kSqrt2;
  const float u = std::sin(2.0f * kTwoPi * d) * (std::sin(f2_ * d) * a2_) * (std::cos(f1_ * d) * a1_) /
                  (std::sqrt(d) * damping_ + 1.0f);
  sx = truncClamp(static_cast<float>(width_) * (e + u), width_);
  sy = truncClamp(static_cast<float>(height_) * (g + u), height_);
}

}  // namespace warpix
