#pragma once

#include "effects/ColourTally.h"
#include "effects/ScreenCopy.h"
#include "effects/OilPass.h"

namespace warpix {

// Palette-knife strokes: every pixel takes the colour that occurs most
// often in the square around it in a snapshot of the screen (the first to
// reach that count, walking the square column by column); a square where no
// colour repeats leaves the pixel as it is.
class OilFreq final : public OilPass<OilFreq> {
 public:
  explicit OilFreq(CSceneWnd& scene);
  ~OilFreq() override;
  const char* kindName() const override { return "OilFreq"; }

 private:
  friend class OilPass<OilFreq>;
  bool allocateSnapshot(int w, int h) { return copy_.allocate(w, h); }
  bool snapshotAllocated() const { return copy_.allocated(); }
  bool copySnapshotRow() { return copy_.copyRow(scene->surface()); }
  int snapshotWidth() const { return copy_.width(); }
  int snapshotHeight() const { return copy_.height(); }
  Pixel paint(int px, int py, bool inside);
  // Counts the colours of the square around the point into tally_.
  void tally(int px, int py);

  ScreenCopy copy_;
  ColourTally tally_;
};

}  // namespace warpix
