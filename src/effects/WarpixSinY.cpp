#include "effects/WarpixSinY.h"

namespace warpix {

void WarpixSinY::map(int x, int y, int& sx, int& sy) {
  sx = x;
  sy = shiftY(y, displacementAt(x, y));
}

}  // namespace warpix
