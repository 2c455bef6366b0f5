#pragma once

#include <memory>

#include "effects/NextPoint.h"
#include "effects/ScreenCopy.h"
#include "scene/Saver.h"

namespace warpix {

// Rough, smeared strokes: every pixel becomes the average of the four
// corners of a box of random size around it, read from a snapshot of the
// screen and rewritten in the chosen visiting order.
class OilBlend final : public Saver {
 public:
  explicit OilBlend(CSceneWnd& scene);
  ~OilBlend() override;
  const char* kindName() const override { return "OilBlend"; }
  void describe(JsonLine& line) const override;

  std::int32_t radius() const { return radius_; }
  const NextPoint& order() const { return *order_; }
  std::int32_t spread() const { return spread_; }

 protected:
  void draw() override;

 private:
  bool snapshot();
  Pixel blend(int px, int py, int dx, int dy) const;

  std::int32_t radius_ = 1;  // kept for the family's shape; the blend does not read it
  std::unique_ptr<NextPoint> order_;
  std::int32_t spread_ = 1;
  ScreenCopy copy_;
};

}  // namespace warpix
