#include "effects/NextPointLR.h"

namespace warpix {

NextPointLR::NextPointLR(Random& random, int width, int height) : NextPoint(random, width, height), c_(0), r_(-1) {}

bool NextPointLR::next(int& x, int& y) {
  if (!ended_ && ++r_ == height_) {
    r_ = 0;
    if (++c_ == width_) {
      c_ = 0;
      ended_ = true;
    }
  }
  x = c_;
  y = r_;
  return ended_;
}

int NextPointLR::nextPoints(Point* out, int n) { return collect(*this, out, n); }

}  // namespace warpix
