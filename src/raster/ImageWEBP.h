#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "raster/Image.h"

namespace warpix {

class DecodeScale;

// A WebP photo (lossy or lossless, with or without alpha) decoded by libwebp
// to 24 bits, transparency blended over light blue (31, 127, 255) as PNG
// files are. Shrunk while decoding by 1/2, 1/4 or 1/8 to fit the scene and
// the pixel budget (see DecodeScale), to ceil(side / factor), by libwebp's
// own scaler, which averages the area each output pixel covers. Of an
// animation the first frame is shown, shrunk by box means (see BoxReducer);
// the library only gives its frames whole, so an animation's canvas may
// hold at most 4096 x 4096 pixels. Files over the budget even at 1/8 stay
// unloaded, and so do lossless files over the budget at full size: the
// library holds those whole whatever the scaling.
class ImageWEBP : public Image {
 public:
  // sceneWidth 0: no scene, full size. divisor 0: the scene width itself.
  ImageWEBP(const std::string& path, int sceneWidth, int divisor);

 private:
  bool decode(const std::string& path, const DecodeScale& scale);
  bool decodeFirstFrame(const std::vector<std::uint8_t>& data, const DecodeScale& scale);
};

}  // namespace warpix
