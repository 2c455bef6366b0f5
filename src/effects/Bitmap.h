#pragma once

#include <cstddef>
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
  // Files one photo step tries before it gives up and shows nothing.
  static constexpr std::size_t kMaxTries = 10;

  explicit Bitmap(CSceneWnd& scene);
  const char* kindName() const override { return "Bitmap"; }

 protected:
  void draw() override;

 private:
  void photoStep();
  void waitForPeriod();
  // Decodes `path` small enough for the scene and places it; false when it
  // does not decode or is still too large after the largest reduction.
  bool show(const std::string& path);
  void place(const class Image& image);
  // `path` is the last file tried; `skipped` counts the files before it
  // (and it too, when nothing was shown).
  void logPhoto(const std::string& path, bool shown, int skipped) const;

  teTimer holdTimer_;
  bool shown_ = false;
};

// Where a photo goes in its area for one placement mode (see PictureFrame).
inline Point placementOffset(int mode, int dx, int dy, class Random& random) {
  return PictureFrame::offset(mode, dx, dy, random);
}

}  // namespace warpix
