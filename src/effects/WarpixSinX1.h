#pragma once

#include <vector>

#include "effects/WarpixSinX.h"

namespace warpix {

// Like WarpixSinX, with the pattern read along the right edge only, so the
// sideways shift depends on the row alone.
class WarpixSinX1 : public WarpixSinX {
 public:
  WarpixSinX1(Random& random, int width, int height);
  void map(int x, int y, int& sx, int& sy) override;
  const char* name() const override { return "WarpixSinX1"; }

 private:
  std::vector<float> byRow_;  // the shift of each row
};

}  // namespace warpix
