#include "raster/DecodeScale.h"

#include "raster/BoxReducer.h"
#include "raster/Image.h"

namespace warpix {

int DecodeScale::fitDenominator(std::uint32_t width, std::uint32_t height, int limit) {
  const std::uint64_t bound = limit < 0 ? 0 : static_cast<std::uint64_t>(limit);
  std::uint32_t denominator = 1;
  while ((width / denominator > bound || height / denominator > bound) && denominator < 8) denominator *= 2;
  return static_cast<int>(denominator);
}

int DecodeScale::factorFor(std::uint32_t width, std::uint32_t height) const {
  int factor = 1;
  if (sceneWidth_ > 0) factor = fitDenominator(width, height, divisor_ > 0 ? sceneWidth_ / divisor_ : sceneWidth_);
  const auto pixels = [&] {
    return static_cast<std::uint64_t>(BoxReducer::reducedSize(width, factor)) * BoxReducer::reducedSize(height, factor);
  };
  while (pixels() > kMaxDecodedPixels && factor < 8) factor *= 2;
  return pixels() > kMaxDecodedPixels ? 0 : factor;
}

}  // namespace warpix
