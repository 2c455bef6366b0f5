#pragma once

#include <vector>

#include "effects/WarpixStretcher.h"

namespace warpix {

// Each grid cell split into angular sectors about its centre, every sector
// turned by a slightly different amount.
class WarpixShatter : public WarpixStretcher {
 public:
  WarpixShatter(Random& random, int width, int height);
  void map(int x, int y, int& sx, int& sy) override;
  const char* name() const override { return "WarpixShatter"; }

  const std::vector<float>& factors() const { return factors_; }

 private:
  std::vector<float> factors_;
};

}  // namespace warpix
