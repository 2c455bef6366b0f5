#include "raster/ColorHSL.h"

#include <algorithm>
#include <array>

#include "raster/UnitChannels.h"

namespace warpix {

ColorHSL::ColorHSL(const ColorRGB& colour, const PaletteLookup* palette) {
  const UnitChannels c = UnitChannels::of(colour, palette);
  const double r = c.r, g = c.g, b = c.b, max = c.max, min = c.min, delta = c.delta;
  l_ = static_cast<float>((max + min) / 2.0);
  if (max == min) return;  // grey: no hue, no saturation
  s_ = static_cast<float>(l_ < 0.5f ? delta / (max + min) : delta / (2.0 - max - min));
  h_ = static_cast<float>(hsl::hueTurn(r, g, b, max, delta));
}

void ColorHSL::contrastHue() {
  // Twelfths of a turn: how far to turn from each band of hues.
  struct Row {
    double below;
    double add;
  };
  static constexpr std::array<Row, 6> kRows{{{1.0, 6.0}, {2.5, 7.0}, {5.8, 10.0}, {6.5, 6.0}, {7.5, 6.0}, {9.5, 5.0}}};
  const double h = static_cast<double>(h_) * 12.0;
  double add = 8.0;
  for (const Row& row : kRows) {
    if (h < row.below) {
      add = row.add;
      break;
    }
  }
  double turned = (h + add) / 12.0;
  if (turned > 1.0) turned -= 1.0;
  h_ = static_cast<float>(turned);
}

ColorRGB ColorHSL::toRGB(bool trueColour) const {
  const double l = l_;
  const double s = s_;
  const double h = h_;
  if (s_ == 0.0f) {
    const int v = unitToByte(l);
    return ColorRGB(v, v, v, trueColour);
  }
  const double q = l <= 0.5 ? l * (1.0 + s) : l + s - l * s;
  const double p = 2.0 * l - q;
  return ColorRGB(unitToByte(hsl::channel(p, q, h + 1.0 / 3.0)), unitToByte(hsl::channel(p, q, h)),
                  unitToByte(hsl::channel(p, q, h - 1.0 / 3.0)), trueColour);
}

}  // namespace warpix
