#include "effects/Oil.h"

#include <algorithm>

#include "effects/NextPointFactory.h"
#include "effects/Sweep.h"
#include "scene/CSceneWnd.h"
#include "scene/OperationLog.h"
#include "scene/Program.h"
#include "settings/RegSettings.h"

namespace warpix {

namespace {
Pixel average(const BoxFilter::Sums& s, Pixel) {
  return makePixel(static_cast<int>(s.red / s.count), static_cast<int>(s.green / s.count),
                   static_cast<int>(s.blue / s.count));
}

// Radius 1 to 3, leaning to 1.
std::int32_t drawRadius(Random& random) { return random.skewed(3, 2) + 1; }
}  // namespace

Oil::Oil(CSceneWnd& scene_)
    : Saver(scene_), radius_(drawRadius(random)),
      order_(pickNextPoint(scene_.program().settings.visitingOrders(), random, width, height)),
      filter_(radius_, average) {}

Oil::~Oil() = default;

void Oil::describe(JsonLine& line) const {
  line.add("radius", static_cast<int>(radius_)).add("order", order_ ? order_->name() : "");
}

bool Oil::snapshot() {
  if (!filter_.allocated() && !filter_.allocate(scene->width(), scene->height())) {
    setFinished(true);
    return false;
  }
  for (;;) {
    if (filter_.copyRow(scene->surface())) return true;
    if (!canContinue()) return false;
  }
}

void Oil::draw() {
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
  const int w = std::min(screen.width(), filter_.width()), h = std::min(screen.height(), filter_.height());
  Pixel* dst = screen.pixelsUnmarked();
  const std::size_t stride = static_cast<std::size_t>(screen.stride());
  const bool done = sweep(
      *order_, x, y,
      [&](int px, int py) {
        if (!inside(px, py, w, h)) return;
        dst[static_cast<std::size_t>(py) * stride + static_cast<std::size_t>(px)] = filter_.result(px, py);
        wrote(py);
      },
      [this] { return tick(); });
  if (done) setFinished(true);
}

}  // namespace warpix
