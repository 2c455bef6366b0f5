#pragma once

#include <cstdint>
#include <string_view>

#include "platform/Surface.h"

namespace warpix {

// The small pictures beside the Distortions page's sliders: a sample
// picture made here, passed once through one distortion of the style the
// slider weighs.
class StyleSamples {
 public:
  static constexpr int kWidth = 64;
  static constexpr int kHeight = 48;

  // Colour bands, a sun and a grid: enough shape for any distortion to show.
  static Surface samplePicture(int width, int height);
  // The sample through the first distortion weighed by the style setting
  // `key` ("StyleSwirl"); the plain sample for a key no distortion uses.
  // The same picture every time.
  static Surface styleSample(std::string_view key, int width = kWidth, int height = kHeight);
};

}  // namespace warpix
