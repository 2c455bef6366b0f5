#pragma once

#include <vector>

#include "effects/WarpixBlend.h"

namespace warpix {

// A small wobble along the diagonal from a few sine waves over the screen.
// The jitter parameters of its WarpixBlend part are drawn but not used.
class WarpixBulb : public WarpixBlend {
 public:
  WarpixBulb(Random& random, int width, int height);
  void map(int x, int y, int& sx, int& sy) override;
  const char* name() const override { return "WarpixBulb"; }

  float kx() const { return kx_; }
  float ky() const { return ky_; }

 private:
  float kx_;
  float ky_;
  std::vector<float> nx_;
  std::vector<float> ny_;
  // sin(kx x) per column and sin(ky y) per row.
  std::vector<float> waveX_;
  std::vector<float> waveY_;
};

}  // namespace warpix
