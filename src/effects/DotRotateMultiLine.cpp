#include "effects/DotRotateMultiLine.h"

#include <algorithm>

#include "app/Random.h"
#include "platform/Surface.h"

namespace warpix {

DotRotateMultiLine::DotRotateMultiLine(Random& random, int screenWidth, int screenHeight)
    : DotRotateLine(random, screenWidth, screenHeight) {
  lineCount_ = random.below(5) + 2;
  spacing_ = random.below(5) + 1;
  // The lines of a bundle are one pixel wide.
  length_ = 1;
}

Rect DotRotateMultiLine::segment(int x, int y, int rectHeight, int screenWidth, int screenHeight) {
  return {std::max(0, x), std::max(0, y - rectHeight / 2), std::min(x, screenWidth),
          std::min(y + rectHeight / 2, screenHeight)};
}

void DotRotateMultiLine::draw(Surface& surface, int x, int y, ColorRGB colour) {
  const Rect seg = segment(x, y, rectHeight_, screenWidth_, screenHeight_);
  const int xa = seg.left, ya = seg.top, xb = seg.right, yb = seg.bottom;
  const Stroke s = stroke(colour);
  for (int i = 0; i < lineCount_; ++i) {
    const int offset = (i - lineCount_ / 2) * (spacing_ + length_);
    // Start jitter before end jitter.
    const int s1 = offset + random_.below(9) - 4;
    const int s2 = offset + random_.below(9) - 4;
    surface.line(turned(s, x, y, static_cast<float>(xa + s1 - x), static_cast<float>(ya - y)),
                 turned(s, x, y, static_cast<float>(xb + s2 - x), static_cast<float>(yb - y)), s.colour, length_);
  }
}

}  // namespace warpix
