#include "effects/WarpixWhirlpool.h"

#include <algorithm>
#include <cmath>

#include "app/Random.h"

namespace warpix {
namespace {

std::vector<float> scaledAxis(std::vector<float> axis) {
  for (float& v : axis) v = v / Warpix::kSqrt2;
  return axis;
}

float fourUniforms(Random& random) {
  float a = 0.2f;
  for (int i = 0; i < 4; ++i) a *= random.uniform();
  return a;
}

}  // namespace

WarpixWhirlpool::WarpixWhirlpool(Random& random, int width, int height)
    : Warpix(random, width, height), e_(scaledAxis(normalisedAxis(width_))), f_(scaledAxis(normalisedAxis(height_))) {
  const float s = random.uniformSigned();
  twist_ = random.uniform() * s * kPi;
  wobble_ = random.coin() != 0;
  amplitude_ = fourUniforms(random);
  frequency_ = static_cast<float>(random.below(200) + 1);
}

void WarpixWhirlpool::map(int x, int y, int& sx, int& sy) {
  const float e = e_[static_cast<std::size_t>(x)];
  const float f = f_[static_cast<std::size_t>(y)];
  const float r = std::sqrt(e * e + f * f);
  float phi = r * twist_ + angle(e, f);
  if (wobble_) phi += std::sin(frequency_ * r) * amplitude_;
  const float p = std::clamp(std::sin(phi) * r, -1.0f, 1.0f);
  const float q = std::clamp(std::cos(phi) * r, -1.0f, 1.0f);
  sx = truncClamp(static_cast<float>(width_) * (p * 0.5f + 0.5f), width_);
  sy = truncClamp(static_cast<float>(height_) * (q * 0.5f + 0.5f), height_);
}

}  // namespace warpix
