#include "effects/WarpixSinX1.h"

namespace warpix {

void WarpixSinX1::map(int x, int y, int& sx, int& sy) {
  sx = shiftX(x, displacement(1.0f, ny(y)));
  sy = y;
}

}  // namespace warpix
