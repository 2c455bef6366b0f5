#pragma once

#include <memory>

#include "effects/ColourTally.h"
#include "effects/NextPoint.h"
#include "effects/ScreenCopy.h"
#include "scene/Saver.h"

namespace warpix {

// Palette-knife strokes: every pixel takes the colour that occurs most
// often in the square around it in a snapshot of the screen (the first to
// reach that count, walking the square column by column); a square where no
// colour repeats leaves the pixel as it is.
class OilFreq final : public Saver {
 public:
  explicit OilFreq(CSceneWnd& scene);
  ~OilFreq() override;
  const char* kindName() const override { return "OilFreq"; }
  void describe(JsonLine& line) const override;

  std::int32_t radius() const { return radius_; }
  const NextPoint& order() const { return *order_; }

 protected:
  void draw() override;

 private:
  bool snapshot();
  // Counts the colours of the square around the point into tally_.
  void tally(int px, int py);

  std::int32_t radius_ = 1;
  std::unique_ptr<NextPoint> order_;
  ScreenCopy copy_;
  ColourTally tally_;
};

}  // namespace warpix
