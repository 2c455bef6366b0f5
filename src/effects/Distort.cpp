#include "effects/Distort.h"

#include <algorithm>

#include "app/Trace.h"
#include "effects/NextPointFactory.h"
#include "effects/WarpixKinds.h"
#include "scene/CSceneWnd.h"
#include "scene/OperationLog.h"
#include "scene/Program.h"
#include "settings/RegSettings.h"

namespace warpix {

namespace {
// Mixes two pixels channel by channel: (s * sw + t * tw) / 255, truncated.
inline Pixel mix(Pixel s, Pixel t, std::uint32_t sw, std::uint32_t tw) {
  const std::uint32_t r = (((s >> 16) & 0xFF) * sw + ((t >> 16) & 0xFF) * tw) / 255;
  const std::uint32_t g = (((s >> 8) & 0xFF) * sw + ((t >> 8) & 0xFF) * tw) / 255;
  const std::uint32_t b = ((s & 0xFF) * sw + (t & 0xFF) * tw) / 255;
  return (r << 16) | (g << 8) | b;
}
}  // namespace

Distort::Distort(CSceneWnd& scene_) : Saver(scene_) {
  // The order of these draws is part of the run a seed reproduces.
  const RegSettings& settings = scene_.program().settings;
  distortion_ = createWarpix(settings.distortions().pick(random), random, width, height);
  order_ = pickNextPoint(settings.visitingOrders(), random, width, height);
  const float u = scene_.program().random.uniform();
  blend_ = static_cast<float>(settings.useTransparency()) / 100.0f > u;
  const std::int32_t b = random.skewed(255, -3);
  sourceWeight_ = b + 1;
  targetWeight_ = 254 - b;
}

Distort::~Distort() = default;

void Distort::describe(JsonLine& line) const {
  line.add("warpix", distortion_ ? distortion_->name() : "")
      .add("order", order_ ? order_->name() : "")
      .add("blend", blend_)
      .add("sourceWeight", static_cast<int>(sourceWeight_));
}

bool Distort::takeSnapshot() {
  Surface* scratch = scene->scratchSurface();
  if (scratch == nullptr) {
    Trace& trace = scene->program().trace;
    if (trace.on()) trace.traceLine(traceSite("Scribble", 79, " : No bitmap created = ") + "0");
    return false;
  }
  scratch->blit(0, 0, width, height, scene->surface(), 0, 0);
  return true;
}

int Distort::gather(int w, int h) {
  const Pixel* src = scene->scratchSurface()->data();
  const std::size_t srcStride = static_cast<std::size_t>(scene->scratchSurface()->stride());
  const Pixel* dst = scene->surface().data();
  const std::size_t dstStride = static_cast<std::size_t>(scene->surface().stride());
  const int want = std::clamp(unitsUntilLook(), 1, static_cast<int>(batch_.size()));
  Warpix& distortion = *distortion_;
  NextPoint& order = *order_;
  // The point walks in locals; the order writes them one at a time.
  int px = x, py = y;
  int n = 0;
  for (;;) {
    Unit& u = batch_[static_cast<std::size_t>(n++)];
    u.x = px;
    u.y = py;
    distortion.map(px, py, u.sx, u.sy);
    if (static_cast<unsigned>(px) < static_cast<unsigned>(w) && static_cast<unsigned>(py) < static_cast<unsigned>(h) &&
        static_cast<unsigned>(u.sx) < static_cast<unsigned>(w) && static_cast<unsigned>(u.sy) < static_cast<unsigned>(h)) {
      // After a pause of the pacing little of either surface is still in
      // the cache, and a pass walking columns needs a new line per pixel:
      // asking for them now overlaps the waits with the mapping of the
      // units that follow.
      __builtin_prefetch(src + static_cast<std::size_t>(u.sy) * srcStride + static_cast<std::size_t>(u.sx));
      __builtin_prefetch(dst + static_cast<std::size_t>(py) * dstStride + static_cast<std::size_t>(px), 1);
      if (blend_) __builtin_prefetch(src + static_cast<std::size_t>(py) * srcStride + static_cast<std::size_t>(px));
    } else {
      u.sx = -1;
    }
    if (n == want || order.next(px, py)) break;
  }
  orderEnded_ = n < want;
  x = px;
  y = py;
  return n;
}

void Distort::draw() {
  if (!started) {
    if (!distortion_ || !order_ || !takeSnapshot()) {
      setFinished(true);
      return;
    }
    started = true;
  }
  const Surface& snapshot = *scene->scratchSurface();
  Surface& screen = scene->surface();
  // A screen that changed size under a running pass is written only where
  // both surfaces still have the point.
  const int w = std::min({width, snapshot.width(), screen.width()});
  const int h = std::min({height, snapshot.height(), screen.height()});
  const Pixel* src = snapshot.data();
  const std::size_t srcStride = static_cast<std::size_t>(snapshot.stride());
  Pixel* dst = screen.pixelsUnmarked();
  const std::size_t dstStride = static_cast<std::size_t>(screen.stride());
  const auto sw = static_cast<std::uint32_t>(sourceWeight_), tw = static_cast<std::uint32_t>(targetWeight_);
  // Units are mapped a batch at a time, up to the next look for input, and
  // then written and counted in order; input can only stop the pass at the
  // batch's last unit, where (x, y) stands, so a resumed pass starts there.
  for (;;) {
    const int n = gather(w, h);
    for (int i = 0; i < n; ++i) {
      const Unit& u = batch_[static_cast<std::size_t>(i)];
      if (u.sx >= 0) {
        const Pixel s = src[static_cast<std::size_t>(u.sy) * srcStride + static_cast<std::size_t>(u.sx)];
        const std::size_t at = static_cast<std::size_t>(u.y) * dstStride + static_cast<std::size_t>(u.x);
        dst[at] = blend_ ? mix(s, src[static_cast<std::size_t>(u.y) * srcStride + static_cast<std::size_t>(u.x)], sw, tw) : s;
        wrote(u.x, u.y);
      }
      if (!tick()) return;
    }
    if (orderEnded_ || order_->next(x, y)) break;
  }
  setFinished(true);
}

}  // namespace warpix
