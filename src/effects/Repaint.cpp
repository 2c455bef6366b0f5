#include "effects/Repaint.h"

#include <algorithm>

#include "app/Trace.h"
#include "effects/DotRotateLine.h"
#include "effects/DotRotateMultiLine.h"
#include "scene/CSceneWnd.h"
#include "scene/OperationLog.h"
#include "scene/Program.h"

namespace warpix {

Repaint::Repaint(CSceneWnd& scene_) : Saver(scene_) {
  // The order of these draws is part of the run a seed reproduces.
  if (random.uniform() < 0.5f)
    brush_ = std::make_unique<DotRotateMultiLine>(random, width, height);
  else
    brush_ = std::make_unique<DotRotateLine>(random, width, height);
  const std::int32_t area = brush_->area();
  strokesLeft_ = (width * height / area) * 2;
  // Bigger brushes go more slowly.
  pacingTimer.setInterval(static_cast<std::int64_t>(kPacingMs) * area);
  // A large brush takes tens of microseconds a stroke: 600 of them would
  // hold back the closing of the saver by over ten milliseconds.
  lookForInputEvery(kStrokesPerInputLook);
}

Repaint::~Repaint() = default;

void Repaint::describe(JsonLine& line) const { line.add("dot", brush_->name()); }

bool Repaint::takeSnapshot() {
  Surface* scratch = scene->scratchSurface();
  if (scratch == nullptr) {
    Trace& trace = scene->program().trace;
    if (trace.on()) trace.traceLine(traceSite("Repaint", 66, " : \"No bitmap created\" = ") + "No bitmap created");
    return false;
  }
  scratch->blit(0, 0, width, height, scene->surface(), 0, 0);
  return true;
}

bool Repaint::averageAround(const Surface& snapshot, int x, int y, int halfWidth, int halfHeight, ColorRGB& average) {
  const int left = std::max(0, x - halfWidth), right = std::min(snapshot.width(), x + halfWidth);
  const int top = std::max(0, y - halfHeight), bottom = std::min(snapshot.height(), y + halfHeight);
  if (left >= right || top >= bottom) return false;
  std::uint32_t red = 0, green = 0, blue = 0;
  for (int j = top; j < bottom; ++j) {
    const Pixel* row = snapshot.row(j);
    for (int i = left; i < right; ++i) {
      red += static_cast<std::uint32_t>(pixelRed(row[i]));
      green += static_cast<std::uint32_t>(pixelGreen(row[i]));
      blue += static_cast<std::uint32_t>(pixelBlue(row[i]));
    }
  }
  const auto count = static_cast<std::uint32_t>((right - left) * (bottom - top));
  average = ColorRGB(static_cast<int>(red / count), static_cast<int>(green / count), static_cast<int>(blue / count), true);
  return true;
}

void Repaint::draw() {
  if (!started) {
    if (!takeSnapshot()) {
      setFinished(true);
      return;
    }
    started = true;
  }
  // The scene drops its snapshot when it changes size, and making a new
  // one may fail.
  const Surface* snapshot = scene->scratchSurface();
  if (snapshot == nullptr) {
    setFinished(true);
    return;
  }
  Surface& screen = scene->surface();
  const int hw = brush_->width() / 2, hh = brush_->height() / 2;
  while (--strokesLeft_ >= 1) {
    x = random.below(width);
    y = random.below(height);
    ColorRGB average;
    if (averageAround(*snapshot, x, y, hw, hh, average)) brush_->draw(screen, x, y, average);
    if (!tick()) return;
  }
  setFinished(true);
}

}  // namespace warpix
