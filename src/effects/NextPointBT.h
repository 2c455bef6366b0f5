#pragma once

#include "effects/NextPoint.h"

namespace warpix {

// Visits rows from bottom to top, each row left to right.
class NextPointBT : public NextPoint {
 public:
  NextPointBT(Random& random, int width, int height);
  bool next(int& x, int& y) override;
  int nextPoints(Point* out, int n) override;
  const char* name() const override { return "NextPointBT"; }

 private:
  int c_;
  int r_;
  bool ended_ = false;
};

}  // namespace warpix
