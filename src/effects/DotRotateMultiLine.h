#pragma once

#include "effects/DotRotateLine.h"

namespace warpix {

// A bundle of two to six thin parallel lines, each end jittered by up to
// four pixels, all turned by the hue-dependent angle of the single line.
class DotRotateMultiLine : public DotRotateLine {
 public:
  DotRotateMultiLine(Random& random, int screenWidth, int screenHeight);

  void draw(Surface& surface, int x, int y, ColorRGB colour) override;
  std::int32_t width() const override { return lineCount_; }
  const char* name() const override { return "DotRotateMultiLine"; }

  std::int32_t lineCount() const { return lineCount_; }
  std::int32_t spacing() const { return spacing_; }

  // The bundle's middle line before jitter and turning: from (left, top) to
  // (right, bottom), rectHeight long, clipped to the screen.
  static Rect segment(int x, int y, int rectHeight, int screenWidth, int screenHeight);

 private:
  std::int32_t lineCount_;
  std::int32_t spacing_;
};

}  // namespace warpix
