#include "effects/WarpixBlend.h"

#include "app/Random.h"

namespace warpix {

WarpixBlend::WarpixBlend(Random& random, int width, int height)
    : Warpix(random, width, height), ampX_(random.below(32) + 1), ampY_(random.below(32) + 1),
      halfX_(ampX_ / 2), halfY_(ampY_ / 2) {}

void WarpixBlend::map(int x, int y, int& sx, int& sy) {
  const int jx = random_.below(ampX_);
  const int jy = random_.below(ampY_);
  sx = clampInt(x + jx - halfX_, width_);
  sy = clampInt(y + jy - halfY_, height_);
}

}  // namespace warpix
