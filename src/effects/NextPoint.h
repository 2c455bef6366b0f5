#pragma once

#include "platform/Pixel.h"

namespace warpix {

class Random;

// The order in which a per-pixel operation visits the screen. The caller
// processes its own starting point, then asks for one point after another
// until next() answers true; the point written with that answer is not to be
// visited. An order serves one pass; once it has ended it keeps answering true.
class NextPoint {
 public:
  NextPoint(Random& random, int width, int height)
      : random_(random), width_(width < 1 ? 1 : width), height_(height < 1 ? 1 : height) {}
  virtual ~NextPoint() = default;
  NextPoint(const NextPoint&) = delete;
  NextPoint& operator=(const NextPoint&) = delete;

  // Writes the next point into x and y; true when the pass is over.
  virtual bool next(int& x, int& y) = 0;
  // Writes the points next() would give, up to n of them, into `out` and
  // says how many; fewer than n only once the pass is over. A sweep takes
  // its points a batch at a time, one call instead of one per pixel.
  virtual int nextPoints(Point* out, int n) = 0;
  // A box that none of the points of the last nextPoints call fell in, nor
  // the point the call started from: the part of the screen inside a ring.
  // What a batch changed is then sent as the pieces of its box around this
  // one, not as the box around the whole ring. Empty for most orders.
  virtual Rect batchHole() const { return {}; }
  virtual const char* name() const = 0;

  int width() const { return width_; }
  int height() const { return height_; }

 protected:
  // nextPoints for an order whose next() is seen here: called directly,
  // so the compiler can fold it into the loop.
  template <class Order>
  static int collect(Order& order, Point* out, int n) {
    for (int i = 0; i < n; ++i) {
      int px = 0, py = 0;
      if (order.Order::next(px, py)) return i;
      out[i] = Point{px, py};
    }
    return n;
  }

  // Kept for the family's shape: the owner hands its generator to every
  // variant it creates, though no visiting order draws from it.
  Random& random_;
  const int width_;
  const int height_;
};

}  // namespace warpix
