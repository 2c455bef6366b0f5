#include "effects/WarpixSinY1.h"

namespace warpix {

WarpixSinY1::WarpixSinY1(Random& random, int width, int height) : WarpixSinX(random, width, height) {
  // The shift depends on the column alone: one evaluation a column.
  byColumn_.reserve(static_cast<std::size_t>(width_));
  for (int x = 0; x < width_; ++x) byColumn_.push_back(displacement(nx(x), 1.0f));
}

void WarpixSinY1::map(int x, int y, int& sx, int& sy) {
  sx = x;
  sy = shiftY(y, byColumn_[static_cast<std::size_t>(x)]);
}

}  // namespace warpix
