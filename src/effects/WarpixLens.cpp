#include "effects/WarpixLens.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

#include "app/Random.h"

namespace warpix {
namespace {

float refractiveIndex(Random& random) {
  const float u1 = 1.0f - random.uniform();
  return (1.0f - random.uniform()) * u1 * 4.0f + 1.0f;
}

}  // namespace

WarpixLens::WarpixLens(Random& random, int width, int height)
    : WarpixStretcher(random, width, height), eta_(refractiveIndex(random)), convex_(random.coin() != 0) {
  std::vector<int> radii;
  for (int j = 0; j < rows_; ++j) {
    for (int i = 0; i < cols_; ++i) {
      const int m = static_cast<int>(std::min(colSize_[static_cast<std::size_t>(i)], rowSize_[static_cast<std::size_t>(j)]));
      if (m > 1) radii.push_back(m / 2);
    }
  }
  const int maxRadius = radii.empty() ? 0 : *std::max_element(radii.begin(), radii.end());
  cacheOfRadius_.assign(static_cast<std::size_t>(maxRadius) + 1, -1);
  for (const int r : radii) {
    if (cacheOfRadius_[static_cast<std::size_t>(r)] >= 0) continue;
    cacheOfRadius_[static_cast<std::size_t>(r)] = static_cast<int>(caches_.size());
    const auto n = static_cast<std::size_t>(2 * r + 1) * static_cast<std::size_t>(r + 1);
    caches_.push_back(Cache{r, std::vector<float>(n, std::numeric_limits<float>::quiet_NaN()),
                            std::vector<float>(n, std::numeric_limits<float>::quiet_NaN())});
  }
}

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
  float pu = 0.0f, pv = 0.0f;
  if (std::abs(dx) <= r && std::abs(dy) <= r) {
    Cache& c = caches_[static_cast<std::size_t>(cacheOfRadius_[static_cast<std::size_t>(r)])];
    const auto span = static_cast<std::size_t>(r + 1);
    pu = cached(c.u, static_cast<std::size_t>(dx + r) * span + static_cast<std::size_t>(std::abs(dy)), u, z, z2);
    pv = cached(c.v, static_cast<std::size_t>(dy + r) * span + static_cast<std::size_t>(std::abs(dx)), v, z, z2);
  } else {
    pu = refract(u, z, z2);
    pv = refract(v, z, z2);
  }
  sx = truncClamp(left + w / 2.0f + rf * pu, width_);
  sy = truncClamp(top + h / 2.0f + rf * pv, height_);
}

}  // namespace warpix
