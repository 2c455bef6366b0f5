#pragma once

#include "raster/ColorRGB.h"

namespace warpix {

class PaletteLookup;
class Random;

// Hue in degrees (0 up to 360), saturation and value 0 .. 1. Stored in single
// precision; conversions work in double and truncate.
class ColorHSV {
 public:
  ColorHSV() = default;
  ColorHSV(float h, float s, float v) : h_(h), s_(s), v_(v) {}
  // A palette index is read through `palette` when one is given.
  explicit ColorHSV(const ColorRGB& colour, const PaletteLookup* palette = nullptr);
  virtual ~ColorHSV() = default;
  ColorHSV(const ColorHSV&) = default;
  ColorHSV& operator=(const ColorHSV&) = default;

  float hue() const { return h_; }
  float saturation() const { return s_; }
  float value() const { return v_; }

  ColorRGB toRGB(bool trueColour) const;

  // Lets the colour wander a little: hue, saturation and value each move on
  // a coin toss, in proportion to `amount`. A component whose coin is 0 draws
  // nothing more, so the number of draws varies.
  void drift(Random& random, double amount);

 private:
  float h_ = 0.0f;
  float s_ = 0.0f;
  float v_ = 0.0f;
};

}  // namespace warpix
