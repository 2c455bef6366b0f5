#pragma once

#include "effects/Warpix.h"

namespace warpix {

// Swaps neighbouring pixels on both axes: a fine speckle.
class WarpixSwap : public Warpix {
 public:
  WarpixSwap(Random& random, int width, int height) : Warpix(random, width, height) {}
  void map(int x, int y, int& sx, int& sy) override;
  const char* name() const override { return "WarpixSwap"; }
};

}  // namespace warpix
