#pragma once

#include "effects/Dot.h"

namespace warpix {

// A mark with a box of its own size, 2 to 33 pixels each way; the base of
// the line shapes, never drawn by itself.
class DotRect : public Dot {
 public:
  DotRect(Random& random, int screenWidth, int screenHeight);

  std::int32_t width() const override { return rectWidth_; }
  std::int32_t height() const override { return rectHeight_; }

 protected:
  std::int32_t rectWidth_;
  std::int32_t rectHeight_;
};

}  // namespace warpix
