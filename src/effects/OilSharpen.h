#pragma once

#include "effects/BoxFilter.h"
#include "effects/OilPass.h"

namespace warpix {

// Sharpening strokes: every pixel away from the border is pushed away from
// the mean of its eight neighbours in a snapshot of the screen, rewritten in
// the chosen visiting order.
class OilSharpen final : public OilPass<OilSharpen, BoxFilter> {
 public:
  explicit OilSharpen(CSceneWnd& scene);
  ~OilSharpen() override;
  const char* kindName() const override { return "OilSharpen"; }

 private:
  friend class OilPass<OilSharpen, BoxFilter>;
  bool copySnapshotRow();
  Pixel paint(const Point& u, bool inside) const { return inside ? snapshot_.result(u.x, u.y) : kKeepPixel; }
};

}  // namespace warpix
