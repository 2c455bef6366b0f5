#include "effects/BinOpAdd.h"

#include <cmath>

namespace warpix {

float BinOpAdd::evaluate(float p, float q, float pRange, float qRange) const {
  const float s = std::fabs(pRange) + std::fabs(qRange);
  return s == 0.0f ? 0.0f : (p + q) / s;
}

}  // namespace warpix
