#pragma once

#include "raster/ColorRGB.h"

namespace warpix {

class PaletteLookup;

// The pieces of the HSL conversions, shared with the inlined per-pixel
// form of the canvas texture so both give the same doubles.
namespace hsl {

// The hue as a fraction of a turn, from unit channels, the largest of them
// and their spread (not 0: a grey has no hue).
inline double hueTurn(double r, double g, double b, double max, double delta) {
  double h6;
  if (r == max)
    h6 = (g - b) / delta;
  else if (g == max)
    h6 = (b - r) / delta + 2.0;
  else
    h6 = (r - g) / delta + 4.0;
  const double h = h6 / 6.0;
  return h < 0.0 ? h + 1.0 : h;
}

// One channel back from hue t and the two levels p and q.
inline double channel(double p, double q, double t) {
  if (t < 0.0) t += 1.0;
  if (t > 1.0) t -= 1.0;
  if (6.0 * t < 1.0) return p + (q - p) * 6.0 * t;
  if (2.0 * t < 1.0) return q;
  if (3.0 * t < 2.0) return p + (q - p) * (2.0 / 3.0 - t) * 6.0;
  return p;
}

}  // namespace hsl

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
