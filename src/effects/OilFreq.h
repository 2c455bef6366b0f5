#pragma once

#include "effects/ColourTally.h"
#include "effects/OilPass.h"
#include "effects/ScreenCopy.h"

namespace warpix {

// Palette-knife strokes: every pixel takes the colour that occurs most
// often in the square around it in a snapshot of the screen (the first to
// reach that count, walking the square column by column); a square where no
// colour repeats leaves the pixel as it is.
class OilFreq final : public OilPass<OilFreq, ScreenCopy> {
 public:
  explicit OilFreq(CSceneWnd& scene);
  ~OilFreq() override;
  const char* kindName() const override { return "OilFreq"; }

 private:
  friend class OilPass<OilFreq, ScreenCopy>;
  bool copySnapshotRow() { return snapshot_.copyRow(scene->surface()); }
  Pixel paint(int px, int py, bool inside);
  // Counts the colours of the square around the point into tally_.
  void tally(int px, int py);

  ColourTally tally_;
};

}  // namespace warpix
