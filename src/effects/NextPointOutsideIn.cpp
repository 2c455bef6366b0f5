#include "effects/NextPointOutsideIn.h"

#include <algorithm>
#include <cstdint>

namespace warpix {
namespace {

// The width that keeps the screen's aspect ratio at a ring's height.
int aspectWidth(int top, int bottom, int width, int height) {
  return static_cast<int>(static_cast<std::int64_t>(bottom - top + 1) * width / height);
}

}  // namespace

NextPointOutsideIn::Ring NextPointOutsideIn::outerRing(int width, int height) {
  width = std::max(width, 1);
  height = std::max(height, 1);
  Ring r{0, 0, 0, width - 1, 0, height - 1};
  const int w = aspectWidth(r.top, r.bottom, width, height);
  r.holeLeft = std::max(r.left, (width - w) / 2);
  r.holeRight = std::min(r.right, r.left + w);
  return r;
}

NextPointOutsideIn::NextPointOutsideIn(Random& random, int width, int height)
    : NextPointInsideOut(random, width, height, outerRing(width, height), -1, 0) {}

bool NextPointOutsideIn::nextRing() {
  Ring& r = ring_;
  ++r.top;
  --r.bottom;
  if (r.top >= r.bottom) return false;
  // The previous hole becomes the box.
  r.left = r.holeLeft + 1;
  r.right = r.holeRight - 1;
  // An empty hole means every pixel inside the previous ring has been
  // visited; the box made of it would have no columns and lie partly
  // outside the screen.
  if (r.left > r.right) return false;
  const int w = aspectWidth(r.top, r.bottom, width_, height_);
  r.holeLeft = std::max(r.left, (width_ - w) / 2);
  r.holeRight = std::min(r.right, r.left + w);  // measured from the new left
  x_ = r.left;
  y_ = r.top;
  return true;
}

}  // namespace warpix
