#pragma once

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
  virtual const char* name() const = 0;

  int width() const { return width_; }
  int height() const { return height_; }

 protected:
  // Kept for the family's shape: the owner hands its generator to every
  // variant it creates, though no visiting order draws from it.
  Random& random_;
  const int width_;
  const int height_;
};

}  // namespace warpix
