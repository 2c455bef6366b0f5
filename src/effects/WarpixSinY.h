#pragma once

#include "effects/WarpixSinX.h"

namespace warpix {

// Like WarpixSinX, with the wave shifting each pixel vertically.
class WarpixSinY : public WarpixSinX {
 public:
  WarpixSinY(Random& random, int width, int height) : WarpixSinX(random, width, height) {}
  void map(int x, int y, int& sx, int& sy) override;
  const char* name() const override { return "WarpixSinY"; }
};

}  // namespace warpix
