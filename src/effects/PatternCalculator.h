#pragma once

#include <span>

namespace warpix {

class Random;

// A smooth random function of the plane: inputs in normalised coordinates
// (-1..1), outputs in 0..1. The owner sets it up once, then evaluates it.
class PatternCalculator {
 public:
  explicit PatternCalculator(Random& random) : random_(random) {}
  virtual ~PatternCalculator() = default;
  PatternCalculator(const PatternCalculator&) = delete;
  PatternCalculator& operator=(const PatternCalculator&) = delete;

  // Whether the generator is of the compound kind; the sine generator is not.
  virtual bool isCompound() const = 0;
  // Chooses the coefficients; does nothing once the generator is set up.
  virtual void setup(int inputCount, int outputCount, bool fixed, int k) = 0;
  virtual void evaluate(std::span<const float> in, std::span<float> out) = 0;
  // evaluate, with every output o replaced by 2 o - 1.
  void evaluateSigned(std::span<const float> in, std::span<float> out) {
    evaluate(in, out);
    for (float& o : out) o = 2.0f * o - 1.0f;
  }

  bool isSetUp() const { return setUp_; }

 protected:
  Random& random_;
  bool setUp_ = false;
};

}  // namespace warpix
