#pragma once

#include <string>

#include "scene/Saver.h"

namespace warpix {

class Image;

// Shows pictures from the web: each run moves the crawler one step on, and
// when that step has just finished downloading a picture, the picture is
// decoded, small ones enlarged by a power of two, and placed and framed on
// one monitor as photos are. One step, then finished.
class Surf final : public Saver {
 public:
  static constexpr int kMinSide = 64;
  static constexpr int kMaxStretch = 64;

  explicit Surf(CSceneWnd& scene);
  const char* kindName() const override { return "Surf"; }

  // The power of two by which a picture of w x h is enlarged on a scene of
  // sceneWidth x sceneHeight: doubled while it stays within a third of the
  // scene in both directions, at most 64.
  static int stretchFor(int w, int h, int sceneWidth, int sceneHeight);

 protected:
  void draw() override;

 private:
  bool show(const Image& image);
  void logPicture(const std::string& address, bool shown) const;
};

}  // namespace warpix
