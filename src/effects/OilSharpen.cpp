#include "effects/OilSharpen.h"

#include <algorithm>

#include "effects/NextPointFactory.h"
#include "effects/Sweep.h"
#include "scene/CSceneWnd.h"
#include "scene/OperationLog.h"
#include "scene/Program.h"
#include "settings/RegSettings.h"

namespace warpix {

namespace {
// Marks a pixel that keeps its colour; no screen colour has a top byte.
constexpr Pixel kUnchanged = 0xFF000000u;

int sharpen(std::uint32_t window, int centre) {
  const int neighbours = static_cast<int>(window) - centre;
  return std::clamp(2 * centre - neighbours / 8, 0, 255);
}

// Twice the pixel less the mean of its eight neighbours; a pixel on the
// border lacks some of them and stays as it is.
Pixel sharpenRule(const BoxFilter::Sums& s, Pixel centre) {
  if (s.count != 9) return kUnchanged;
  return makePixel(sharpen(s.red, pixelRed(centre)), sharpen(s.green, pixelGreen(centre)),
                   sharpen(s.blue, pixelBlue(centre)));
}
}  // namespace

OilSharpen::OilSharpen(CSceneWnd& scene_)
    : Saver(scene_), radius_(1),
      order_(pickNextPoint(scene_.program().settings.visitingOrders(), random, width, height)),
      filter_(1) {}

OilSharpen::~OilSharpen() = default;

void OilSharpen::describe(JsonLine& line) const {
  line.add("radius", static_cast<int>(radius_)).add("order", order_ ? order_->name() : "");
}

bool OilSharpen::snapshot() {
  if (!filter_.allocated() && !filter_.allocate(scene->width(), scene->height())) {
    setFinished(true);
    return false;
  }
  for (;;) {
    if (filter_.copyRow(scene->surface(), sharpenRule)) return true;
    if (!canContinue()) return false;
  }
}

void OilSharpen::draw() {
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
        const Pixel p = filter_.result(px, py);
        if (p == kUnchanged) return;
        dst[static_cast<std::size_t>(py) * stride + static_cast<std::size_t>(px)] = p;
        wrote(py);
      },
      [this] { return tick(); });
  if (done) setFinished(true);
}

}  // namespace warpix
