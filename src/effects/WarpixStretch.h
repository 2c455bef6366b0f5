#pragma once

#include <vector>

#include "effects/WarpixStretcher.h"

namespace warpix {

// Every grid cell stretched about its centre by a power of its local
// coordinates ("House of Mirrors").
class WarpixStretch : public WarpixStretcher {
 public:
  WarpixStretch(Random& random, int width, int height);
  void map(int x, int y, int& sx, int& sy) override;
  const char* name() const override { return "WarpixStretch"; }

  float expX() const { return expX_; }
  float expY() const { return expY_; }

 private:
  float expX_;
  float expY_;
  // The result depends on each axis alone, so it is worked out once per
  // column and once per row.
  std::vector<int> sx_;
  std::vector<int> sy_;
};

}  // namespace warpix
