#pragma once

#include "effects/BoxFilter.h"
#include "effects/OilPass.h"

namespace warpix {

// Soft brush strokes: every pixel becomes the average of the square around
// it in a snapshot of the screen, rewritten in the chosen visiting order.
class Oil final : public OilPass<Oil> {
 public:
  explicit Oil(CSceneWnd& scene);
  ~Oil() override;
  const char* kindName() const override { return "Oil"; }

 private:
  friend class OilPass<Oil>;
  bool allocateSnapshot(int w, int h) { return filter_.allocate(w, h); }
  bool snapshotAllocated() const { return filter_.allocated(); }
  bool copySnapshotRow();
  int snapshotWidth() const { return filter_.width(); }
  int snapshotHeight() const { return filter_.height(); }
  Pixel paint(int px, int py, bool inside) const { return inside ? filter_.result(px, py) : kKeepPixel; }

  BoxFilter filter_;
};

}  // namespace warpix
