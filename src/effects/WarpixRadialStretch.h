#pragma once

#include "effects/WarpixStretcher.h"

namespace warpix {

// Inside the ellipse inscribed in each grid cell, the distance from the
// cell's centre is raised to a power near 1, optionally with a ripple along
// the angle; points outside the ellipse stay where they are.
class WarpixRadialStretch : public WarpixStretcher {
 public:
  WarpixRadialStretch(Random& random, int width, int height);
  void map(int x, int y, int& sx, int& sy) override;
  const char* name() const override { return "WarpixRadialStretch"; }

  float exponent() const { return exponent_; }
  bool wobble() const { return wobble_; }
  float amplitude() const { return amplitude_; }
  float frequency() const { return frequency_; }

 private:
  float exponent_ = 1.0f;
  bool wobble_ = false;
  float amplitude_ = 0.0f;
  float frequency_ = 1.0f;
};

}  // namespace warpix
