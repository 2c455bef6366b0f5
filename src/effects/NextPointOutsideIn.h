#pragma once

#include "effects/NextPointInsideOut.h"

namespace warpix {

// The rings of NextPointInsideOut in the other direction: from the screen's
// edge inwards, each ring's box being the previous ring's hole.
class NextPointOutsideIn : public NextPointInsideOut {
 public:
  NextPointOutsideIn(Random& random, int width, int height);
  const char* name() const override { return "NextPointOutsideIn"; }

 protected:
  bool nextRing() override;

 private:
  static Ring outerRing(int width, int height);
};

}  // namespace warpix
