#pragma once

#include <algorithm>
#include <cstdint>
#include <memory>
#include <type_traits>

#include "effects/NextPoint.h"
#include "effects/NextPointFactory.h"
#include "effects/Sweep.h"
#include "scene/CSceneWnd.h"
#include "scene/OperationLog.h"
#include "scene/Program.h"
#include "scene/Saver.h"
#include "settings/RegSettings.h"

namespace warpix {

// What a filter answers for a point that keeps its colour; no screen
// colour has a top byte.
inline constexpr Pixel kKeepPixel = 0xFF000000u;

// The course every brush filter takes: a snapshot of the screen, taken row
// by row so input can cut it short, then every pixel rewritten in the
// chosen visiting order from what the snapshot says. The snapshot is a
// Snapshot (allocate(w, h), allocated(), width(), height(); made with the
// radius when it takes one); the filter (Derived) says how a row is read
// and what a point becomes:
//   bool copySnapshotRow(): true once the last row is in;
//   Pixel paint(const Unit& u, bool inside): the new pixel, or kKeepPixel.
// paint() runs once per pixel, so it is bound at compile time. A filter
// that draws random numbers per point has its own Unit (with x and y) and
// prepare(Unit&, bool inside): it sees a batch's points in order before any
// of them is painted, so the draws are made there, in the same order, and
// what they pick can be fetched early.
template <class Derived, class Snapshot>
class OilPass : public Saver {
 public:
  std::int32_t radius() const { return radius_; }
  const NextPoint& order() const { return *order_; }
  void describe(JsonLine& line) const override {
    line.add("radius", static_cast<int>(radius_)).add("order", order_ ? order_->name() : "");
  }

 protected:
  using DrawRadius = std::int32_t (*)(Random& random);

  // The radius is drawn before the visiting order.
  OilPass(CSceneWnd& scene_, DrawRadius drawRadius)
      : Saver(scene_), radius_(drawRadius(random)),
        order_(pickNextPoint(scene_.program().settings.visitingOrders(), random, width, height)),
        snapshot_(makeSnapshot(radius_)) {}

  void draw() override {
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
    if (rewrite()) setFinished(true);
  }

  // Filters that draw nothing per point have nothing to prepare: fetching
  // their snapshot and screen points early was measured to cost more than
  // it saved, warm or after a pause.
  using Unit = Point;
  void prepare(const Point&, bool) const {}

  std::int32_t radius_;
  std::unique_ptr<NextPoint> order_;
  Snapshot snapshot_;

 private:
  static Snapshot makeSnapshot(std::int32_t radius) {
    if constexpr (std::is_constructible_v<Snapshot, int>) return Snapshot(radius);
    else return Snapshot();
  }
  Derived& self() { return static_cast<Derived&>(*this); }

  bool snapshot() {
    if (!snapshot_.allocated() && !snapshot_.allocate(scene->width(), scene->height())) {
      setFinished(true);
      return false;
    }
    for (;;) {
      if (self().copySnapshotRow()) return true;
      if (!canContinue()) return false;
    }
  }

  // True when the pass is over, false when it gave way to input.
  bool rewrite() {
    Surface& screen = scene->surface();
    // A screen that changed size under a running pass is written only where
    // the screen and the snapshot still share the point.
    const int w = std::min(screen.width(), snapshot_.width());
    const int h = std::min(screen.height(), snapshot_.height());
    Pixel* dst = screen.pixelsUnmarked();
    const std::size_t stride = static_cast<std::size_t>(screen.stride());
    using Unit = typename Derived::Unit;
    return sweep<Unit>(
        *order_, x, y, [this] { return unitsUntilLook(); },
        [&](Unit& u) { self().prepare(u, inside(u.x, u.y, w, h)); },
        [&](const Unit& u) {
          const Pixel p = self().paint(u, inside(u.x, u.y, w, h));
          if (p == kKeepPixel) return false;
          dst[static_cast<std::size_t>(u.y) * stride + static_cast<std::size_t>(u.x)] = p;
          return true;
        },
        [this](int units, const Rect& written, const Rect& hole) { return tick(units, written, hole); });
  }
};

// Radius 1 to 3, leaning to 1.
inline std::int32_t drawOilRadius(Random& random) { return random.skewed(3, 2) + 1; }
// Filters whose window is fixed draw nothing for it.
inline std::int32_t unitRadius(Random&) { return 1; }

}  // namespace warpix
