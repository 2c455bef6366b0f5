#pragma once

#include "platform/Surface.h"

namespace warpix {

class CSceneWnd;
class Random;

// How photos and web pictures are put on the screen: on one monitor,
// centred or leaning toward a corner by the scene's placement counter, and
// framed in a colour read back from the picture.
namespace PictureFrame {

inline constexpr int kPen = 4;

// The offset of a picture inside an area with dx and dy pixels to spare
// for one placement mode: 0 centres, 1..4 lean to the corners (mode 1
// top-left, then clockwise). Draws from `random`, x before y.
Point offset(int mode, int dx, int dy, Random& random);

// The top-left corner of a picture shown `shownWidth` x `shownHeight` on a
// random monitor of the scene; moves the placement counter on.
Point place(CSceneWnd& scene, Random& random, int shownWidth, int shownHeight);

// The 4-pixel frame 2 pixels outside the shown picture, in the colour of
// one of its pixels (chosen within its own width x height, row first).
void frame(CSceneWnd& scene, Random& random, Point at, int width, int height, int shownWidth, int shownHeight);

}  // namespace PictureFrame

}  // namespace warpix
