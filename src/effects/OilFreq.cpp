#include "effects/OilFreq.h"

#include <algorithm>

namespace warpix {

namespace {
int windowPixels(std::int32_t radius) { return (2 * radius + 1) * (2 * radius + 1); }
}  // namespace

OilFreq::OilFreq(CSceneWnd& scene_) : OilPass(scene_, drawOilRadius), tally_(windowPixels(radius_)) {}

OilFreq::~OilFreq() = default;

void OilFreq::tally(int px, int py) {
  const int w = snapshot_.width(), h = snapshot_.height();
  const int left = std::max(0, px - radius_), right = std::min(w - 1, px + radius_);
  const int top = std::max(0, py - radius_), bottom = std::min(h - 1, py + radius_);
  tally_.clear();
  for (int cx = left; cx <= right; ++cx) {
    const Pixel* p = snapshot_.row(top) + cx;
    for (int cy = top; cy <= bottom; ++cy, p += w) tally_.add(*p);
  }
}

Pixel OilFreq::paint(int px, int py, bool inside) {
  if (!inside) return kKeepPixel;
  tally(px, py);
  return tally_.bestCount() == 0 ? kKeepPixel : tally_.best();
}

}  // namespace warpix
