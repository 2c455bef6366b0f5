#pragma once

namespace warpix {

// A two-operand operator that combines two values, each given with the
// range it can reach, into one value.
class BinOp {
 public:
  virtual ~BinOp() = default;
  virtual float evaluate(float p, float q, float pRange, float qRange) const = 0;
};

}  // namespace warpix
