#pragma once

#include <vector>

#include "effects/WarpixStretcher.h"

namespace warpix {

// Damped ripples spreading from a random centre; the grid plays no part.
class WarpixRadialWave : public WarpixStretcher {
 public:
  WarpixRadialWave(Random& random, int width, int height);
  void map(int x, int y, int& sx, int& sy) override;
  const char* name() const override { return "WarpixRadialWave"; }

  float centreX() const { return cx0_; }
  float centreY() const { return cy0_; }

 private:
  float cx0_, cy0_, a1_, a2_, f1_, f2_, damping_;
  // x / W per column and y / H per row.
  std::vector<float> e_;
  std::vector<float> g_;
};

}  // namespace warpix
