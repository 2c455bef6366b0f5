#pragma once

#include <vector>

#include "effects/WarpixSinX.h"

namespace warpix {

// Like WarpixSinY, with the pattern read along the bottom edge only, so the
// vertical shift depends on the column alone.
class WarpixSinY1 : public WarpixSinX {
 public:
  WarpixSinY1(Random& random, int width, int height);
  void map(int x, int y, int& sx, int& sy) override;
  const char* name() const override { return "WarpixSinY1"; }

 private:
  std::vector<float> byColumn_;  // the shift of each column
};

}  // namespace warpix
