#include "effects/NextPointRL.h"

namespace warpix {

NextPointRL::NextPointRL(Random& random, int width, int height)
    : NextPoint(random, width, height), c_(width_ - 1), r_(-1) {}

bool NextPointRL::next(int& x, int& y) {
  if (!ended_ && ++r_ == height_) {
    r_ = 0;
    if (--c_ < 0) {
      c_ = 0;
      ended_ = true;
    }
  }
  x = c_;
  y = r_;
  return ended_;
}

int NextPointRL::nextPoints(Point* out, int n) { return collect(*this, out, n); }

}  // namespace warpix
