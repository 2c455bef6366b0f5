#pragma once

#include <algorithm>
#include <array>
#include <cstdint>

#include "platform/Pixel.h"
#include "raster/ColorHSL.h"
#include "raster/UnitChannels.h"

namespace warpix {

// A pixel with its lightness moved by offset / 255, hue and saturation kept:
// the round trip through ColorHSL, setLightness and toRGB, inlined for the
// per-pixel loop of the canvas texture. Every step is the same double
// arithmetic in the same order, so the results are the same to the bit;
// only calls and the palette look-ups that screen pixels never need are
// left out.
namespace canvas_detail {

// i / 255.0 for every channel value, the same doubles the division gives.
inline const std::array<double, 256>& unitTable() {
  static const std::array<double, 256> table = [] {
    std::array<double, 256> t{};
    for (int i = 0; i < 256; ++i) t[static_cast<std::size_t>(i)] = i / 255.0;
    return t;
  }();
  return table;
}

}  // namespace canvas_detail

inline Pixel shadeLightness(Pixel pixel, int offset) {
  const std::array<double, 256>& unit = canvas_detail::unitTable();
  const int red = pixelRed(pixel), green = pixelGreen(pixel), blue = pixelBlue(pixel);
  const int maxByte = std::max({red, green, blue}), minByte = std::min({red, green, blue});
  const double r = unit[static_cast<std::size_t>(red)], g = unit[static_cast<std::size_t>(green)],
               b = unit[static_cast<std::size_t>(blue)];
  const double max = unit[static_cast<std::size_t>(maxByte)], min = unit[static_cast<std::size_t>(minByte)];
  const double delta = max - min;
  const float lightness = static_cast<float>((max + min) / 2.0);
  const double l = std::clamp(lightness + static_cast<float>(offset) / 255.0f, 0.0f, 1.0f);
  if (maxByte == minByte) {
    const int v = unitToByte(l);
    return makePixel(v, v, v);
  }
  const float saturation =
      static_cast<float>(lightness < 0.5f ? delta / (max + min) : delta / (2.0 - max - min));
  const double h = static_cast<float>(hsl::hueTurn(r, g, b, max, delta));
  const double s = saturation;
  if (saturation == 0.0f) {
    const int v = unitToByte(l);
    return makePixel(v, v, v);
  }
  const double q = l <= 0.5 ? l * (1.0 + s) : l + s - l * s;
  const double p = 2.0 * l - q;
  return makePixel(unitToByte(hsl::channel(p, q, h + 1.0 / 3.0)),
                   unitToByte(hsl::channel(p, q, h)),
                   unitToByte(hsl::channel(p, q, h - 1.0 / 3.0)));
}

}  // namespace warpix
