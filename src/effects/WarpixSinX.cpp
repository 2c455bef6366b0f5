#include "effects/WarpixSinX.h"

#include "app/Random.h"

namespace warpix {

WarpixSinX::WarpixSinX(Random& random, int width, int height)
    : WarpixBlend(random, width, height), nx_(normalisedAxis(width_)), ny_(normalisedAxis(height_)) {
  ampX_ = random.skewed(16, -2) + 4;
  ampY_ = random.skewed(16, -2) + 4;
  pattern_ = std::make_unique<PatternSin>(random);
  pattern_->setup(2, 1, true, 5);
  absolute_ = random.uniform() < 0.25f;
  side_ = random.sign();
  ofRow_.reserve(ny_.size());
  for (const float v : ny_) ofRow_.push_back(pattern_->yTerms(v));
  ofColumn_.reserve(nx_.size());
  for (const float v : nx_) ofColumn_.push_back(pattern_->xTerms(v));
}

void WarpixSinX::map(int x, int y, int& sx, int& sy) {
  sx = shiftX(x, displacementAt(x, y));
  sy = y;
}

}  // namespace warpix
