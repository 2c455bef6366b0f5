#pragma once

#include <cstdint>

#include "effects/NextPoint.h"

namespace warpix {

// Walks the visiting order from the current point (x, y): paints the point,
// counts the unit with `tick` (false: input waits), then moves on. The point
// is moved past before giving the thread back, so a resumed pass never
// paints a point twice, and an effect that draws random numbers per point
// draws the same ones however often it was interrupted. True when the pass
// is over, false when it stopped for input.
template <class Paint, class Tick>
bool sweep(NextPoint& order, std::int32_t& x, std::int32_t& y, Paint&& paint, Tick&& tick) {
  for (;;) {
    paint(x, y);
    const bool goOn = tick();
    int nx = x, ny = y;
    if (order.next(nx, ny)) return true;
    x = nx;
    y = ny;
    if (!goOn) return false;
  }
}

// Whether a visited point lies on a w x h picture.
inline bool inside(int px, int py, int w, int h) {
  return static_cast<unsigned>(px) < static_cast<unsigned>(w) && static_cast<unsigned>(py) < static_cast<unsigned>(h);
}

}  // namespace warpix
