#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "raster/ColorRGB.h"
#include "raster/PaletteLookup.h"

namespace warpix {

class Random;

// One entry of the logical palette record: red, green, blue, flags.
struct PaletteRecordEntry {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;
  std::uint8_t flags = 0;  // 1 = reserved for palette animation
  bool operator==(const PaletteRecordEntry&) const = default;
};

// The logical palette as a palette device takes it.
struct LogicalPalette {
  static constexpr std::uint16_t kVersion = 0x300;
  std::uint16_t version = kVersion;
  std::uint16_t count = 0;
  std::vector<PaletteRecordEntry> entries;
};

// The colour scheme of one run: smooth ramps between randomly chosen colours
// that avoid greys and ration green and magenta. Invented once when the scene
// is created; every operation takes its pen colour from it.
class ScenePalette : public PaletteLookup {
 public:
  static constexpr int kFullSize = 256;
  // 256 entries, less those a palette device keeps for the system.
  static int paletteSizeFor(bool paletteDevice, int reservedEntries);
  // Animation is possible only on a palette device of exactly 8 bits.
  static bool animationFor(bool paletteDevice, int bitsPerPixel);

  explicit ScenePalette(bool animation = false) : animation_(animation) {}

  // Fills n entries with a generator of its own, seeded from the next raw
  // value of `programRandom`. The scene's placement counter doubles as the
  // ramp counter and is left at the number of ramps.
  void generatePalette(int n, Random& programRandom, std::int32_t& placementCounter);

  // Entry k as a colour: its red, green and blue when the scene has more than
  // 8 bits per pixel, else a value naming the entry.
  ColorRGB colourOfEntry(int k, bool moreThan8Bits) const;

  int size() const override { return static_cast<int>(colours_.size()); }
  std::uint32_t entryValue(int k) const override;
  const std::vector<ColorRGB>& entries() const { return colours_; }
  const LogicalPalette& record() const { return record_; }
  bool animation() const { return animation_; }

  // How the palette was laid out, ramp by ramp, for inspection.
  struct Ramp {
    int first = 0;   // index of the ramp's first entry
    int length = 0;  // entries written
    ColorRGB target;
  };
  const std::vector<Ramp>& ramps() const { return ramps_; }

  // Rationing of new ramp colours: up to twelve draws, the first accepted
  // one wins, else the twelfth. Greenish and magenta colours are let in while
  // no magenta has been used (a greenish one also once a colourful colour
  // has been seen); greys never.
  struct NewColourState {
    bool magentaUsed = false;
    bool colourfulSeen = false;
  };
  static ColorRGB pickNewColour(const std::function<ColorRGB()>& draw, NewColourState& state);

 private:
  void store(int index, ColorRGB colour);

  bool animation_;
  std::vector<ColorRGB> colours_;
  LogicalPalette record_;
  std::vector<Ramp> ramps_;
};

}  // namespace warpix
