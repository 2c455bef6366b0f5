#pragma once

#include <algorithm>
#include <array>
#include <cstdint>

#include "effects/NextPoint.h"
#include "platform/Pixel.h"

namespace warpix {

// Walks the visiting order from the current point (x, y): paints each point
// and counts it as a unit with `tick` (false: input waits). The point is
// moved past before the thread is given back, so a resumed pass never
// paints a point twice, and an effect that draws random numbers per point
// draws the same ones however often it was interrupted. True when the pass
// is over, false when it stopped for input.
//
// After each pause of the pacing little of the screen or of what a pass
// reads is still in the cache, and every order but the row-wise ones walks
// down columns for part of the way, a new line (and page) per point. So the
// points up to the next look for input (`want()` units away, as
// Saver::unitsUntilLook says) are found first and each is handed to
// `ahead`, as a Unit (a Point, or a type with x and y that also holds what
// the pass works out early), to ask for the memory its paint will touch;
// then they are painted and counted in order. Input can only stop the walk
// at a look, so at the batch's last point; the order is never ahead of the
// point.
template <class Unit = Point, class Want, class Ahead, class Paint, class Tick>
bool sweep(NextPoint& order, std::int32_t& x, std::int32_t& y, Want&& want, Ahead&& ahead, Paint&& paint,
           Tick&& tick) {
  constexpr int kMostUnits = 600;
  std::array<Unit, kMostUnits> batch;
  for (;;) {
    const int wanted = std::clamp(want(), 1, kMostUnits);
    int n = 0, px = x, py = y;
    bool ended = false;
    do {
      Unit& u = batch[static_cast<std::size_t>(n++)];
      u.x = px;
      u.y = py;
      ahead(u);
      ended = order.next(px, py);
    } while (!ended && n < wanted);
    bool goOn = true;
    for (int i = 0; i < n && goOn; ++i) {
      paint(static_cast<const Unit&>(batch[static_cast<std::size_t>(i)]));
      goOn = tick();
    }
    if (ended) {
      x = batch[static_cast<std::size_t>(n - 1)].x;
      y = batch[static_cast<std::size_t>(n - 1)].y;
      return true;
    }
    x = px;
    y = py;
    if (!goOn) return false;
  }
}

// Whether a visited point lies on a w x h picture.
inline bool inside(int px, int py, int w, int h) {
  return static_cast<unsigned>(px) < static_cast<unsigned>(w) && static_cast<unsigned>(py) < static_cast<unsigned>(h);
}

}  // namespace warpix
