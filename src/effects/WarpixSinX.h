#pragma once

#include <memory>
#include <vector>

#include "effects/PatternSin.h"
#include "effects/WarpixBlend.h"

namespace warpix {

// A marbled wave: each pixel is shifted sideways by an amount that a
// PatternSin gives for its place. Its WarpixBlend part draws its jitter
// sizes first; they are then replaced by the wave's amplitudes.
class WarpixSinX : public WarpixBlend {
 public:
  WarpixSinX(Random& random, int width, int height);
  void map(int x, int y, int& sx, int& sy) override;
  const char* name() const override { return "WarpixSinX"; }

  bool absolute() const { return absolute_; }
  int side() const { return side_; }
  const PatternSin& pattern() const { return *pattern_; }

 protected:
  // The signed shift, -1..1, for the pattern evaluated at (px, py).
  float displacement(float px, float py) {
    const float in[2] = {px, py};
    float out[1] = {0.5f};
    pattern_->evaluate(in, out);
    const float e = 2.0f * out[0] - 1.0f;
    return absolute_ ? std::fabs(e) * static_cast<float>(side_) : e;
  }
  float nx(int x) const { return nx_[static_cast<std::size_t>(x)]; }
  float ny(int y) const { return ny_[static_cast<std::size_t>(y)]; }
  int shiftX(int x, float e) const {
    return truncClamp(static_cast<float>(x) + static_cast<float>(ampX_) * e, width_);
  }
  int shiftY(int y, float e) const {
    return truncClamp(static_cast<float>(y) + static_cast<float>(ampY_) * e, height_);
  }

 private:
  std::unique_ptr<PatternSin> pattern_;
  bool absolute_ = false;
  int side_ = 1;
  std::vector<float> nx_;
  std::vector<float> ny_;
};

}  // namespace warpix
