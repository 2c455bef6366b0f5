#pragma once

#include <string>

#include "raster/Image.h"

namespace warpix {

class DecodeScale;

// A HEIC, HEIF or AVIF photo decoded by libheif (its primary image) to 24
// bits, transparency blended over light blue (31, 127, 255) as PNG files
// are, deeper samples cut to 8 bits. The file's own rotation and mirroring
// (irot, imir) are applied by the library, as viewers do; the Exif
// orientation such files also carry describes the same turn and is not
// applied again. The library decodes only at full size, so the picture
// must fit the pixel budget at full size (checked from the header, before
// decoding); it is then shrunk by 1/2, 1/4 or 1/8 to fit the scene by box
// means (see BoxReducer).
class ImageHEIF : public Image {
 public:
  // sceneWidth 0: no scene, full size. divisor 0: the scene width itself.
  ImageHEIF(const std::string& path, int sceneWidth, int divisor);

 private:
  bool decode(const std::string& path, const DecodeScale& scale);
};

}  // namespace warpix
