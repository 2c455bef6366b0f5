#pragma once

#include "effects/OilPass.h"
#include "effects/ScreenCopy.h"

namespace warpix {

// Rough, smeared strokes: every pixel becomes the average of the four
// corners of a box of random size around it, read from a snapshot of the
// screen and rewritten in the chosen visiting order.
class OilBlend final : public OilPass<OilBlend, ScreenCopy> {
 public:
  explicit OilBlend(CSceneWnd& scene);
  ~OilBlend() override;
  const char* kindName() const override { return "OilBlend"; }
  void describe(JsonLine& line) const override;
  std::int32_t spread() const { return spread_; }

 private:
  friend class OilPass<OilBlend, ScreenCopy>;
  bool copySnapshotRow() { return snapshot_.copyRow(scene->surface()); }
  // A point with its box: the rows and columns of the corners, as its draws
  // chose them.
  struct Unit {
    int x, y;
    const Pixel* top;
    const Pixel* bottom;
    int left, right;
  };
  void prepare(Unit& u, bool inside);
  Pixel paint(const Unit& u, bool inside) const { return inside ? blend(u) : kKeepPixel; }
  static Pixel blend(const Unit& u);

  std::int32_t spread_ = 1;
};

}  // namespace warpix
