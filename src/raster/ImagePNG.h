#pragma once

#include <string>

#include "raster/Image.h"

namespace warpix {

// A PNG photo of any colour layout (grey, palette, RGB, with or without
// alpha, 1 to 16 bits) decoded to 24 bits, transparency blended over light
// blue (31, 127, 255) and 16-bit samples cut to 8. Like a JPEG it is shrunk
// while decoding by 1/2, 1/4 or 1/8 (a box average, see BoxReducer) to fit
// the scene and the pixel budget, so a huge file is never held at full
// size; only a picture over the budget even at 1/8 stays unloaded.
class ImagePNG : public Image {
 public:
  // sceneWidth 0: no scene, full size. divisor 0: the scene width itself.
  ImagePNG(const std::string& path, int sceneWidth, int divisor);
};

}  // namespace warpix
