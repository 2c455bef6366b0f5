#include "effects/OilSharpen.h"

#include <algorithm>

namespace warpix {

namespace {
int sharpen(std::uint32_t window, int centre) {
  const auto neighbours = static_cast<int>((window - static_cast<std::uint32_t>(centre)) / 8);
  return std::clamp(2 * centre - neighbours, 0, 255);
}

// Twice the pixel less the mean of its eight neighbours; a pixel on the
// border lacks some of them and stays as it is.
Pixel sharpenRule(const BoxFilter::Sums& s, Pixel centre) {
  if (s.count != 9) return kKeepPixel;
  return makePixel(sharpen(s.red, pixelRed(centre)), sharpen(s.green, pixelGreen(centre)),
                   sharpen(s.blue, pixelBlue(centre)));
}
}  // namespace

OilSharpen::OilSharpen(CSceneWnd& scene_) : OilPass(scene_, unitRadius) {}

OilSharpen::~OilSharpen() = default;

// A lambda, not the function's address, so the rule is inlined per pixel.
bool OilSharpen::copySnapshotRow() {
  return snapshot_.copyRow(scene->surface(), [](const BoxFilter::Sums& s, Pixel c) { return sharpenRule(s, c); });
}

}  // namespace warpix
