#include "effects/WarpixTileShrinker.h"

#include "app/Random.h"

namespace warpix {

WarpixTileShrinker::WarpixTileShrinker(Random& random, int width, int height)
    : WarpixStretcher(random, width, height), tileWidth_(1 << (random.below(4) + 5)),
      tileHeight_(1 << (random.below(4) + 5)) {}

int WarpixTileShrinker::shrink(int v, int tile, int size) {
  const int b = v / tile * tile;
  const float t = static_cast<float>(tile);
  const float s = static_cast<float>(b) - t + static_cast<float>(v - b) / t * t * 2.0f;
  return truncKeep(s, size, v);
}

void WarpixTileShrinker::map(int x, int y, int& sx, int& sy) {
  sx = shrink(x, tileWidth_, width_);
  sy = shrink(y, tileHeight_, height_);
}

}  // namespace warpix
