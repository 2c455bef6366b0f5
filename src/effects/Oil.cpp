#include "effects/Oil.h"

#include <algorithm>
#include <array>

#include "effects/NextPointFactory.h"
#include "effects/Sweep.h"
#include "scene/CSceneWnd.h"
#include "scene/OperationLog.h"
#include "scene/Program.h"
#include "settings/RegSettings.h"

namespace warpix {

namespace {
// Division by a window's pixel count as a multiplication: with 2^32 / n
// rounded up, a sum below 2^15 divides exactly (the error stays below 1/n).
constexpr std::uint32_t kMostPixels = 9 * 9;
constexpr auto kReciprocals = [] {
  std::array<std::uint64_t, kMostPixels + 1> r{};
  for (std::uint64_t n = 1; n <= kMostPixels; ++n) r[n] = ((std::uint64_t{1} << 32) + n - 1) / n;
  return r;
}();

Pixel average(const BoxFilter::Sums& s, Pixel) {
  if (s.count > kMostPixels) return makePixel(static_cast<int>(s.red / s.count), static_cast<int>(s.green / s.count),
                                              static_cast<int>(s.blue / s.count));
  const std::uint64_t m = kReciprocals[s.count];
  return static_cast<Pixel>(((s.red * m) >> 32) << 16 | ((s.green * m) >> 32) << 8 | ((s.blue * m) >> 32));
}

// Radius 1 to 3, leaning to 1.
std::int32_t drawRadius(Random& random) { return random.skewed(3, 2) + 1; }
}  // namespace

Oil::Oil(CSceneWnd& scene_)
    : Saver(scene_), radius_(drawRadius(random)),
      order_(pickNextPoint(scene_.program().settings.visitingOrders(), random, width, height)),
      filter_(radius_) {}

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
    if (filter_.copyRow(scene->surface(), average)) return true;
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
