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
    return signedShift(out[0]);
  }
  // The same at the pixel (x, y), from the pattern's terms of its row and
  // column, worked out once for the screen: two sines a pixel, not four.
  float displacementAt(int x, int y) const {
    return signedShift(pattern_->evaluateTerms(nx(x), ny(y), ofRow_[static_cast<std::size_t>(y)],
                                               ofColumn_[static_cast<std::size_t>(x)]));
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
  float signedShift(float value) const {
    const float e = 2.0f * value - 1.0f;
    return absolute_ ? std::fabs(e) * static_cast<float>(side_) : e;
  }

  std::unique_ptr<PatternSin> pattern_;
  bool absolute_ = false;
  int side_ = 1;
  std::vector<float> nx_;
  std::vector<float> ny_;
  std::vector<PatternSin::Terms> ofRow_;
  std::vector<PatternSin::Terms> ofColumn_;
};

}  // namespace warpix
