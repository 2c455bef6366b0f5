#include "effects/PatternSin.h"

#include <cmath>

#include "app/Random.h"
#include "effects/BinOpAdd.h"

namespace warpix {
PatternSin::PatternSin(Random& random) : PatternCalculator(random) {}

void PatternSin::setup(int /*inputCount*/, int /*outputCount*/, bool /*fixed*/, int /*k*/) {
  if (setUp_) return;
  // The generator kind is drawn though a fixed set-up does not follow it; the
  // draw keeps the sequence of later draws.
  random_.coin();
  combiner_ = std::make_unique<BinOpAdd>();
  k_[0] = static_cast<float>(random_.skewed(6, 2) + 1);
  k_[1] = static_cast<float>(random_.skewed(6, 2) + 1);
  k_[2] = 0.0f;
  k_[3] = static_cast<float>(random_.skewed(6, 2) + 1);
  k_[4] = static_cast<float>(random_.skewed(6, 2) + 1);
  k_[5] = 0.0f;
  for (bool& m : mod_) m = true;
  setUp_ = true;
}

void PatternSin::setCoefficients(float k1, float k2, float k3, float k4, float k5, float k6) {
  if (!combiner_) combiner_ = std::make_unique<BinOpAdd>();
  const float k[6] = {k1, k2, k3, k4, k5, k6};
  for (int i = 0; i < 6; ++i) {
    k_[i] = k[i];
    mod_[i] = true;
  }
  memoValid_ = false;
  setUp_ = true;
}

PatternSin::Terms PatternSin::yTerms(float y) const {
  const float K1 = k_[0], K2 = k_[1], K3 = k_[2], K4 = k_[3], K5 = k_[4], K6 = k_[5];
  Terms t{K1, K2, K3};
  if (mod_[0] || mod_[1] || mod_[2]) {
    const float m = std::sin((K5 * y + K6) * kPi);
    if (mod_[0]) t.amplitude = K1 * K4 * m;
    if (mod_[1]) t.frequency = K2 * K4 * m;
    if (mod_[2]) t.phase = K3 * K4 * m;
  }
  return t;
}

PatternSin::Terms PatternSin::xTerms(float x) const {
  const float K1 = k_[0], K2 = k_[1], K3 = k_[2], K4 = k_[3], K5 = k_[4], K6 = k_[5];
  const float w = std::sin((K2 * x + K3) * kPi);
  Terms t{K4, K5, K6};
  if (mod_[3]) t.amplitude = w * K4 * K1;
  if (mod_[4]) t.frequency = w * K5 * K1;
  if (mod_[5]) t.phase = w * K6 * K1;
  return t;
}

void PatternSin::evaluate(std::span<const float> in, std::span<float> out) {
  if (in.size() < 2 || out.empty()) return;
  if (!combiner_) {  // not set up: the flat middle value
    out[0] = 0.5f;
    return;
  }
  const float x = in[0];
  const float y = in[1];
  if (!memoValid_ || y != memoY_) {
    memoTerms_ = yTerms(y);
    memoY_ = y;
    memoValid_ = true;
  }
  out[0] = evaluateTerms(x, y, memoTerms_, xTerms(x));
}

}  // namespace warpix
