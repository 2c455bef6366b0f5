#pragma once

#include <memory>

#include "effects/BoxFilter.h"
#include "effects/NextPoint.h"
#include "scene/Saver.h"

namespace warpix {

// Sharpening strokes: every pixel away from the border is pushed away from
// the mean of its eight neighbours in a snapshot of the screen, rewritten in
// the chosen visiting order.
class OilSharpen final : public Saver {
 public:
  explicit OilSharpen(CSceneWnd& scene);
  ~OilSharpen() override;
  const char* kindName() const override { return "OilSharpen"; }
  void describe(JsonLine& line) const override;

  std::int32_t radius() const { return radius_; }
  const NextPoint& order() const { return *order_; }

 protected:
  void draw() override;

 private:
  bool snapshot();

  std::int32_t radius_ = 1;
  std::unique_ptr<NextPoint> order_;
  BoxFilter filter_;
};

}  // namespace warpix
