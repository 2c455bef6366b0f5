#include "effects/WarpixSinY1.h"

namespace warpix {

void WarpixSinY1::map(int x, int y, int& sx, int& sy) {
  sx = x;
  sy = shiftY(y, displacement(nx(x), 1.0f));
}

}  // namespace warpix
