#include "effects/Canvas.h"

#include <algorithm>

#include "effects/NextPointFactory.h"
#include "effects/Sweep.h"
#include "effects/CanvasShade.h"
#include "scene/CSceneWnd.h"
#include "scene/OperationLog.h"
#include "scene/Program.h"
#include "settings/RegSettings.h"

namespace warpix {

Canvas::Canvas(CSceneWnd& scene_) : Saver(scene_) {
  // The order of these draws is part of the run a seed reproduces.
  order_ = pickNextPoint(scene_.program().settings.visitingOrders(), random, width, height);
  amplitude_ = random.below(32) + 1;
}

Canvas::~Canvas() = default;

void Canvas::describe(JsonLine& line) const {
  line.add("order", order_ ? order_->name() : "").add("amplitude", static_cast<int>(amplitude_));
}

std::int32_t Canvas::streakValue() {
  return static_cast<std::int32_t>(random.uniformSigned() * static_cast<float>(amplitude_));
}

void Canvas::draw() {
  if (!order_) {
    setFinished(true);
    return;
  }
  if (phase_ == kUnallocated) {
    texture_.resize(height + 1, width + 1);
    phase_ = kHorizontal;
  }
  if (phase_ == kHorizontal && canContinue() && !horizontalStreaks()) return;
  if (phase_ == kVertical && canContinue() && !verticalStreaks()) return;
  if (phase_ == kApplying && canContinue()) applyTexture();
}

// A row that input cut short goes on with a freshly drawn value.
bool Canvas::horizontalStreaks() {
  const int rows = texture_.rows(), columns = texture_.columns();
  for (; row_ < rows; ++row_, column_ = 0) {
    std::int32_t value = streakValue();
    while (column_ < columns) {
      texture_.at(row_, column_) = static_cast<std::int8_t>(value);
      if (random.below(32) == 0) value = streakValue();
      ++column_;
      if (!canContinue()) return false;
    }
  }
  if (!canContinue()) return false;
  phase_ = kVertical;
  column_ = row_ = 0;
  return true;
}

bool Canvas::verticalStreaks() {
  const int rows = texture_.rows(), columns = texture_.columns();
  for (; column_ < columns; ++column_, row_ = 0) {
    std::int32_t value = streakValue();
    while (row_ < rows) {
      std::int8_t& cell = texture_.at(row_, column_);
      cell = addClamped(cell, value);
      if (random.below(32) == 0) value = streakValue();
      ++row_;
      if (!canContinue()) return false;
    }
  }
  if (!canContinue()) return false;
  phase_ = kApplying;
  return true;
}

void Canvas::applyTexture() {
  Surface& screen = scene->surface();
  // A screen that changed size under a running pass is written only where
  // it still has the point.
  const int w = std::min(width, screen.width()), h = std::min(height, screen.height());
  Pixel* pixels = screen.pixelsUnmarked();
  const auto stride = static_cast<std::size_t>(screen.stride());
  NextPoint& order = *order_;
  if (!started) {
    // Every order's own points include (0, 0), where the pass stands at
    // first: begin with the order's first point so it is shaded once.
    started = true;
    if (order.next(x, y)) {
      setFinished(true);
      return;
    }
  }
  // A resumed pass never shades a pixel twice: the walk steps past the
  // pixel just changed before giving way to input.
  const bool over = sweep(
      order, x, y, [this] { return unitsUntilLook(); },
      [](const Point&) {},
      [&](const Point& u) {
        if (!inside(u.x, u.y, w, h)) return false;
        Pixel& p = pixels[static_cast<std::size_t>(u.y) * stride + static_cast<std::size_t>(u.x)];
        p = shadeLightness(p, texture_.at(u.y, u.x));
        return true;
      },
      [this](int units, const Rect& written, const Rect& hole) { return tick(units, written, hole); });
  if (over) setFinished(true);
}

}  // namespace warpix
