#pragma once

#include "effects/WarpixStretcher.h"

namespace warpix {

// Tiles that each show, at half size, the region from one tile before them
// to their own end; the grid plays no part.
class WarpixTileShrinker : public WarpixStretcher {
 public:
  WarpixTileShrinker(Random& random, int width, int height);
  void map(int x, int y, int& sx, int& sy) override;
  const char* name() const override { return "WarpixTileShrinker"; }

  int tileWidth() const { return tileWidth_; }
  int tileHeight() const { return tileHeight_; }

 private:
  static int shrink(int v, int tile, int size);

  int tileWidth_;
  int tileHeight_;
};

}  // namespace warpix
