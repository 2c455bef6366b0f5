#pragma once

#include "effects/Warpix.h"

namespace warpix {

// Local jitter: every pixel comes from a random point of a small box around
// it, drawn afresh per pixel.
class WarpixBlend : public Warpix {
 public:
  WarpixBlend(Random& random, int width, int height);
  void map(int x, int y, int& sx, int& sy) override;
  const char* name() const override { return "WarpixBlend"; }

  int ampX() const { return ampX_; }
  int ampY() const { return ampY_; }

 protected:
  int ampX_;
  int ampY_;
  int halfX_;
  int halfY_;
};

}  // namespace warpix
