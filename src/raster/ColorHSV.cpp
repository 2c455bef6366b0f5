#include "raster/ColorHSV.h"

#include <algorithm>
#include <cmath>

#include "app/Random.h"
#include "raster/UnitChannels.h"

namespace warpix {

ColorHSV::ColorHSV(const ColorRGB& colour, const PaletteLookup* palette) {
  const UnitChannels c = UnitChannels::of(colour, palette);
  const double r = c.r, g = c.g, b = c.b, max = c.max, delta = c.delta;
  v_ = static_cast<float>(max);
  s_ = max == 0.0 ? 0.0f : static_cast<float>(delta / max);
  if (s_ == 0.0f) return;
  double h6;
  if (r == max)
    h6 = (g - b) / delta;
  else if (g != max)
    h6 = (r - g) / delta + 4.0;
  else
    h6 = (b - r) / delta + 2.0;
  double h = h6 * 60.0;
  if (h < 0.0) h += 360.0;
  h_ = static_cast<float>(h);
}

ColorRGB ColorHSV::toRGB(bool trueColour) const {
  const double h = h_ == 360.0f ? 0.0 : h_;
  const double s = s_;
  const double v = v_;
  const double h6 = h / 60.0;
  const double i = std::floor(h6);
  const double f = h6 - i;
  const double p = v * (1.0 - s);
  const double q = v * (1.0 - s * f);
  const double t = v * (1.0 - s * (1.0 - f));
  // Any sector outside 0..5 (a negative hue, say) is black; test the range
  // before converting so that a wild hue cannot overflow the conversion.
  const int sector = (i >= 0.0 && i <= 5.0) ? static_cast<int>(i) : -1;
  double r = 0.0, g = 0.0, b = 0.0;
  switch (sector) {
    case 0: r = v, g = t, b = p; break;
    case 1: r = q, g = v, b = p; break;
    case 2: r = p, g = v, b = t; break;
    case 3: r = p, g = q, b = v; break;
    case 4: r = t, g = p, b = v; break;
    case 5: r = v, g = p, b = q; break;
    default: break;
  }
  return ColorRGB(unitToByte(r), unitToByte(g), unitToByte(b), trueColour);
}

void ColorHSV::drift(Random& random, double amount) {
  if (random.coin() == 1) {
    double h = h_ + static_cast<double>(random.uniformSigned()) * 10.0 * amount;
    if (h < 0.0)
      h += 360.0;
    else if (h >= 360.0)
      h -= 360.0;
    h_ = static_cast<float>(h);
  }
  if (random.coin() == 1) {
    const double s = s_ + amount * (static_cast<double>(random.uniformSigned()) * 0.1);
    s_ = static_cast<float>(std::clamp(s, 0.0, 1.0));
  }
  if (random.coin() == 1) {
    const double v = v_ + amount * (static_cast<double>(random.uniformSigned()) * 0.1);
    v_ = static_cast<float>(std::clamp(v, 0.0, 1.0));
  }
}

}  // namespace warpix
