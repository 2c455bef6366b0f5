#include "effects/WarpixFlipLR.h"

namespace warpix {

void WarpixFlipLR::map(int x, int y, int& sx, int& sy) {
  sx = width_ - x - 1;
  sy = y;
}

}  // namespace warpix
