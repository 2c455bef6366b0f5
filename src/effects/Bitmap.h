#pragma once

#include <string>

#include "platform/Surface.h"
#include "scene/Saver.h"
#include "scene/teTimer.h"

namespace warpix {

// Shows the next photo from the user's folders: decoded small enough for the
// screen, placed centred or near a corner of one monitor, framed in a colour
// taken from the photo, then held for a while.
class Bitmap final : public Saver {
 public:
  static constexpr int kFramePen = 4;

  explicit Bitmap(CSceneWnd& scene);
  const char* kindName() const override { return "Bitmap"; }

 protected:
  void draw() override;

 private:
  void photoStep();
  void waitForPeriod();
  void place(const class Image& image);
  void logPhoto(const std::string& path, bool shown) const;

  teTimer holdTimer_;
  bool shown_ = false;
};

// The offset of a picture of `size` inside an area of `room` pixels for one
// placement mode: 0 centres, 1..4 lean to the corners (mode 1 top-left, then
// clockwise). Draws from `random` as the placement does, x before y.
Point placementOffset(int mode, int dx, int dy, class Random& random);

}  // namespace warpix
