#pragma once

#include <cmath>
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

  // What evaluate derives from one input alone: from y the amplitude,
  // frequency and phase of the sine along x (k1, k2, k3), from x those of
  // the sine along y (k4, k5, k6). A caller that evaluates a whole grid
  // works them out once per row and per column.
  struct Terms {
    float amplitude = 0.0f;
    float frequency = 0.0f;
    float phase = 0.0f;
  };
  Terms yTerms(float y) const;
  Terms xTerms(float x) const;
  // evaluate's out[0] from the terms of x's column and y's row; only for a
  // set-up generator.
  float evaluateTerms(float x, float y, const Terms& ofY, const Terms& ofX) const {
    const float s1 = std::sin((ofY.frequency * x + ofY.phase) * kPi) * ofY.amplitude;
    const float s2 = std::sin((ofX.frequency * y + ofX.phase) * kPi) * ofX.amplitude;
    return combiner_->evaluate(s1, s2, ofY.amplitude, ofX.amplitude) * 0.5f + 0.5f;
  }

 private:
  static constexpr float kPi = 3.14159265358979323846f;

  float k_[6] = {0, 0, 0, 0, 0, 0};
  bool mod_[6] = {false, false, false, false, false, false};
  // Consecutive calls along a row share y; its terms are kept for them.
  bool memoValid_ = false;
  float memoY_ = 0.0f;
  Terms memoTerms_;
  std::unique_ptr<BinOp> combiner_;
};

}  // namespace warpix
