#pragma once

#include "effects/Warpix.h"

namespace warpix {

// The mirror image top to bottom.
class WarpixFlipTB : public Warpix {
 public:
  WarpixFlipTB(Random& random, int width, int height) : Warpix(random, width, height) {}
  void map(int x, int y, int& sx, int& sy) override;
  const char* name() const override { return "WarpixFlipTB"; }
};

}  // namespace warpix
