#pragma once

#include <cstdint>

namespace warpix {

class PaletteLookup;
class Random;

// A screen colour as drawing calls take it: 0x00BBGGRR in the low 24 bits
// and a kind in the top byte. On displays of 8 bits per pixel or fewer new
// colours are marked palette-relative, and a colour may instead name a
// palette entry; whether the display is true colour belongs to the scene and
// is passed in by the caller.
class ColorRGB {
 public:
  enum Kind : std::uint32_t { kPlain = 0, kPaletteIndex = 1, kPaletteRelative = 2 };

  constexpr ColorRGB() = default;  // plain black
  // A colour value exactly as given, kind byte included.
  static constexpr ColorRGB fromValue(std::uint32_t value) { return ColorRGB(value); }
  // A colour read from the screen: palette-relative unless true colour.
  static ColorRGB fromScreen(std::uint32_t colorRef, bool trueColour);
  // Only the low 8 bits of each channel count.
  ColorRGB(int red, int green, int blue, bool trueColour);
  // Entry k of the palette: its red, green and blue on a true-colour display,
  // otherwise a value naming the entry so that the display supplies it.
  static ColorRGB fromEntry(int k, const PaletteLookup& palette, bool trueColour);
  // The entry numbered below(palette size) of `random`.
  static ColorRGB randomEntry(Random& random, const PaletteLookup& palette, bool trueColour);

  constexpr std::uint32_t value() const { return value_; }
  constexpr std::uint32_t kind() const { return value_ >> 24; }
  constexpr int entryNumber() const { return static_cast<int>(value_ & 0xFFu); }
  bool operator==(const ColorRGB&) const = default;

  // A palette index reads its entry from `palette`; without one (or for any
  // other kind) the channel comes from the bits of the value.
  int red(const PaletteLookup* palette = nullptr) const;
  int green(const PaletteLookup* palette = nullptr) const;
  int blue(const PaletteLookup* palette = nullptr) const;
  int average(const PaletteLookup* palette = nullptr) const;

  // The palette generator's tests of a colour's character.
  bool greenish(const PaletteLookup* palette = nullptr) const;
  bool magenta(const PaletteLookup* palette = nullptr) const;
  bool grey(const PaletteLookup* palette = nullptr) const;
  bool colourful(const PaletteLookup* palette = nullptr) const;

 private:
  explicit constexpr ColorRGB(std::uint32_t value) : value_(value) {}
  std::uint32_t channelSource(const PaletteLookup* palette) const;

  std::uint32_t value_ = 0;
};

}  // namespace warpix
