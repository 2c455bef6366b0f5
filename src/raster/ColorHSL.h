#pragma once

#include "raster/ColorRGB.h"

namespace warpix {

class PaletteLookup;

// Hue, saturation and lightness, each 0 .. 1 (hue as a fraction of a turn).
// Stored in single precision; conversions work in double and truncate.
class ColorHSL {
 public:
  ColorHSL() = default;
  ColorHSL(float h, float s, float l) : h_(h), s_(s), l_(l) {}
  // A palette index is read through `palette` when one is given.
  explicit ColorHSL(const ColorRGB& colour, const PaletteLookup* palette = nullptr);
  virtual ~ColorHSL() = default;
  ColorHSL(const ColorHSL&) = default;
  ColorHSL& operator=(const ColorHSL&) = default;

  float hue() const { return h_; }
  float saturation() const { return s_; }
  float lightness() const { return l_; }
  void setLightness(float l) { l_ = l; }
  void setSaturation(float s) { s_ = s; }

  // Turns the hue to one that stands out against the current one.
  void contrastHue();

  ColorRGB toRGB(bool trueColour) const;

 private:
  float h_ = 0.0f;
  float s_ = 0.0f;
  float l_ = 0.0f;
};

}  // namespace warpix
