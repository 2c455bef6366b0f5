#include "effects/NextPointBT.h"

namespace warpix {

NextPointBT::NextPointBT(Random& random, int width, int height)
    : NextPoint(random, width, height), c_(-1), r_(height_ - 1) {}

bool NextPointBT::next(int& x, int& y) {
  if (!ended_ && ++c_ == width_) {
    c_ = 0;
    if (--r_ < 0) {
      r_ = 0;
      ended_ = true;
    }
  }
  x = c_;
  y = r_;
  return ended_;
}

int NextPointBT::nextPoints(Point* out, int n) { return collect(*this, out, n); }

}  // namespace warpix
