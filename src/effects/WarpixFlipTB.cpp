#include "effects/WarpixFlipTB.h"

namespace warpix {

void WarpixFlipTB::map(int x, int y, int& sx, int& sy) {
  sx = x;
  sy = height_ - y - 1;
}

}  // namespace warpix
