#pragma once

#include <memory>

#include "effects/BoxFilter.h"
#include "effects/NextPoint.h"
#include "scene/Saver.h"

namespace warpix {

// Soft brush strokes: every pixel becomes the average of the square around
// it in a snapshot of the screen, rewritten in the chosen visiting order.
class Oil final : public Saver {
 public:
  explicit Oil(CSceneWnd& scene);
  ~Oil() override;
  const char* kindName() const override { return "Oil"; }
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
