#pragma once

#include "effects/BinOp.h"

namespace warpix {

// The sum of the operands scaled by the sum of their ranges: within -1..1
// whenever each operand lies within its range; 0 when both ranges are 0.
class BinOpAdd : public BinOp {
 public:
  float evaluate(float p, float q, float pRange, float qRange) const override;
};

}  // namespace warpix
