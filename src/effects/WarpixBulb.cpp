#include "effects/WarpixBulb.h"

#include <cmath>

#include "app/Random.h"

namespace warpix {
namespace {

float waveNumber(Random& random, int size) {
  return static_cast<float>(random.below(100) + 50) * Warpix::kTwoPi / static_cast<float>(size);
}

std::vector<float> wave(float k, int size) {
  std::vector<float> w(static_cast<std::size_t>(size));
  for (int i = 0; i < size; ++i) w[static_cast<std::size_t>(i)] = std::sin(k * static_cast<float>(i));
  return w;
}

}  // namespace

WarpixBulb::WarpixBulb(Random& random, int width, int height)
    : WarpixBlend(random, width, height), kx_(waveNumber(random, width_)), ky_(waveNumber(random, height_)),
      nx_(normalisedAxis(width_)), ny_(normalisedAxis(height_)), waveX_(wave(kx_, width_)),
      waveY_(wave(ky_, height_)) {}

void WarpixBulb::map(int x, int y, int& sx, int& sy) {
  const auto ux = static_cast<std::size_t>(x);
  const auto uy = static_cast<std::size_t>(y);
  const float nx = nx_[ux];
  const float ny = ny_[uy];
  const float r = std::sqrt(nx * nx + ny * ny);
  const float u = std::sin(kTwoPi * r / kSqrt2) - std::sin(angle(nx, ny)) - waveX_[ux] - waveY_[uy];
  sx = truncClamp(static_cast<float>(x) - u, width_);
  sy = truncClamp(static_cast<float>(y) - u, height_);
}

}  // namespace warpix
