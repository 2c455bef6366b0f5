#pragma once

#include <cstdint>
#include <string>

#include "raster/Image.h"

namespace warpix {

// A JPEG photo (colour, greyscale, CMYK or YCCK) decoded to 24 bits,
// scaled down by the library (1/2, 1/4, 1/8) until it fits a square as wide
// as the scene divided by `divisor` and the pixel budget (see DecodeScale),
// and turned upright by its Exif orientation. Only a picture over the
// budget even at 1/8 stays unloaded.
class ImageJPEG : public Image {
 public:
  // sceneWidth 0: no scene, full size. divisor 0: the scene width itself.
  ImageJPEG(const std::string& path, int sceneWidth, int divisor);

  // The scale denominator for a picture of width x height with `limit`.
  static int scaleDenominator(std::uint32_t width, std::uint32_t height, int limit);

 private:
  static std::uint8_t* allocateRows(void* self, std::uint32_t width, std::uint32_t height);
  bool turnUpright(int orientation);
};

}  // namespace warpix
