#include "effects/WarpixLens.h"

#include <algorithm>
#include <cmath>

#include "app/Random.h"

namespace warpix {
namespace {

float refractiveIndex(Random& random) {
  const float u1 = 1.0f - random.uniform();
  return (1.0f - random.uniform()) * u1 * 4.0f + 1.0f;
}

}  // namespace

WarpixLens::WarpixLens(Random& random, int width, int height)
    : WarpixStretcher(random, width, height), eta_(refractiveIndex(random)), convex_(random.coin() != 0) {}

float WarpixLens::refract(float u, float z, float z2) const {
  const float n = std::sqrt(u * u + z * z);
  // At the rim's top and bottom both are 0; the direction is then straight
  // down (cosine 0). Rounding can push the cosine a hair past 1.
  const float c = n > 0.0f ? std::clamp(u / n, -1.0f, 1.0f) : 0.0f;
  const float alpha = kHalfPi - std::acos(c);
  const float beta = std::asin(std::sin(alpha) / eta_);
  const float t = std::tan(alpha - beta);
  return convex_ ? u - t * z : u + t * z2 * z2;
}

void WarpixLens::map(int x, int y, int& sx, int& sy) {
  sx = x;
  sy = y;
  const int i = cellColumn(x);
  const int j = cellRow(y);
  const float w = colSize_[static_cast<std::size_t>(i)];
  const float h = rowSize_[static_cast<std::size_t>(j)];
  const int m = static_cast<int>(std::min(w, h));
  if (m <= 1) return;
  const float left = static_cast<float>(colStart_[static_cast<std::size_t>(i)]);
  const float top = static_cast<float>(rowStart_[static_cast<std::size_t>(j)]);
  const int dx = static_cast<int>(static_cast<float>(x - colStart_[static_cast<std::size_t>(i)]) - w / 2.0f);
  const int dy = static_cast<int>(static_cast<float>(y - rowStart_[static_cast<std::size_t>(j)]) - h / 2.0f);
  const int r = m / 2;
  const float u = static_cast<float>(dx) / static_cast<float>(r);
  const float v = static_cast<float>(dy) / static_cast<float>(r);
  if (std::sqrt(u * u + v * v) > 1.0f) return;
  // Rounding can leave the square a hair below 0 on the rim.
  const float z2 = std::max(0.0f, 1.0f - u * u - v * v);
  const float z = std::sqrt(z2);
  const float rf = static_cast<float>(r);
  sx = truncClamp(left + w / 2.0f + rf * refract(u, z, z2), width_);
  sy = truncClamp(top + h / 2.0f + rf * refract(v, z, z2), height_);
}

}  // namespace warpix
