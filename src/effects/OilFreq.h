#pragma once

#include "effects/ModeFilter.h"
#include "effects/OilPass.h"

namespace warpix {

// Palette-knife strokes: every pixel takes the colour that occurs most
// often in the square around it in a snapshot of the screen (the first to
// reach that count, walking the square column by column); a square where no
// colour repeats leaves the pixel as it is.
class OilFreq final : public OilPass<OilFreq, ModeFilter> {
 public:
  explicit OilFreq(CSceneWnd& scene);
  ~OilFreq() override;
  const char* kindName() const override { return "OilFreq"; }

 private:
  friend class OilPass<OilFreq, ModeFilter>;
  bool copySnapshotRow() { return snapshot_.copyRow(scene->surface()); }
  Pixel paint(const Point& u, bool inside) const {
    if (!inside) return kKeepPixel;
    const Pixel p = snapshot_.result(u.x, u.y);
    return p == ModeFilter::kNoRepeat ? kKeepPixel : p;
  }
};

}  // namespace warpix
