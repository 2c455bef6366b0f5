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

// The four corners of the box, averaged per channel and rounded down. Red
// and blue are summed side by side in one word and green in another: four
// sums of 8 bits need 10, so no channel spills into the next.
Pixel OilBlend::blend(const Unit& u) {
  const Pixel corners[4] = {u.top[u.left], u.top[u.right], u.bottom[u.right], u.bottom[u.left]};
  std::uint32_t redBlue = 0, green = 0;
  for (const Pixel c : corners) {
    redBlue += c & 0xFF00FFu;
    green += c & 0x00FF00u;
  }
  return ((redBlue >> 2) & 0xFF00FFu) | ((green >> 2) & 0x00FF00u);
}

void OilBlend::drawAhead() {
  random.drawBelow(spread_, draws_.data(), draws_.size());
  drawn_ = 0;
}

}  // namespace warpix
