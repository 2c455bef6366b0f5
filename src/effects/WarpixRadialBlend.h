#pragma once

#include "effects/WarpixStretcher.h"

namespace warpix {

// A grainy radial smear in every grid cell: per pixel, a random pull toward
// the cell's centre and/or a random turn about it.
class WarpixRadialBlend : public WarpixStretcher {
 public:
  WarpixRadialBlend(Random& random, int width, int height);
  void map(int x, int y, int& sx, int& sy) override;
  const char* name() const override { return "WarpixRadialBlend"; }

  int k() const { return k_; }
  float amplitude() const { return amplitude_; }
  bool spin() const { return spin_; }
  bool shrink() const { return shrink_; }
  bool signedSpin() const { return signedSpin_; }

 private:
  int k_ = 1;
  float amplitude_ = 0.0f;
  bool spin_ = false;
  bool shrink_ = false;
  bool signedSpin_ = false;
};

}  // namespace warpix
