#include "effects/OilFreq.h"

#include <algorithm>

#include "effects/NextPointFactory.h"
#include "effects/Sweep.h"
#include "scene/CSceneWnd.h"
#include "scene/OperationLog.h"
#include "scene/Program.h"
#include "settings/RegSettings.h"

namespace warpix {

namespace {
// Radius 1 to 3, leaning to 1.
std::int32_t drawRadius(Random& random) { return random.skewed(3, 2) + 1; }
int windowPixels(std::int32_t radius) { return (2 * radius + 1) * (2 * radius + 1); }
}  // namespace

OilFreq::OilFreq(CSceneWnd& scene_)
    : Saver(scene_), radius_(drawRadius(random)),
      order_(pickNextPoint(scene_.program().settings.visitingOrders(), random, width, height)),
      tally_(windowPixels(radius_)) {}

OilFreq::~OilFreq() = default;

void OilFreq::describe(JsonLine& line) const {
  line.add("radius", static_cast<int>(radius_)).add("order", order_ ? order_->name() : "");
}

bool OilFreq::snapshot() {
  if (!copy_.allocated() && !copy_.allocate(scene->width(), scene->height())) {
    setFinished(true);
    return false;
  }
  for (;;) {
    if (copy_.copyRow(scene->surface())) return true;
    if (!canContinue()) return false;
  }
}

void OilFreq::tally(int px, int py) {
  const int w = copy_.width(), h = copy_.height();
  const int left = std::max(0, px - radius_), right = std::min(w - 1, px + radius_);
  const int top = std::max(0, py - radius_), bottom = std::min(h - 1, py + radius_);
  tally_.clear();
  for (int cx = left; cx <= right; ++cx) {
    const Pixel* p = copy_.row(top) + cx;
    for (int cy = top; cy <= bottom; ++cy, p += w) tally_.add(*p);
  }
}

void OilFreq::draw() {
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
        if (!inside(px, py, w, h)) return;
        tally(px, py);
        if (tally_.bestCount() == 0) return;
        dst[static_cast<std::size_t>(py) * stride + static_cast<std::size_t>(px)] = tally_.best();
        wrote(py);
      },
      [this] { return tick(); });
  if (done) setFinished(true);
}

}  // namespace warpix
