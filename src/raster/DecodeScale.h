#pragma once

#include <cstdint>

namespace warpix {

// How far a decoder shrinks a photo while decoding it: by 1, 2, 4 or 8.
// With a scene, the photo shrinks until both sides fit a square as wide as
// the scene divided by the fitting divisor (or the factor reaches 8), the
// way the JPEG library's scaling is driven; without one it stays full size.
// Either way it then shrinks further while the decoded picture, at
// ceil(side / factor), is over the pixel budget.
class DecodeScale {
 public:
  // sceneWidth 0: no scene. divisor 0: the scene width itself.
  DecodeScale(int sceneWidth, int divisor) : sceneWidth_(sceneWidth), divisor_(divisor) {}

  // The factor for a width x height picture; 0 when even 1/8 is over the
  // budget, so the picture cannot be decoded.
  int factorFor(std::uint32_t width, std::uint32_t height) const;

  // The smallest of 1, 2, 4, 8 that brings width / factor and
  // height / factor (integer division) within `limit`, or 8.
  static int fitDenominator(std::uint32_t width, std::uint32_t height, int limit);

 private:
  int sceneWidth_;
  int divisor_;
};

}  // namespace warpix
