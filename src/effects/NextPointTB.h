#pragma once

#include "effects/NextPoint.h"

namespace warpix {

// Visits rows from top to bottom, each row left to right.
class NextPointTB : public NextPoint {
 public:
  NextPointTB(Random& random, int width, int height);
  bool next(int& x, int& y) override;
  int nextPoints(Point* out, int n) override;
  const char* name() const override { return "NextPointTB"; }

 private:
  int c_;
  int r_;
  bool ended_ = false;
};

}  // namespace warpix
