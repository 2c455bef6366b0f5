#include "effects/OilBlend.h"

#include <algorithm>

#include "effects/NextPointFactory.h"
#include "effects/Sweep.h"
#include "scene/CSceneWnd.h"
#include "scene/OperationLog.h"
#include "scene/Program.h"
#include "settings/RegSettings.h"

namespace warpix {

OilBlend::OilBlend(CSceneWnd& scene_)
    : Saver(scene_), order_(pickNextPoint(scene_.program().settings.visitingOrders(), random, width, height)) {
  // 1 to 32, leaning strongly to small boxes.
  spread_ = random.skewed(32, 4) + 1;
}

OilBlend::~OilBlend() = default;

void OilBlend::describe(JsonLine& line) const {
  line.add("radius", static_cast<int>(radius_))
      .add("order", order_ ? order_->name() : "")
      .add("spread", static_cast<int>(spread_));
}

bool OilBlend::snapshot() {
  if (!copy_.allocated() && !copy_.allocate(scene->width(), scene->height())) {
    setFinished(true);
    return false;
  }
  for (;;) {
    if (copy_.copyRow(scene->surface())) return true;
    if (!canContinue()) return false;
  }
}

// The four corners of the box reaching dx and dy from the point (clipped to
// the snapshot), averaged per channel and rounded down. Red and blue are
// summed side by side in one word and green in another: four sums of 8 bits
// need 10, so no channel spills into the next.
Pixel OilBlend::blend(int px, int py, int dx, int dy) const {
  const int w = copy_.width(), h = copy_.height();
  const int left = std::max(0, px - dx), right = std::min(w - 1, px + dx);
  const Pixel* top = copy_.row(std::max(0, py - dy));
  const Pixel* bottom = copy_.row(std::min(h - 1, py + dy));
  const Pixel corners[4] = {top[left], top[right], bottom[right], bottom[left]};
  std::uint32_t redBlue = 0, green = 0;
  for (const Pixel c : corners) {
    redBlue += c & 0xFF00FFu;
    green += c & 0x00FF00u;
  }
  return ((redBlue >> 2) & 0xFF00FFu) | ((green >> 2) & 0x00FF00u);
}

void OilBlend::draw() {
  if (finished_) return;
  if (!order_) {
    setFinished(true);
    return;
  }
  if (!started) {
    if (!snapshot()) return;
    started = true;
  }
  if (!canContinue() || isFinished()) return;
  Surface& screen = scene->surface();
  // A screen that changed size under a running pass is written only where
  // the screen and the snapshot still share the point.
  const int w = std::min(screen.width(), copy_.width()), h = std::min(screen.height(), copy_.height());
  Pixel* dst = screen.pixelsUnmarked();
  const std::size_t stride = static_cast<std::size_t>(screen.stride());
  const bool done = sweep(
      *order_, x, y,
      [&](int px, int py) {
        // Drawn for every point, written or not, so the draws stay in step.
        const int dx = random.below(spread_);
        const int dy = random.below(spread_);
        if (!inside(px, py, w, h)) return;
        dst[static_cast<std::size_t>(py) * stride + static_cast<std::size_t>(px)] = blend(px, py, dx, dy);
        wrote(py);
      },
      [this] { return tick(); });
  if (done) setFinished(true);
}

}  // namespace warpix
