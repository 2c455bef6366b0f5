#include "effects/NextPointTB.h"

namespace warpix {

NextPointTB::NextPointTB(Random& random, int width, int height) : NextPoint(random, width, height), c_(-1), r_(0) {}

bool NextPointTB::next(int& x, int& y) {
  if (!ended_ && ++c_ == width_) {
    c_ = 0;
    if (++r_ == height_) {
      r_ = 0;
      ended_ = true;
    }
  }
  x = c_;
  y = r_;
  return ended_;
}

int NextPointTB::nextPoints(Point* out, int n) { return collect(*this, out, n); }

}  // namespace warpix
