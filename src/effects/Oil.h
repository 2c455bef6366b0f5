#pragma once

#include "effects/BoxFilter.h"
#include "effects/OilPass.h"

namespace warpix {

// Soft brush strokes: every pixel becomes the average of the square around
// it in a snapshot of the screen, rewritten in the chosen visiting order.
class Oil final : public OilPass<Oil, BoxFilter> {
 public:
  explicit Oil(CSceneWnd& scene);
  ~Oil() override;
  const char* kindName() const override { return "Oil"; }

 private:
  friend class OilPass<Oil, BoxFilter>;
  bool copySnapshotRow();
  Pixel paint(const Point& u, bool inside) const { return inside ? snapshot_.result(u.x, u.y) : kKeepPixel; }
};

}  // namespace warpix
