#include "effects/WarpixSinX1.h"

namespace warpix {

WarpixSinX1::WarpixSinX1(Random& random, int width, int height) : WarpixSinX(random, width, height) {
  // The shift depends on the row alone: one evaluation a row.
  byRow_.reserve(static_cast<std::size_t>(height_));
  for (int y = 0; y < height_; ++y) byRow_.push_back(displacement(1.0f, ny(y)));
}

void WarpixSinX1::map(int x, int y, int& sx, int& sy) {
  sx = shiftX(x, byRow_[static_cast<std::size_t>(y)]);
  sy = y;
}

}  // namespace warpix
