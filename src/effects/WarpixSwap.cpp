#include "effects/WarpixSwap.h"

namespace warpix {

void WarpixSwap::map(int x, int y, int& sx, int& sy) {
  sx = clampInt((x & 1) != 0 ? x + 1 : x - 1, width_);
  sy = clampInt((y & 1) != 0 ? y + 1 : y - 1, height_);
}

}  // namespace warpix
