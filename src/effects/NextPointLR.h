#pragma once

#include "effects/NextPoint.h"

namespace warpix {

// Visits columns from left to right, each column top to bottom.
class NextPointLR : public NextPoint {
 public:
  NextPointLR(Random& random, int width, int height);
  bool next(int& x, int& y) override;
  int nextPoints(Point* out, int n) override;
  const char* name() const override { return "NextPointLR"; }

 private:
  int c_;
  int r_;
  bool ended_ = false;
};

}  // namespace warpix
