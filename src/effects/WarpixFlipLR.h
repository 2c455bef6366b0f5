#pragma once

#include "effects/Warpix.h"

namespace warpix {

// The mirror image left to right.
class WarpixFlipLR : public Warpix {
 public:
  WarpixFlipLR(Random& random, int width, int height) : Warpix(random, width, height) {}
  void map(int x, int y, int& sx, int& sy) override;
  const char* name() const override { return "WarpixFlipLR"; }
};

}  // namespace warpix
