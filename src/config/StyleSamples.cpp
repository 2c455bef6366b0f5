#include "config/StyleSamples.h"

#include <utility>

#include "app/Random.h"
#include "effects/WarpixKinds.h"
#include "settings/RegSettings.h"

namespace warpix {

namespace {

// Any fixed seed will do: it only has to give the same pictures every time.
constexpr std::int32_t kSampleSeed = 1729;

using StyleGetter = std::int32_t (RegSettings::*)() const;

StyleGetter styleGetter(std::string_view key) {
  static constexpr std::pair<std::string_view, StyleGetter> kStyles[] = {
      {"StyleDistort", &RegSettings::styleDistort}, {"StyleSwirl", &RegSettings::styleSwirl},
      {"StyleWavy", &RegSettings::styleWavy},       {"StyleFuzzy", &RegSettings::styleFuzzy},
      {"StyleFlipLR", &RegSettings::styleFlipLR},   {"StyleFlipTB", &RegSettings::styleFlipTB},
  };
  for (const auto& [name, getter] : kStyles) {
    if (name == key) return getter;
  }
  return nullptr;
}

}  // namespace

Surface StyleSamples::samplePicture(int width, int height) {
  Surface picture(width, height);
  const int cx = width * 2 / 3;
  const int cy = height / 3;
  const int radius = height / 5;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      // Sky above the horizon, green ground below.
      const bool sky = y < height * 3 / 5;
      int r = sky ? 60 + 120 * y / height : 40;
      int g = sky ? 120 + 100 * y / height : 140 - 60 * (y - height * 3 / 5) / height;
      int b = sky ? 230 : 50;
      const int dx = x - cx;
      const int dy = y - cy;
      if (dx * dx + dy * dy <= radius * radius) r = 255, g = 210, b = 40;
      if (x % 12 == 0 || y % 12 == 0) r /= 2, g /= 2, b /= 2;
      picture.setPixel(x, y, static_cast<Pixel>((r << 16) | (g << 8) | b));
    }
  }
  return picture;
}

Surface StyleSamples::styleSample(std::string_view key, int width, int height) {
  const StyleGetter style = styleGetter(key);
  const Surface source = samplePicture(width, height);
  Surface out(width, height);
  out.copyFrom(source);
  for (const WarpixKind& kind : warpixKinds()) {
    if (style == nullptr || kind.style != style) continue;
    Random random(kSampleSeed);
    const std::unique_ptr<Warpix> warpix = kind.create(random, width, height);
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        const Point from = warpix->mapPoint(x, y);
        out.setPixel(x, y, source.pixel(from.x, from.y));
      }
    }
    break;
  }
  return out;
}

}  // namespace warpix
