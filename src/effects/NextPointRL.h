#pragma once

#include "effects/NextPoint.h"

namespace warpix {

// Visits columns from right to left, each column top to bottom.
class NextPointRL : public NextPoint {
 public:
  NextPointRL(Random& random, int width, int height);
  bool next(int& x, int& y) override;
  int nextPoints(Point* out, int n) override;
  const char* name() const override { return "NextPointRL"; }

 private:
  int c_;
  int r_;
  bool ended_ = false;
};

}  // namespace warpix
