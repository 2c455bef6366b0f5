#pragma once

#include "effects/DotRect.h"
#include "platform/Pixel.h"

namespace warpix {

// One short line whose direction follows the hue of its colour, so areas of
// like colour get strokes of like direction. The colour itself wanders a
// little from mark to mark.
class DotRotateLine : public DotRect {
 public:
  DotRotateLine(Random& random, int screenWidth, int screenHeight);

  void draw(Surface& surface, int x, int y, ColorRGB colour) override;
  std::int32_t width() const override { return length_; }
  std::int32_t height() const override { return rectHeight_; }
  const char* name() const override { return "DotRotateLine"; }

  std::int32_t length() const { return length_; }
  float angle0() const { return angle0_; }
  float angleScale() const { return angleScale_; }
  std::int32_t hueSteps() const { return hueSteps_; }
  std::int32_t hueStep() const { return hueStep_; }
  float strength() const { return strength_; }

  // The mark's box before it is turned: length / sqrt 2 by rectHeight /
  // sqrt 2 (at least one pixel each) around (x, y), clipped to the screen.
  static Rect box(int x, int y, int length, int rectHeight, int screenWidth, int screenHeight);

 protected:
  // A mark's colour, drifted from the one asked for, and its angle.
  struct Stroke {
    Pixel colour;
    float cosine;
    float sine;
  };
  Stroke stroke(ColorRGB colour);
  // (x, y) plus the vector (u, v) turned by the stroke's angle, truncated.
  static Point turned(const Stroke& s, int x, int y, float u, float v);

  std::int32_t length_;
  float angle0_;
  float angleScale_;
  std::int32_t hueSteps_;
  std::int32_t hueStep_;
  float strength_;
};

}  // namespace warpix
