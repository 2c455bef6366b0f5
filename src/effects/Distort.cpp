#include "effects/Distort.h"

#include <algorithm>

#include "app/Trace.h"
#include "effects/NextPointFactory.h"
#include "effects/Sweep.h"
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
  Warpix& distortion = *distortion_;
  const bool over = sweep<Unit>(
      *order_, x, y, [this] { return unitsUntilLook(); },
      [&](Unit& u) {
        distortion.map(u.x, u.y, u.sx, u.sy);
        if (!inside(u.x, u.y, w, h) || !inside(u.sx, u.sy, w, h)) {
          u.sx = -1;
          return;
        }
        __builtin_prefetch(src + static_cast<std::size_t>(u.sy) * srcStride + static_cast<std::size_t>(u.sx));
        __builtin_prefetch(dst + static_cast<std::size_t>(u.y) * dstStride + static_cast<std::size_t>(u.x), 1);
        if (blend_) __builtin_prefetch(src + static_cast<std::size_t>(u.y) * srcStride + static_cast<std::size_t>(u.x));
      },
      [&](const Unit& u) {
        if (u.sx < 0) return false;
        const Pixel s = src[static_cast<std::size_t>(u.sy) * srcStride + static_cast<std::size_t>(u.sx)];
        const std::size_t at = static_cast<std::size_t>(u.y) * dstStride + static_cast<std::size_t>(u.x);
        const std::size_t own = static_cast<std::size_t>(u.y) * srcStride + static_cast<std::size_t>(u.x);
        dst[at] = blend_ ? mix(s, src[own], sw, tw) : s;
        return true;
      },
      [this](int units, const Rect& written, const Rect& hole) { return tick(units, written, hole); });
  if (over) setFinished(true);
}

}  // namespace warpix
