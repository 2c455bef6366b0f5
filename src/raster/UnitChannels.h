#pragma once

#include <algorithm>

#include "raster/ColorRGB.h"

namespace warpix {

// A colour's channels as fractions of 255, with their extremes: where both
// colour models start from.
struct UnitChannels {
  double r = 0.0, g = 0.0, b = 0.0;
  double max = 0.0, min = 0.0, delta = 0.0;

  static UnitChannels of(const ColorRGB& colour, const PaletteLookup* palette) {
    UnitChannels c;
    c.r = colour.red(palette) / 255.0;
    c.g = colour.green(palette) / 255.0;
    c.b = colour.blue(palette) / 255.0;
    c.max = std::max({c.r, c.g, c.b});
    c.min = std::min({c.r, c.g, c.b});
    c.delta = c.max - c.min;
    return c;
  }
};

// A fraction back to a channel value: truncated, then kept in 0..255.
inline int unitToByte(double unit) { return std::clamp(static_cast<int>(unit * 255.0), 0, 255); }

}  // namespace warpix
