#pragma once

#include <memory>

#include "effects/NextPoint.h"
#include "effects/Warpix.h"
#include "scene/Saver.h"

namespace warpix {

// Rebuilds the whole screen through one distortion: a snapshot is taken on
// the first step, then every pixel, in the chosen visiting order, is
// rewritten from the snapshot pixel the distortion names, copied or blended
// with the old one. The snapshot never changes during the pass, so a pass
// resumed after input gives the same picture as one never interrupted.
class Distort final : public Saver {
 public:
  explicit Distort(CSceneWnd& scene);
  ~Distort() override;
  const char* kindName() const override { return "Distort"; }
  void describe(JsonLine& line) const override;

  const Warpix& distortion() const { return *distortion_; }
  const NextPoint& order() const { return *order_; }
  bool blend() const { return blend_; }
  std::int32_t sourceWeight() const { return sourceWeight_; }
  std::int32_t targetWeight() const { return targetWeight_; }

 protected:
  void draw() override;

 private:
  bool takeSnapshot();

  // One unit of the pass: a screen pixel and the snapshot pixel it shows,
  // or no source (sx < 0) when either lies off the surfaces. The units up
  // to the next look for input are mapped first, while what they read and
  // write is fetched, and then written.
  struct Unit {
    int x, y, sx, sy;
  };

  std::unique_ptr<Warpix> distortion_;
  std::unique_ptr<NextPoint> order_;
  std::int32_t sourceWeight_ = 255;
  std::int32_t targetWeight_ = 0;
  bool blend_ = false;
};

}  // namespace warpix
