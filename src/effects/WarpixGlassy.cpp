#include "effects/WarpixGlassy.h"

#include <cmath>

#include "app/Random.h"

namespace warpix {

WarpixGlassy::WarpixGlassy(Random& random, int width, int height)
    : WarpixStretcher(random, width, height),
      g_(static_cast<float>(random.below(width_) + 100) / static_cast<float>(width_)) {
  tanX_.resize(static_cast<std::size_t>(width_));
  scale_.resize(static_cast<std::size_t>(width_));
  for (int x = 0; x < width_; ++x) {
    tanX_[static_cast<std::size_t>(x)] = std::tan(kTwoPi * fractionX(x));
    scale_[static_cast<std::size_t>(x)] = g_ * colSize_[static_cast<std::size_t>(cellColumn(x))];
  }
  tanY_.resize(static_cast<std::size_t>(height_));
  for (int y = 0; y < height_; ++y) tanY_[static_cast<std::size_t>(y)] = std::tan(kTwoPi * fractionY(y));
}

void WarpixGlassy::map(int x, int y, int& sx, int& sy) {
  const auto ux = static_cast<std::size_t>(x);
  const auto uy = static_cast<std::size_t>(y);
  const auto i = static_cast<std::size_t>(cellColumn(x));
  const auto j = static_cast<std::size_t>(cellRow(y));
  const float t = (tanX_[ux] - tanY_[uy]) / scale_[ux];
  sx = truncKeep((fractionX(x) - t) * colSize_[i] + static_cast<float>(colStart_[i]), width_, x);
  sy = truncKeep((fractionY(y) - t) * rowSize_[j] + static_cast<float>(rowStart_[j]), height_, y);
}

}  // namespace warpix
