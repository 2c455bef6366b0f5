#pragma once

#include <string>

#include "raster/Image.h"

namespace warpix {

// A PNG photo decoded at full size to 24 bits, transparency blended over
// light blue (31, 127, 255) and 16-bit samples cut to 8. Palette and
// greyscale files (with or without alpha) and pictures above the pixel
// budget stay unloaded. The divisor is not used.
class ImagePNG : public Image {
 public:
  ImagePNG(const std::string& path, int divisor);
};

}  // namespace warpix
