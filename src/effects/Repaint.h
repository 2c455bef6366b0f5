#pragma once

#include <cstdint>
#include <memory>

#include "effects/Dot.h"
#include "scene/Saver.h"

namespace warpix {

class Surface;

// Repaints the screen with many small strokes of one brush shape, each in
// the average colour of the picture under it as it was when the pass began:
// a snapshot is taken on the first step and every average is read from it,
// never from strokes drawn since.
class Repaint final : public Saver {
 public:
  // Strokes between two looks for input.
  static constexpr std::int32_t kStrokesPerInputLook = 25;

  explicit Repaint(CSceneWnd& scene);
  ~Repaint() override;
  const char* kindName() const override { return "Repaint"; }
  void describe(JsonLine& line) const override;

  const Dot& brush() const { return *brush_; }
  std::int32_t strokesLeft() const { return strokesLeft_; }

  // Sums the pixels of `snapshot` in the box x - halfWidth <= i < x +
  // halfWidth, y - halfHeight <= j < y + halfHeight that lie on it; false
  // when none does.
  static bool averageAround(const Surface& snapshot, int x, int y, int halfWidth, int halfHeight, ColorRGB& average);

 protected:
  void draw() override;

 private:
  bool takeSnapshot();

  std::unique_ptr<Dot> brush_;
  std::int32_t strokesLeft_ = 0;
};

}  // namespace warpix
