#pragma once

#include <algorithm>
#include <cstdint>
#include <memory>

#include "effects/CanvasTexture.h"
#include "effects/NextPoint.h"
#include "scene/Saver.h"

namespace warpix {

// Gives the whole screen the texture of a painter's canvas: a field of small
// lightness offsets is woven from horizontal and then vertical streaks,
// without touching the screen, and then every pixel, in the chosen visiting
// order, is lightened or darkened by the offset at its place, keeping its
// hue and saturation.
class Canvas final : public Saver {
 public:
  enum Phase : std::int32_t { kUnallocated = 0, kHorizontal = 1, kVertical = 2, kApplying = 3 };
  static constexpr int kLimit = 127;

  explicit Canvas(CSceneWnd& scene);
  ~Canvas() override;
  const char* kindName() const override { return "Canvas"; }
  void describe(JsonLine& line) const override;

  const NextPoint& order() const { return *order_; }
  std::int32_t amplitude() const { return amplitude_; }
  std::int32_t phase() const { return phase_; }
  const CanvasTexture& texture() const { return texture_; }

  // A cell with a vertical streak value added, kept within +-kLimit.
  static std::int8_t addClamped(std::int8_t cell, std::int32_t value) {
    return static_cast<std::int8_t>(std::clamp(cell + value, -kLimit, kLimit));
  }

 protected:
  void draw() override;

 private:
  std::int32_t streakValue();
  // Each false when input cut the phase short; the cursors keep the place.
  bool horizontalStreaks();
  bool verticalStreaks();
  void applyTexture();

  CanvasTexture texture_;
  std::unique_ptr<NextPoint> order_;
  std::int32_t column_ = 0;
  std::int32_t row_ = 0;
  std::int32_t phase_ = kUnallocated;
  std::int32_t amplitude_ = 1;
};

}  // namespace warpix
