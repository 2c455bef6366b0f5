#pragma once

#include "effects/ScreenCopy.h"
#include "effects/OilPass.h"

namespace warpix {

// Rough, smeared strokes: every pixel becomes the average of the four
// corners of a box of random size around it, read from a snapshot of the
// screen and rewritten in the chosen visiting order.
class OilBlend final : public OilPass<OilBlend> {
 public:
  explicit OilBlend(CSceneWnd& scene);
  ~OilBlend() override;
  const char* kindName() const override { return "OilBlend"; }
  void describe(JsonLine& line) const override;
  std::int32_t spread() const { return spread_; }

 private:
  friend class OilPass<OilBlend>;
  bool allocateSnapshot(int w, int h) { return copy_.allocate(w, h); }
  bool snapshotAllocated() const { return copy_.allocated(); }
  bool copySnapshotRow() { return copy_.copyRow(scene->surface()); }
  int snapshotWidth() const { return copy_.width(); }
  int snapshotHeight() const { return copy_.height(); }
  Pixel paint(int px, int py, bool inside);
  Pixel blend(int px, int py, int dx, int dy) const;

  std::int32_t spread_ = 1;
  ScreenCopy copy_;
};

}  // namespace warpix
