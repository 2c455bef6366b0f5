#pragma once

#include "effects/BoxFilter.h"
#include "effects/OilPass.h"

namespace warpix {

// Sharpening strokes: every pixel away from the border is pushed away from
// the mean of its eight neighbours in a snapshot of the screen, rewritten in
// the chosen visiting order.
class OilSharpen final : public OilPass<OilSharpen> {
 public:
  explicit OilSharpen(CSceneWnd& scene);
  ~OilSharpen() override;
  const char* kindName() const override { return "OilSharpen"; }

 private:
  friend class OilPass<OilSharpen>;
  bool allocateSnapshot(int w, int h) { return filter_.allocate(w, h); }
  bool snapshotAllocated() const { return filter_.allocated(); }
  bool copySnapshotRow();
  int snapshotWidth() const { return filter_.width(); }
  int snapshotHeight() const { return filter_.height(); }
  Pixel paint(int px, int py, bool inside) const { return inside ? filter_.result(px, py) : kKeepPixel; }

  BoxFilter filter_;
};

}  // namespace warpix
