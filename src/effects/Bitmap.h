#pragma once

#include <string>

#include "effects/PictureFrame.h"
#include "platform/Surface.h"
#include "scene/Saver.h"
#include "scene/teTimer.h"

namespace warpix {

// Shows the next photo from the user's folders: decoded small enough for the
// screen, placed centred or near a corner of one monitor, framed in a colour
// taken from the photo, then held for a while.
class Bitmap final : public Saver {
 public:
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

// Where a photo goes in its area for one placement mode (see PictureFrame).
inline Point placementOffset(int mode, int dx, int dy, class Random& random) {
  return PictureFrame::offset(mode, dx, dy, random);
}

}  // namespace warpix
