#pragma once

#include "effects/NextPoint.h"

namespace warpix {

// Visits the screen in rings: a ring is the box left..right x top..bottom
// without its hole, the columns strictly between holeLeft and holeRight of
// the rows strictly between top and bottom (the hole belongs to other rings).
// This order grows the rings from a 2 x 2 box at the centre to the whole
// screen, widening them faster where the screen's aspect ratio asks for it.
class NextPointInsideOut : public NextPoint {
 public:
  NextPointInsideOut(Random& random, int width, int height);
  bool next(int& x, int& y) override;
  int nextPoints(Point* out, int n) override;
  Rect batchHole() const override { return batchHole_; }
  const char* name() const override { return "NextPointInsideOut"; }

 protected:
  struct Ring {
    int left;
    int holeLeft;
    int holeRight;
    int right;
    int top;
    int bottom;
  };
  // For orders that share the ring scan but start elsewhere.
  NextPointInsideOut(Random& random, int width, int height, const Ring& first, int x, int y);

  // Moves to the following ring and to its first point; false when there is
  // none and the pass is over.
  virtual bool nextRing();

  int x_;
  int y_;
  Ring ring_;

 private:
  // One step of the scan of the current ring; true when the ring is complete.
  bool stepInRing();
  // The columns strictly between holeLeft and holeRight of the rows
  // strictly between top and bottom.
  static Rect holeOf(const Ring& r) { return {r.holeLeft + 1, r.top + 1, r.holeRight, r.bottom}; }

  bool ended_ = false;
  Rect batchHole_;
};

}  // namespace warpix
