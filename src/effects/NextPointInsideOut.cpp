#include "effects/NextPointInsideOut.h"

#include <algorithm>
#include <cstdint>

namespace warpix {
NextPointInsideOut::NextPointInsideOut(Random& random, int width, int height)
    : NextPoint(random, width, height), x_(0), y_(0), ring_{} {
  // The starting 2 x 2 box sits on the centre; on a screen one pixel wide or
  // high it is clipped to the screen so that no point outside it is returned.
  const int a = width_ / 2;
  const int b = height_ / 2;
  const int left = std::max(a - 1, 0);
  const int top = std::max(b - 1, 0);
  ring_ = Ring{left, left, a, a, top, b};
  x_ = left - 1;
  y_ = top;
}

NextPointInsideOut::NextPointInsideOut(Random& random, int width, int height, const Ring& first, int x, int y)
    : NextPoint(random, width, height), x_(x), y_(y), ring_(first) {}

bool NextPointInsideOut::next(int& x, int& y) {
  if (!ended_ && stepInRing() && !nextRing()) ended_ = true;
  x = x_;
  y = y_;
  return ended_;
}

bool NextPointInsideOut::stepInRing() {
  const Ring& r = ring_;
  if (y_ == r.top || y_ >= r.bottom) {
    if (++x_ > r.right) {
      x_ = r.left;
      ++y_;
      return y_ > r.bottom || y_ >= height_;
    }
  } else if (x_ >= r.right) {
    x_ = r.left;
    ++y_;
  } else if (x_ >= r.holeRight) {
    ++x_;
  } else if (x_ >= r.holeLeft) {
    x_ = r.holeRight;  // over the hole
  } else {
    ++x_;
  }
  return false;
}

bool NextPointInsideOut::nextRing() {
  Ring& r = ring_;
  --r.top;
  ++r.bottom;
  if (r.top < 0 || r.bottom >= height_) return false;
  // The previous box becomes the hole.
  r.holeLeft = std::max(r.left - 1, 0);
  r.holeRight = std::min(r.right + 1, width_ - 1);
  // The width that keeps the screen's aspect ratio at the new height.
  const int w = static_cast<int>(static_cast<std::int64_t>(r.bottom - r.top + 1) * width_ / height_);
  const int c = (width_ - w) / 2;
  r.left = std::max(0, std::min(r.holeLeft, c));
  r.right = std::min(std::max(r.holeRight, r.left + w), width_ - 1);
  x_ = r.left;
  y_ = r.top;
  return true;
}

int NextPointInsideOut::nextPoints(Point* out, int n) {
  // Each ring's hole holds the holes of the rings inside it, so the hole of
  // the innermost ring a batch touches, its first ring or its last, holds
  // none of the batch's points.
  const Rect first = holeOf(ring_);
  const int got = collect(*this, out, n);
  batchHole_ = intersection(first, holeOf(ring_));
  return got;
}

}  // namespace warpix
