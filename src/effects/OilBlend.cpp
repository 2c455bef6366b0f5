#include "effects/OilBlend.h"

#include <algorithm>

namespace warpix {

OilBlend::OilBlend(CSceneWnd& scene_) : OilPass(scene_, unitRadius) {
  // 1 to 32, leaning strongly to small boxes.
  spread_ = random.skewed(32, 4) + 1;
}

OilBlend::~OilBlend() = default;

void OilBlend::describe(JsonLine& line) const {
  OilPass::describe(line);
  line.add("spread", static_cast<int>(spread_));
}

// The four corners of the box reaching dx and dy from the point (clipped to
// the snapshot), averaged per channel and rounded down. Red and blue are
// summed side by side in one word and green in another: four sums of 8 bits
// need 10, so no channel spills into the next.
Pixel OilBlend::blend(int px, int py, int dx, int dy) const {
  const int w = snapshot_.width(), h = snapshot_.height();
  const int left = std::max(0, px - dx), right = std::min(w - 1, px + dx);
  const Pixel* top = snapshot_.row(std::max(0, py - dy));
  const Pixel* bottom = snapshot_.row(std::min(h - 1, py + dy));
  const Pixel corners[4] = {top[left], top[right], bottom[right], bottom[left]};
  std::uint32_t redBlue = 0, green = 0;
  for (const Pixel c : corners) {
    redBlue += c & 0xFF00FFu;
    green += c & 0x00FF00u;
  }
  return ((redBlue >> 2) & 0xFF00FFu) | ((green >> 2) & 0x00FF00u);
}

Pixel OilBlend::paint(int px, int py, bool inside) {
  // Drawn for every point, written or not, so the draws stay in step.
  const int dx = random.below(spread_);
  const int dy = random.below(spread_);
  return inside ? blend(px, py, dx, dy) : kKeepPixel;
}

}  // namespace warpix
