#include "scene/ScenePalette.h"

#include <algorithm>

#include "app/Random.h"

namespace warpix {

namespace {

const ColorRGB kBlack(0, 0, 0, true);
const ColorRGB kWhite(255, 255, 255, true);

// The draws of one palette, in the order that makes a seed repeatable.
class RampPlanner {
 public:
  RampPlanner(Random& random, int n) : random_(random), n_(n) {}

  void drawSettings() {
    leanR_ = random_.below(5) - 3;
    leanG_ = random_.below(4) - 2;
    leanB_ = random_.below(4) - 2;
    alternate_ = random_.uniform() < 0.5;
    bands_ = random_.uniform() < 0.75;
    do {
      minLen_ = random_.skewed(n_, 4) + 2;
      maxLen_ = random_.skewed(n_, 3) + 2;
    } while (maxLen_ < minLen_);
    start_ = drawStart();
    state_.magentaUsed = start_.magenta();
    state_.colourfulSeen = start_.colourful();
  }

  ColorRGB start() const { return start_; }
  int minLen() const { return minLen_; }

  int drawLength(int i, std::int32_t ramps) {
    int len = std::min(std::max(random_.below(maxLen_) + 1, minLen_), n_ - i);
    if (ramps > 2 && i + len > n_ - minLen_) len = n_ - i;  // no short ramp left at the end
    return len;
  }

  ColorRGB target(int i, int len, ColorRGB from, std::int32_t ramps) {
    if (i + len == n_) return start_;  // the palette closes on itself
    if (i == 0 && from == kBlack && !alternate_ && random_.uniform() < 0.5) return kWhite;
    if (alternate_ && bands_) return alternateBand(ramps);
    if (alternate_) return (ramps % 2 != 0 || from == kBlack) ? newColour() : kBlack;
    if (bands_) return band(ramps);
    return newColour();
  }

 private:
  ColorRGB randomColour() {
    const int r = random_.skewed(256, leanR_);
    const int g = random_.skewed(256, leanG_);
    const int b = random_.skewed(256, leanB_);
    return ColorRGB(r, g, b, true);
  }

  ColorRGB drawStart() {
    if (alternate_) return kBlack;
    if (random_.uniform() < 0.25) return kBlack;
    ColorRGB c;
    do c = randomColour();
    while (c.magenta());
    return c;
  }

  ColorRGB newColour() {
    return ScenePalette::pickNewColour([this] { return randomColour(); }, state_);
  }

  ColorRGB alternateBand(std::int32_t ramps) {
    switch (ramps % 4) {
      case 0: return kBlack;
      case 1: return saved_ = newColour();
      case 2: return kWhite;
      default: return saved_;
    }
  }

  ColorRGB band(std::int32_t ramps) {
    switch (ramps % 3) {
      case 0: return saved_ = newColour();
      case 1:
        return ColorRGB(saved_.red() + (255 - saved_.red()) / 2, saved_.green() + (255 - saved_.green()) / 2,
                        saved_.blue() + (255 - saved_.blue()) / 2, true);
      default: return saved_;
    }
  }

  Random& random_;
  const int n_;
  int leanR_ = 0, leanG_ = 0, leanB_ = 0;
  bool alternate_ = false;
  bool bands_ = false;
  int minLen_ = 2, maxLen_ = 2;
  ColorRGB start_;
  ColorRGB saved_ = kBlack;
  ScenePalette::NewColourState state_;
};

int step(int from, int to, int j, int d) { return from + j * (to - from) / d; }

}  // namespace

int ScenePalette::paletteSizeFor(bool paletteDevice, int reservedEntries) {
  return paletteDevice ? std::clamp(kFullSize - reservedEntries, 1, kFullSize) : kFullSize;
}

bool ScenePalette::animationFor(bool paletteDevice, int bitsPerPixel) { return paletteDevice && bitsPerPixel == 8; }

ColorRGB ScenePalette::pickNewColour(const std::function<ColorRGB()>& draw, NewColourState& state) {
  ColorRGB c;
  for (int attempt = 0; attempt < 12; ++attempt) {
    c = draw();
    if (c.greenish() || c.magenta()) {
      if (!state.magentaUsed) {
        state.magentaUsed = c.magenta();
        return c;
      }
      if (!c.magenta() && state.colourfulSeen) return c;
    } else if (!c.grey()) {
      state.colourfulSeen = true;
      return c;
    }
  }
  return c;
}

void ScenePalette::generatePalette(int n, Random& programRandom, std::int32_t& placementCounter) {
  n = std::max(n, 0);
  Random random(programRandom.next());
  colours_.assign(static_cast<std::size_t>(n), kBlack);
  record_ = LogicalPalette{};
  record_.count = static_cast<std::uint16_t>(n);
  record_.entries.assign(static_cast<std::size_t>(n), PaletteRecordEntry{});
  ramps_.clear();

  RampPlanner planner(random, n);
  planner.drawSettings();
  ColorRGB current = planner.start();
  std::int32_t& ramps = placementCounter;
  ramps = 0;
  int i = 0;
  while (i < n) {
    if (i > 0) --i;  // each ramp starts on the previous one's last entry
    const int len = planner.drawLength(i, ramps);
    const ColorRGB from = current;
    ++ramps;
    current = planner.target(i, len, from, ramps);
    ramps_.push_back(Ramp{i, len, current});
    const int d = len >= 2 ? len - 1 : 1;
    for (int j = 0; j < len; ++j, ++i) {
      store(i, ColorRGB(step(from.red(), current.red(), j, d), step(from.green(), current.green(), j, d),
                        step(from.blue(), current.blue(), j, d), true));
    }
  }
}

void ScenePalette::store(int index, ColorRGB colour) {
  const auto at = static_cast<std::size_t>(index);
  colours_[at] = colour;
  record_.entries[at] = PaletteRecordEntry{static_cast<std::uint8_t>(colour.red()),
                                           static_cast<std::uint8_t>(colour.green()),
                                           static_cast<std::uint8_t>(colour.blue()),
                                           static_cast<std::uint8_t>(animation_ ? 1 : 0)};
}

std::uint32_t ScenePalette::entryValue(int k) const {
  if (colours_.empty()) return 0;
  const int last = static_cast<int>(colours_.size()) - 1;
  return colours_[static_cast<std::size_t>(std::clamp(k, 0, last))].value();
}

ColorRGB ScenePalette::colourOfEntry(int k, bool moreThan8Bits) const {
  return ColorRGB::fromEntry(k, *this, moreThan8Bits);
}

}  // namespace warpix
