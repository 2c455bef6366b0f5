#pragma once

#include <memory>

#include "effects/BinOp.h"
#include "effects/PatternCalculator.h"

namespace warpix {

// Two sine terms, one along x whose frequency and amplitude follow a sine of
// y and one along y that follows a sine of x, added by a BinOpAdd: the
// marbled waves of the wave distortions.
class PatternSin : public PatternCalculator {
 public:
  explicit PatternSin(Random& random);

  bool isCompound() const override { return false; }
  void setup(int inputCount, int outputCount, bool fixed, int k) override;
  // in[0] = x, in[1] = y; writes out[0] in 0..1.
  void evaluate(std::span<const float> in, std::span<float> out) override;

  // The coefficients K1..K6 (index 0..5), for inspection.
  float coefficient(int i) const { return k_[i]; }
  // Replaces the coefficients of a set-up generator, all modulated.
  void setCoefficients(float k1, float k2, float k3, float k4, float k5, float k6);

 private:
  float k_[6] = {0, 0, 0, 0, 0, 0};
  bool mod_[6] = {false, false, false, false, false, false};
  // Consecutive calls along a row share y; its sine is kept for them.
  float memoY_ = -1000.0f;
  float memoSine_ = 0.0f;
  std::unique_ptr<BinOp> combiner_;
};

}  // namespace warpix
