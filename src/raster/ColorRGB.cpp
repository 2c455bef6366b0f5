#include "raster/ColorRGB.h"

#include <cstdlib>

#include "app/Random.h"
#include "raster/PaletteLookup.h"

namespace warpix {

namespace {
constexpr std::uint32_t kRelativeBit = ColorRGB::kPaletteRelative << 24;
constexpr std::uint32_t kIndexBit = ColorRGB::kPaletteIndex << 24;
}  // namespace

ColorRGB ColorRGB::fromScreen(std::uint32_t colorRef, bool trueColour) {
  return ColorRGB(trueColour ? colorRef : (colorRef | kRelativeBit));
}

ColorRGB::ColorRGB(int red, int green, int blue, bool trueColour)
    : value_((static_cast<std::uint32_t>(red) & 0xFFu) | ((static_cast<std::uint32_t>(green) & 0xFFu) << 8) |
             ((static_cast<std::uint32_t>(blue) & 0xFFu) << 16) | (trueColour ? 0u : kRelativeBit)) {}

ColorRGB ColorRGB::fromEntry(int k, const PaletteLookup& palette, bool trueColour) {
  if (trueColour) return ColorRGB(palette.entryValue(k) & 0x00FFFFFFu);
  // An index past the palette would name an entry that does not exist.
  const int last = palette.size() - 1;
  const int entry = k < 0 ? 0 : (k > last ? (last < 0 ? 0 : last) : k);
  return ColorRGB(kIndexBit | (static_cast<std::uint32_t>(entry) & 0xFFFFu));
}

ColorRGB ColorRGB::randomEntry(Random& random, const PaletteLookup& palette, bool trueColour) {
  return fromEntry(random.below(palette.size()), palette, trueColour);
}

std::uint32_t ColorRGB::channelSource(const PaletteLookup* palette) const {
  if (kind() == kPaletteIndex && palette != nullptr) return palette->entryValue(entryNumber());
  return value_;
}

int ColorRGB::red(const PaletteLookup* palette) const { return static_cast<int>(channelSource(palette) & 0xFFu); }

int ColorRGB::green(const PaletteLookup* palette) const {
  return static_cast<int>((channelSource(palette) >> 8) & 0xFFu);
}

int ColorRGB::blue(const PaletteLookup* palette) const {
  return static_cast<int>((channelSource(palette) >> 16) & 0xFFu);
}

int ColorRGB::average(const PaletteLookup* palette) const {
  return (red(palette) + green(palette) + blue(palette)) / 3;
}

bool ColorRGB::greenish(const PaletteLookup* palette) const {
  const int r = red(palette), g = green(palette), b = blue(palette);
  return g - r > 13 && g - b > 13;
}

bool ColorRGB::magenta(const PaletteLookup* palette) const {
  const int r = red(palette), g = green(palette), b = blue(palette);
  return r - g > 13 && b - g > 13 && std::abs(r - b) < 32;
}

bool ColorRGB::grey(const PaletteLookup* palette) const {
  const int r = red(palette), g = green(palette), b = blue(palette);
  const int a = (r + g + b) / 3;
  return std::abs(r - a) < 16 && std::abs(g - a) < 16 && std::abs(b - a) < 16;
}

bool ColorRGB::colourful(const PaletteLookup* palette) const {
  return !grey(palette) && !magenta(palette) && !greenish(palette);
}

}  // namespace warpix
