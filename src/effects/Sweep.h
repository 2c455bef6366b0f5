#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <type_traits>

#include "effects/NextPoint.h"
#include "platform/Pixel.h"

namespace warpix {

// Walks the visiting order from the current point (x, y): paints each point
// and counts the points as units with `tick`, which also hears the box around
// the points that paint said it wrote and the order's hole, where none of them
// lies (false from tick: input waits). The point is moved past before the
// thread is given back, so a resumed pass never paints a point twice, and an
// effect that draws random numbers per point draws the same ones however often
// it was interrupted. True when the pass is over, false when it stopped for
// input.
//
// The points up to the next look for input (`want()` units away, as
// Saver::unitsUntilLook says) are taken from the order at once and each is
// handed to `ahead`, as a Unit (a Point, or a type with x and y that also
// holds what the pass works out early); then they are painted in order and
// counted together. A pass whose reads jump about (a distortion's source
// points, a random box's corners) works out in `ahead` where they fall,
// keeps that in the unit and asks for that memory, so the reads of many
// points overlap. Keeping it in the unit also keeps the request: a
// prefetch is no side effect to the compiler, so a step that only
// prefetched would be dropped whole. Input can only stop the walk at a
// look, so at the batch's last point; the order is never ahead of the point.
//   ahead(Unit&); bool paint(const Unit&): true when it wrote the pixel;
//   bool tick(int units, const Rect& written, const Rect& hole).
template <class Unit = Point, class Want, class Ahead, class Paint, class Tick>
bool sweep(NextPoint& order, std::int32_t& x, std::int32_t& y, Want&& want, Ahead&& ahead, Paint&& paint,
           Tick&& tick) {
  constexpr int kMostUnits = 600;
  constexpr bool kPlain = std::is_same_v<Unit, Point>;
  std::array<Point, kMostUnits + 1> points;
  // Units that carry more than the point are filled in beside the points.
  [[maybe_unused]] std::conditional_t<kPlain, char, std::array<Unit, kMostUnits>> units;
  const auto unit = [&](int i) -> Unit& {
    if constexpr (kPlain) return points[static_cast<std::size_t>(i)];
    else return units[static_cast<std::size_t>(i)];
  };
  for (;;) {
    const int wanted = std::clamp(want(), 1, kMostUnits);
    points[0] = Point{x, y};
    // points[n] is where the next batch begins.
    const int got = order.nextPoints(points.data() + 1, wanted);
    const bool ended = got < wanted;
    const int n = ended ? got + 1 : wanted;
    for (int i = 0; i < n; ++i) {
      if constexpr (!kPlain) {
        units[static_cast<std::size_t>(i)].x = points[static_cast<std::size_t>(i)].x;
        units[static_cast<std::size_t>(i)].y = points[static_cast<std::size_t>(i)].y;
      }
      ahead(unit(i));
    }
    int left = INT32_MAX, top = INT32_MAX, right = 0, bottom = 0;
    for (int i = 0; i < n; ++i) {
      const Unit& u = unit(i);
      if (!paint(static_cast<const Unit&>(u))) continue;
      left = std::min(left, u.x);
      right = std::max(right, u.x + 1);
      top = std::min(top, u.y);
      bottom = std::max(bottom, u.y + 1);
    }
    const bool goOn = tick(n, Rect{left, top, right, bottom}, order.batchHole());
    const Point& last = points[static_cast<std::size_t>(ended ? n - 1 : n)];
    x = last.x;
    y = last.y;
    if (ended) return true;
    if (!goOn) return false;
  }
}

// Whether a visited point lies on a w x h picture.
inline bool inside(int px, int py, int w, int h) {
  return static_cast<unsigned>(px) < static_cast<unsigned>(w) && static_cast<unsigned>(py) < static_cast<unsigned>(h);
}

}  // namespace warpix
